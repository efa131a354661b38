#include "hosts/atk/assistive_status.h"

#include <FL/Fl.H>
#include <dbus/dbus.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <thread>

#include "hosts/fltk/late_library.h"

// clang-format off
#define QUINTOZ_DBUS_FUNCTIONS(F)                                                          \
  F(dbus_error_init) F(dbus_error_free) F(dbus_bus_get_private) F(dbus_bus_register)       \
  F(dbus_bus_add_match) F(dbus_connection_open_private) F(dbus_connection_close)           \
  F(dbus_connection_unref) F(dbus_connection_set_exit_on_disconnect)                       \
  F(dbus_connection_read_write) F(dbus_connection_pop_message)                             \
  F(dbus_connection_send_with_reply_and_block) F(dbus_message_new_method_call)             \
  F(dbus_message_append_args) F(dbus_message_is_signal) F(dbus_message_unref)              \
  F(dbus_message_iter_init) F(dbus_message_iter_recurse) F(dbus_message_iter_get_arg_type) \
  F(dbus_message_iter_get_basic)
// clang-format on
QUINTOZ_LATE_TABLE(DbusApi, "libdbus-1.so.3", QUINTOZ_DBUS_FUNCTIONS)

namespace fltkhost {

namespace {

// A private connection of the watching thread's own, to the session bus or to the
// accessibility bus, closed as it goes.
class Connection {
 public:
  Connection(const DbusApi& api, const char* address) : api_(api) {
    api.dbus_error_init(&error_);
    bus_ = address == nullptr ? api.dbus_bus_get_private(DBUS_BUS_SESSION, &error_)
                              : api.dbus_connection_open_private(address, &error_);
    if (bus_ != nullptr) api.dbus_connection_set_exit_on_disconnect(bus_, FALSE);
    // Said hello, a bus answers.
    if (bus_ != nullptr && address != nullptr && !api.dbus_bus_register(bus_, &error_)) close();
  }
  ~Connection() {
    close();
    api_.dbus_error_free(&error_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  explicit operator bool() const { return bus_ != nullptr; }

  // The first argument of the reply of the accessibility bus's launcher, which must be of that
  // type (inside a variant when it is one), read as Raw and copied out before the reply goes:
  // false when there is none.
  template <typename Raw, typename Out>
  bool ask(int type, const char* interface, const char* method, Out& value, const char* a = nullptr,
           const char* b = nullptr) {
    std::unique_ptr<DBusMessage, void (*)(DBusMessage*)> call(
        api_.dbus_message_new_method_call("org.a11y.Bus", "/org/a11y/bus", interface, method),
        api_.dbus_message_unref);
    if (call == nullptr) return false;
    if (a != nullptr) {
      api_.dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &a, DBUS_TYPE_STRING, &b,
                                    DBUS_TYPE_INVALID);
    }
    api_.dbus_error_free(&error_);
    const std::unique_ptr<DBusMessage, void (*)(DBusMessage*)> reply(
        api_.dbus_connection_send_with_reply_and_block(bus_, call.get(), DBUS_TIMEOUT_USE_DEFAULT,
                                                       &error_),
        api_.dbus_message_unref);
    DBusMessageIter outer, inner;
    if (reply == nullptr || !api_.dbus_message_iter_init(reply.get(), &outer)) return false;
    DBusMessageIter* at = &outer;
    if (api_.dbus_message_iter_get_arg_type(&outer) == DBUS_TYPE_VARIANT) {
      api_.dbus_message_iter_recurse(&outer, &inner);
      at = &inner;
    }
    if (api_.dbus_message_iter_get_arg_type(at) != type) return false;
    Raw raw{};
    api_.dbus_message_iter_get_basic(at, &raw);
    value = raw;
    return true;
  }
  bool on(const char* property) {
    dbus_bool_t value = FALSE;
    return ask<dbus_bool_t>(DBUS_TYPE_BOOLEAN, "org.freedesktop.DBus.Properties", "Get", value,
                            "org.a11y.Status", property) &&
           value != FALSE;
  }
  // Listens for the status's changes from now on, so that none is missed between a reading and
  // the wait that follows it.
  void listen() {
    api_.dbus_bus_add_match(bus_,
                            "type='signal',interface='org.freedesktop.DBus.Properties',"
                            "member='PropertiesChanged',path='/org/a11y/bus'",
                            nullptr);
  }
  // Waits for the status to change; false when the session bus went away.
  bool changed() {
    while (api_.dbus_connection_read_write(bus_, -1)) {
      while (DBusMessage* message = api_.dbus_connection_pop_message(bus_)) {
        const bool status = api_.dbus_message_is_signal(message, "org.freedesktop.DBus.Properties",
                                                        "PropertiesChanged");
        api_.dbus_message_unref(message);
        if (status) return true;
      }
    }
    return false;
  }

 private:
  void close() {
    if (bus_ == nullptr) return;
    api_.dbus_connection_close(bus_);
    api_.dbus_connection_unref(bus_);
    bus_ = nullptr;
  }
  const DbusApi& api_;
  DBusError error_;
  DBusConnection* bus_ = nullptr;
};

// Without a session bus named in the environment or at its usual place, libdbus would launch
// one of its own for the display (autolaunch): a daemon no screen reader listens on.
bool sessionBusKnown() {
  const char* named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return (named != nullptr && *named != '\0') ||
         (runtime != nullptr && access((std::string(runtime) + "/bus").c_str(), F_OK) == 0);
}

// The address of an accessibility bus that answers, once the status is on (`known` from the
// environment, or else from its launcher); "" when the session bus is gone or never was.
std::string awaitAssistiveTechnology(const std::string& known) {
  const DbusApi* api = DbusApi::get();
  if (api == nullptr) return {};
  Connection session(*api, nullptr);
  if (!session) return {};
  session.listen();
  while (!session.on("IsEnabled") && !session.on("ScreenReaderEnabled")) {
    if (!session.changed()) return {};
  }
  std::string address = known;
  if (address.empty() &&
      !session.ask<const char*>(DBUS_TYPE_STRING, "org.a11y.Bus", "GetAddress", address)) {
    return {};
  }
  return Connection(*api, address.c_str()) ? address : std::string();
}

}  // namespace

AssistiveStatus::AssistiveStatus(std::function<void(const std::string&)> on) : on_(std::move(on)) {
  int ends[2];
  if (!sessionBusKnown() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  fd_ = ends[0];
  Fl::add_fd(fd_, FL_READ, received, this);
  const char* known = std::getenv("AT_SPI_BUS_ADDRESS");
  // On a thread of its own, as every step may wait on D-Bus for long; it says the address, or
  // nothing, and ends.
  std::thread(
      [](int fd, std::string bus) {
        const std::string line = awaitAssistiveTechnology(bus) + '\n';
        if (line.size() > 1) send(fd, line.data(), line.size(), MSG_NOSIGNAL);
        close(fd);
      },
      ends[1], std::string(known != nullptr ? known : ""))
      .detach();
}

AssistiveStatus::~AssistiveStatus() {
  if (fd_ < 0) return;
  Fl::remove_fd(fd_);
  close(fd_);
}

void AssistiveStatus::received(int fd, void* self) {
  auto& status = *static_cast<AssistiveStatus*>(self);
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
