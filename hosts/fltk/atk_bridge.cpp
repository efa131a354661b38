#include "hosts/fltk/atk_bridge.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/x.H>
#include <atk-bridge.h>
#include <dbus/dbus.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "hosts/fltk/atk_dialog.h"
#include "hosts/fltk/atk_form.h"
#include "hosts/fltk/glib_loop.h"

namespace fltkhost {

namespace {

// ATK asks for its root, the toolkit's name and its version through functions without any
// data of their own: the one bridge of the process is found here. Set while it lives.
Accessibility* theBridge = nullptr;

class ApplicationPeer : public Peer {
 public:
  explicit ApplicationPeer(const Accessibility& owner) : owner_(owner) {}
  AtkRole role() const override { return ATK_ROLE_APPLICATION; }
  std::string name() const override { return "Quintoz"; }
  Peer* parent() const override { return nullptr; }
  std::vector<Peer*> children() const override { return owner_.topLevels(); }
  ScreenBox extents() const override { return {}; }

 private:
  const Accessibility& owner_;
};

AtkObject* rootObject() {
  return theBridge != nullptr ? theBridge->root().object() : nullptr;
}

const gchar* toolkitName() {
  return "FLTK";
}

const gchar* toolkitVersion() {
  static const std::string version = std::to_string(FL_MAJOR_VERSION) + "." +
                                     std::to_string(FL_MINOR_VERSION) + "." +
                                     std::to_string(FL_PATCH_VERSION);
  return version.c_str();
}

struct DBusConnectionClose {
  void operator()(DBusConnection* c) const {
    dbus_connection_close(c);
    dbus_connection_unref(c);
  }
};
struct DBusMessageUnref {
  void operator()(DBusMessage* m) const { dbus_message_unref(m); }
};
// Frees a DBusError however the call that filled it went.
struct DBusErrorHolder {
  DBusErrorHolder() { dbus_error_init(&error); }
  ~DBusErrorHolder() { dbus_error_free(&error); }
  DBusErrorHolder(const DBusErrorHolder&) = delete;
  DBusErrorHolder& operator=(const DBusErrorHolder&) = delete;
  DBusError error;
};

// Asks the session bus where the accessibility bus is (its launcher answers, starting it on
// demand). Empty without a session bus or an answer.
std::string askSessionBus(DBusError& error) {
  // Without a session bus named in the environment or at its usual place, libdbus would launch
  // one of its own for the display (autolaunch): a daemon no screen reader listens on.
  const char* named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if ((named == nullptr || *named == '\0') &&
      (runtime == nullptr || access((std::string(runtime) + "/bus").c_str(), F_OK) != 0)) {
    return {};
  }
  std::unique_ptr<DBusConnection, DBusConnectionClose> bus(
      dbus_bus_get_private(DBUS_BUS_SESSION, &error));
  if (bus == nullptr) return {};
  dbus_connection_set_exit_on_disconnect(bus.get(), FALSE);
  std::unique_ptr<DBusMessage, DBusMessageUnref> call(
      dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
  if (call == nullptr) return {};
  std::unique_ptr<DBusMessage, DBusMessageUnref> reply(dbus_connection_send_with_reply_and_block(
      bus.get(), call.get(), DBUS_TIMEOUT_USE_DEFAULT, &error));
  const char* address = nullptr;
  if (reply == nullptr ||
      !dbus_message_get_args(reply.get(), &error, DBUS_TYPE_STRING, &address, DBUS_TYPE_INVALID) ||
      address == nullptr) {
    return {};
  }
  return address;
}

// On a thread of its own, as every step may wait on D-Bus for long (a session bus, a launcher
// or an accessibility bus that does not answer): finds the accessibility bus (`known`, from the
// environment, or else from the session bus), makes sure it answers, since the bridge will
// connect to it on the main thread and wait for its answer there, and hands the address to the
// main loop through GLib's default context. Otherwise nothing is handed over or loaded.
void lookUpBus(std::string known) {
  DBusErrorHolder e;
  const std::string address = known.empty() ? askSessionBus(e.error) : known;
  if (address.empty()) return;
  std::unique_ptr<DBusConnection, DBusConnectionClose> a11y(
      dbus_connection_open_private(address.c_str(), &e.error));
  if (a11y == nullptr || !dbus_bus_register(a11y.get(), &e.error)) return;
  // GLib's idle call is the one safe way in from another thread: it wakes the main context,
  // which the loop watches.
  g_idle_add(
      [](gpointer copy) -> gboolean {
        std::unique_ptr<gchar, decltype(&g_free)> owned(static_cast<gchar*>(copy), g_free);
        if (theBridge != nullptr) theBridge->connect(owned.get());
        return G_SOURCE_REMOVE;
      },
      g_strdup(address.c_str()));
}

}  // namespace

Accessibility::Accessibility(toolkit::Form& form, Fl_Window& window, windowcore::WindowCore& core)
    : form_(std::make_unique<FormPeers>(form, window, core, actions_)),
      root_(std::make_unique<ApplicationPeer>(*this)) {
  const char* off = std::getenv("NO_AT_BRIDGE");
  wanted_ = off == nullptr || std::strcmp(off, "1") != 0;
  theBridge = this;
}

Accessibility::~Accessibility() {
  Fl::remove_timeout(begin, this);
  Fl::remove_timeout(updateForm, this);
  if (connected_) atk_bridge_adaptor_cleanup();
  theBridge = nullptr;
  dialogs_.clear();
}

Peer& Accessibility::root() {
  return *root_;
}

std::vector<Peer*> Accessibility::topLevels() const {
  std::vector<Peer*> out;
  if (windowListed_) out.push_back(&form_->window());
  for (const auto& dialog : dialogs_) out.push_back(&dialog->dialog());
  return out;
}

void Accessibility::beginSoon() {
  if (!wanted_ || begun_) return;
  begun_ = true;
  Fl::add_timeout(0, begin, this);
}

void Accessibility::begin(void* self) {
  auto& bridge = *static_cast<Accessibility*>(self);
  // The dialog that called for this is mapped: its request leaves before anything else.
  if (fl_display != nullptr) XFlush(fl_display);
  // ATK's utility class answers for the whole toolkit: held for the rest of the run.
  auto* util = ATK_UTIL_CLASS(g_type_class_ref(ATK_TYPE_UTIL));
  util->get_root = rootObject;
  util->get_toolkit_name = toolkitName;
  util->get_toolkit_version = toolkitVersion;
  bridge.loop_ = std::make_unique<GlibLoop>();
  const char* known = std::getenv("AT_SPI_BUS_ADDRESS");
  std::thread(lookUpBus, std::string(known != nullptr ? known : "")).detach();
}

void Accessibility::connect(const char* address) {
  if (connected_) return;
  // atk-bridge reads the accessibility bus's address from here before asking anyone.
  setenv("AT_SPI_BUS_ADDRESS", address, 1);
  form_->update();
  if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) return;
  connected_ = true;
  loop_->wake();
}

void Accessibility::painted() {
  if (!connected_) return;
  Fl::remove_timeout(updateForm, this);
  Fl::add_timeout(0, updateForm, this);
}

void Accessibility::updateForm(void* self) {
  static_cast<Accessibility*>(self)->form_->update();
}

void Accessibility::windowShown() {
  if (!windowListed_) {
    windowListed_ = true;
    root_->notifyChildAdded(0, form_->window());
    form_->window().notifyWindow("create");
    form_->window().notifyWindow("activate");
  }
  beginSoon();
}

void Accessibility::opened(Fl_Window& dialog, const DialogParts& parts) {
  // What the window's last event changed is told before the dialog takes over (the last
  // commit, before the winner's message).
  if (connected_) form_->update();
  dialogs_.push_back(std::make_unique<DialogPeers>(dialog, parts, actions_));
  const int index = static_cast<int>(topLevels().size()) - 1;
  root_->notifyChildAdded(index, dialogs_.back()->dialog());
  if (windowListed_) form_->window().notifyWindow("deactivate");
  dialogs_.back()->tellOpened();
  beginSoon();
}

void Accessibility::changed(Fl_Window& dialog) {
  if (!connected_) return;
  for (const auto& peers : dialogs_) {
    if (&peers->window() == &dialog) peers->update();
  }
}

void Accessibility::closed(Fl_Window& dialog) {
  const auto at = std::find_if(dialogs_.begin(), dialogs_.end(),
                               [&](const auto& peers) { return &peers->window() == &dialog; });
  if (at == dialogs_.end()) return;
  (*at)->tellClosed();
  const int index = static_cast<int>(at - dialogs_.begin()) + (windowListed_ ? 1 : 0);
  root_->notifyChildRemoved(index, (*at)->dialog());
  actions_.cancel(at->get());
  dialogs_.erase(at);
  if (dialogs_.empty() && windowListed_) form_->window().notifyWindow("activate");
}

}  // namespace fltkhost
