// The Windows program: one application object owns the host, the game and its window.
#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "hosts/win32/game_window.h"
#include "hosts/win32/user_language.h"
#include "hosts/win32/windows_host.h"
#include "ui/frmQuintoz.h"

namespace {

class Application {
 public:
  // The game speaks the first of the user's interface languages that it has.
  explicit Application(HINSTANCE instance)
      : instance_(instance), game_(host_, win32::userCatalogue()) {}

  // Called once by WinMain: asks the start-up questions, shows the window and handles its
  // messages until the game ends the program.
  int run(int show) {
    // The start-up prompts come before the window, which shows the answers once it appears.
    game_.form.load();
    window_.emplace(instance_, game_.form, [this] { game_.cmdExit_Click(); });
    host_.attach(window_->handle(), &window_->core());
    ShowWindow(window_->handle(), show);
    UpdateWindow(window_->handle());
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    host_.attach(nullptr, nullptr);
    return static_cast<int>(message.wParam);
  }

 private:
  HINSTANCE instance_;
  win32::WindowsHost host_;
  frmQuintoz game_;
  std::optional<win32::GameWindow> window_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  Application application(instance);
  return application.run(show);
}
