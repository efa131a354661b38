#pragma once

#include <glib.h>

#include <vector>

namespace fltkhost {

// GLib's default main context run from FLTK's event loop, so that the accessibility bridge's
// D-Bus connections and replies are served while FLTK waits, in the window's loop and in every
// dialog's modal loop alike. It watches exactly the descriptors and the next timeout GLib asks
// for (Fl::add_fd, Fl::add_timeout) and never polls on a timer of its own, so it costs nothing
// while nothing arrives. Owned by the accessibility bridge, once GLib is loaded; one per process.
class GlibLoop {
 public:
  // Takes the default context for this thread and starts watching it.
  GlibLoop();
  ~GlibLoop();
  GlibLoop(const GlibLoop&) = delete;
  GlibLoop& operator=(const GlibLoop&) = delete;

  // Called by anything that may have given GLib new work outside a dispatch (a new source, an
  // asynchronous call begun): serves what is ready and watches again, from the loop.
  void wake();
  // Called while the game's timed wait keeps FLTK's loop from turning: serves, now and without
  // waiting, whatever GLib has ready (a screen reader's questions), then watches again.
  void serveNow();
  // Read by the tests: whether FLTK was last asked to wake the loop after a time, which happens
  // only for a timeout GLib has, never to poll.
  bool timed() const { return timed_; }

 private:
  static void onReady(int fd, void* self);
  static void onTimeout(void* self);
  // Serves what is ready without waiting, then watches what GLib asks for next.
  void iterate();
  void watch();
  void unwatch();

  GMainContext* context_;               // GLib's default context, acquired here
  std::vector<GPollFD> fds_;            // what GLib asked to watch at the last watch()
  std::vector<int> watched_;            // the descriptors given to FLTK for them
  gint priority_ = G_PRIORITY_DEFAULT;  // of the sources ready at the last prepare
  bool timed_ = false;                  // GLib gave a timeout at the last watch()
};

}  // namespace fltkhost
