#include "hosts/fltk/atk_status.h"

#include <FL/Fl.H>
#include <dbus/dbus.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <thread>

#include "hosts/fltk/late_library.h"

namespace fltkhost {

namespace {

#define QUINTOZ_DBUS_FUNCTIONS(F)                                                              \
  F(dbus_error_init)                                                                           \
  F(dbus_error_free) F(dbus_bus_get_private) F(dbus_bus_register) F(dbus_bus_add_match)        \
      F(dbus_connection_open_private) F(dbus_connection_close) F(dbus_connection_unref)        \
          F(dbus_connection_set_exit_on_disconnect) F(dbus_connection_read_write)              \
              F(dbus_connection_pop_message) F(dbus_connection_send_with_reply_and_block)      \
                  F(dbus_message_new_method_call) F(dbus_message_append_args)                  \
                      F(dbus_message_get_args) F(dbus_message_is_signal) F(dbus_message_unref) \
                          F(dbus_message_iter_init) F(dbus_message_iter_recurse)               \
                              F(dbus_message_iter_get_arg_type) F(dbus_message_iter_get_basic)
QUINTOZ_LATE_TABLE(DbusApi, "libdbus-1.so.3", QUINTOZ_DBUS_FUNCTIONS)

constexpr const char* kBus = "org.a11y.Bus";
constexpr const char* kPath = "/org/a11y/bus";

// One D-Bus conversation of the watching thread, over a private connection it alone uses.
class Conversation {
 public:
  explicit Conversation(const DbusApi& api) : api_(api) { api.dbus_error_init(&error_); }
  ~Conversation() {
    if (connection_ != nullptr) {
      api_.dbus_connection_close(connection_);
      api_.dbus_connection_unref(connection_);
    }
    api_.dbus_error_free(&error_);
  }
  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;

  // Connects to the session bus and listens for the status's changes from now on, so that none
  // is missed between a reading and the wait that follows it.
  bool session() {
    if (!keep(api_.dbus_bus_get_private(DBUS_BUS_SESSION, &error_))) return false;
    api_.dbus_bus_add_match(connection_,
                            "type='signal',interface='org.freedesktop.DBus.Properties',"
                            "member='PropertiesChanged',path='/org/a11y/bus'",
                            nullptr);
    return true;
  }
  // Connects to the accessibility bus and says hello: it answers.
  bool answers(const std::string& address) {
    return keep(api_.dbus_connection_open_private(address.c_str(), &error_)) &&
           api_.dbus_bus_register(connection_, &error_);
  }
  // The reply to a call of the accessibility bus's launcher with string arguments, or null.
  std::unique_ptr<DBusMessage, void (*)(DBusMessage*)> call(const char* interface,
                                                            const char* method, const char* a,
                                                            const char* b) {
    std::unique_ptr<DBusMessage, void (*)(DBusMessage*)> message(
        api_.dbus_message_new_method_call(kBus, kPath, interface, method), api_.dbus_message_unref);
    if (message == nullptr) return {nullptr, api_.dbus_message_unref};
    if (a != nullptr) {
      api_.dbus_message_append_args(message.get(), DBUS_TYPE_STRING, &a, DBUS_TYPE_STRING, &b,
                                    DBUS_TYPE_INVALID);
    }
    api_.dbus_error_free(&error_);
    return {api_.dbus_connection_send_with_reply_and_block(connection_, message.get(),
                                                           DBUS_TIMEOUT_USE_DEFAULT, &error_),
            api_.dbus_message_unref};
  }
  bool property(const char* name) {
    const auto reply = call("org.freedesktop.DBus.Properties", "Get", "org.a11y.Status", name);
    DBusMessageIter outer, inner;
    dbus_bool_t value = FALSE;
    if (reply == nullptr || !api_.dbus_message_iter_init(reply.get(), &outer)) return false;
    api_.dbus_message_iter_recurse(&outer, &inner);
    if (api_.dbus_message_iter_get_arg_type(&inner) != DBUS_TYPE_BOOLEAN) return false;
    api_.dbus_message_iter_get_basic(&inner, &value);
    return value != FALSE;
  }
  std::string address() {
    const auto reply = call("org.a11y.Bus", "GetAddress", nullptr, nullptr);
    const char* text = nullptr;
    if (reply == nullptr || !api_.dbus_message_get_args(reply.get(), &error_, DBUS_TYPE_STRING,
                                                        &text, DBUS_TYPE_INVALID)) {
      return {};
    }
    return text != nullptr ? text : "";
  }
  // Waits for the status to change; false when the session bus went away.
  bool statusChanged() {
    while (api_.dbus_connection_read_write(connection_, -1)) {
      while (DBusMessage* message = api_.dbus_connection_pop_message(connection_)) {
        const bool changed = api_.dbus_message_is_signal(message, "org.freedesktop.DBus.Properties",
                                                         "PropertiesChanged");
        api_.dbus_message_unref(message);
        if (changed) return true;
      }
    }
    return false;
  }

 private:
  bool keep(DBusConnection* connection) {
    connection_ = connection;
    if (connection_ != nullptr) api_.dbus_connection_set_exit_on_disconnect(connection_, FALSE);
    return connection_ != nullptr;
  }
  const DbusApi& api_;
  DBusError error_;
  DBusConnection* connection_ = nullptr;
};

// Without a session bus named in the environment or at its usual place, libdbus would launch
// one of its own for the display (autolaunch): a daemon no screen reader listens on.
bool sessionBusKnown() {
  const char* named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return (named != nullptr && *named != '\0') ||
         (runtime != nullptr && access((std::string(runtime) + "/bus").c_str(), F_OK) == 0);
}

// The watching thread: sends the address of an accessibility bus that answers once the status
// is on, and ends; or ends without a word when there is no session bus.
void watch(int fd, std::string known) {
  const std::string address = [&known]() -> std::string {
    const DbusApi* api = DbusApi::get();
    if (api == nullptr) return {};
    Conversation session(*api);
    if (!session.session()) return {};
    while (!session.property("IsEnabled") && !session.property("ScreenReaderEnabled")) {
      if (!session.statusChanged()) return {};
    }
    std::string found = known.empty() ? session.address() : known;
    Conversation a11y(*api);
    return !found.empty() && a11y.answers(found) ? found : std::string();
  }();
  if (!address.empty()) {
    const std::string line = address + '\n';
    send(fd, line.data(), line.size(), MSG_NOSIGNAL);
  }
  close(fd);
}

}  // namespace

AtkStatus::AtkStatus(std::function<void(const std::string&)> on) : on_(std::move(on)) {
  int ends[2];
  if (!sessionBusKnown() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  fd_ = ends[0];
  Fl::add_fd(fd_, FL_READ, received, this);
  const char* known = std::getenv("AT_SPI_BUS_ADDRESS");
  std::thread(watch, ends[1], std::string(known != nullptr ? known : "")).detach();
}

AtkStatus::~AtkStatus() {
  if (fd_ < 0) return;
  Fl::remove_fd(fd_);
  close(fd_);
}

void AtkStatus::received(int fd, void* self) {
  auto& status = *static_cast<AtkStatus*>(self);
  char chunk[256];
  const ssize_t got = read(fd, chunk, sizeof chunk);
  if (got > 0) status.pending_.append(chunk, static_cast<std::size_t>(got));
  const std::size_t end = status.pending_.find('\n');
  if (got > 0 && end == std::string::npos) return;
  // The thread has said all it will say.
  Fl::remove_fd(fd);
  close(fd);
  status.fd_ = -1;
  if (end != std::string::npos) status.on_(status.pending_.substr(0, end));
}

}  // namespace fltkhost
