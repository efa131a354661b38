/* mapwait: starts a program and reports how long after the start of its process the first
 * window with a given title was mapped on the X display, and the program's peak memory.
 *
 *   mapwait [-t TITLE] [-w SECONDS] [-s SECONDS] [-k] -- PROGRAM [ARG...]
 *
 * -t  the title to wait for (default "Number of Players", the game's first prompt); a mapped
 *     top-level window counts when its WM_NAME contains it
 * -w  give up after this many seconds (default 10) with status 3
 * -s  once mapped, let the program run this many seconds more (default 0.5), so that the
 *     peak memory covers its first drawing too, then end it with SIGTERM
 * -k  keep the program running instead of ending it; mapwait then prints its pid and exits
 *
 * Prints one line: "mapped_ms=12.345 pid=123 maxrss_kib=4567" (maxrss only when it ended the
 * program). Polling tools cannot time tens of milliseconds: this one listens for the X server's
 * MapNotify event on the root window, and the clock starts in the child just before exec. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_seconds(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (double)ts.tv_sec + (double)ts.tv_nsec / 1e9;
}

/* True when the window, or the client window a window manager may have wrapped in it, has a
 * WM_NAME containing the title. Under a bare X server top-level windows are not wrapped. */
static int has_title(Display* display, Window window, const char* title) {
  XTextProperty property;
  int found = 0;
  if (XGetWMName(display, window, &property) && property.value != NULL) {
    found = strstr((const char*)property.value, title) != NULL;
    XFree(property.value);
  }
  if (!found) {
    Window root, parent, *children = NULL;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && !found; ++i) {
        found = has_title(display, children[i], title);
      }
      if (children != NULL) XFree(children);
    }
  }
  return found;
}

/* A window may vanish between its MapNotify and our questions about it; that is no error. */
static int ignore_errors(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

int main(int argc, char** argv) {
  const char* title = "Number of Players";
  double wait_limit = 10.0;
  double settle = 0.5;
  int keep = 0;
  int opt;
  while ((opt = getopt(argc, argv, "+t:w:s:k")) != -1) {
    switch (opt) {
      case 't':
        title = optarg;
        break;
      case 'w':
        wait_limit = atof(optarg);
        break;
      case 's':
        settle = atof(optarg);
        break;
      case 'k':
        keep = 1;
        break;
      default:
        fprintf(stderr, "usage: mapwait [-t TITLE] [-w SECONDS] [-s SECONDS] [-k] -- PROGRAM...\n");
        return 2;
    }
  }
  if (optind >= argc) {
    fprintf(stderr, "mapwait: no program given\n");
    return 2;
  }

  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "mapwait: cannot open the X display\n");
    return 2;
  }
  XSetErrorHandler(ignore_errors);
  /* Listening before the child exists means no mapping can be missed. */
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  /* The child writes its start time through this pipe just before exec. */
  int start_pipe[2];
  if (pipe2(start_pipe, O_CLOEXEC) != 0) {
    perror("mapwait: pipe");
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) {
    perror("mapwait: fork");
    return 2;
  }
  if (child == 0) {
    close(start_pipe[0]);
    close(ConnectionNumber(display));
    const double started = now_seconds();
    if (write(start_pipe[1], &started, sizeof started) != (ssize_t)sizeof started) _exit(126);
    execvp(argv[optind], argv + optind);
    perror("mapwait: exec");
    _exit(127);
  }
  close(start_pipe[1]);
  double started = 0;
  if (read(start_pipe[0], &started, sizeof started) != (ssize_t)sizeof started) {
    fprintf(stderr, "mapwait: the child did not start\n");
    return 2;
  }
  close(start_pipe[0]);

  double mapped = -1;
  const int fd = ConnectionNumber(display);
  while (mapped < 0) {
    while (XPending(display) > 0 && mapped < 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) {
        const double at = now_seconds();
        if (has_title(display, event.xmap.window, title)) mapped = at;
      }
    }
    if (mapped >= 0) break;
    const double left = started + wait_limit - now_seconds();
    int status;
    if (waitpid(child, &status, WNOHANG) == child) {
      fprintf(stderr, "mapwait: the program ended before mapping \"%s\"\n", title);
      return 3;
    }
    if (left <= 0) {
      fprintf(stderr, "mapwait: no window \"%s\" within %.1f s\n", title, wait_limit);
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return 3;
    }
    struct pollfd p = {fd, POLLIN, 0};
    poll(&p, 1, left < 0.05 ? (int)(left * 1000) + 1 : 50);
  }

  printf("mapped_ms=%.3f pid=%d", (mapped - started) * 1000.0, (int)child);
  if (keep) {
    printf("\n");
    return 0;
  }
  struct timespec pause = {(time_t)settle, (long)((settle - (double)(time_t)settle) * 1e9)};
  nanosleep(&pause, NULL);
  kill(child, SIGTERM);
  int status;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) == child) {
    printf(" maxrss_kib=%ld", usage.ru_maxrss);
  }
  printf("\n");
  XCloseDisplay(display);
  return 0;
}
