#include "hosts/atk/glib_loop.h"

#include <FL/Fl.H>
#include <poll.h>

#include "hosts/atk/atk_api.h"

namespace fltkhost {

GlibLoop::GlibLoop() : context_(atk().g_main_context_default()) {
  atk().g_main_context_acquire(context_);
  watch();
}

GlibLoop::~GlibLoop() {
  Fl::remove_timeout(onTimeout, this);
  unwatch();
  atk().g_main_context_release(context_);
}

void GlibLoop::wake() {
  Fl::remove_timeout(onTimeout, this);
  Fl::add_timeout(0, onTimeout, this);
}

void GlibLoop::serveNow() {
  unwatch();
  while (atk().g_main_context_iteration(context_, FALSE)) {
  }
  watch();
}

// FLTK calls a descriptor's callback from inside its own walk over the descriptors, where the
// list must not change; the work waits for the loop's next turn, which comes at once.
void GlibLoop::onReady(int, void* self) {
  static_cast<GlibLoop*>(self)->wake();
}

void GlibLoop::onTimeout(void* self) {
  static_cast<GlibLoop*>(self)->iterate();
}

void GlibLoop::iterate() {
  Fl::remove_timeout(onTimeout, this);
  // What FLTK saw ready is asked again without waiting, so that GLib learns each descriptor's
  // own events; the watch was made from the last prepare, as check requires.
  if (!fds_.empty()) {
    std::vector<pollfd> polled(fds_.size());
    for (std::size_t i = 0; i < fds_.size(); ++i) {
      polled[i] = {fds_[i].fd, static_cast<short>(fds_[i].events), 0};
    }
    poll(polled.data(), polled.size(), 0);
    for (std::size_t i = 0; i < fds_.size(); ++i) fds_[i].revents = polled[i].revents;
  }
  if (atk().g_main_context_check(context_, priority_, fds_.data(),
                                 static_cast<gint>(fds_.size()))) {
    atk().g_main_context_dispatch(context_);
  }
  watch();
}

void GlibLoop::watch() {
  unwatch();
  if (atk().g_main_context_prepare(context_, &priority_)) {
    // A source is ready already (an idle, a reply queued): it is served on the next turn.
    wake();
  }
  gint timeout = -1;
  gint wanted = 8;
  do {
    fds_.resize(static_cast<std::size_t>(wanted));
    wanted = atk().g_main_context_query(context_, priority_, &timeout, fds_.data(),
                                        static_cast<gint>(fds_.size()));
  } while (static_cast<std::size_t>(wanted) > fds_.size());
  fds_.resize(static_cast<std::size_t>(wanted));
  for (GPollFD& fd : fds_) {
    fd.revents = 0;
    int when = 0;
    if (fd.events & G_IO_IN) when |= FL_READ;
    if (fd.events & G_IO_OUT) when |= FL_WRITE;
    if (fd.events & (G_IO_PRI | G_IO_ERR | G_IO_HUP)) when |= FL_EXCEPT;
    if (when == 0) continue;
    Fl::add_fd(fd.fd, when, onReady, this);
    watched_.push_back(fd.fd);
  }
  timed_ = timeout >= 0;
  if (timed_) Fl::add_timeout(timeout / 1000.0, onTimeout, this);
}

void GlibLoop::unwatch() {
  for (int fd : watched_) Fl::remove_fd(fd);
  watched_.clear();
}

}  // namespace fltkhost
