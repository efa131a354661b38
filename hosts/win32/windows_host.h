#pragma once

#include <windows.h>

#include "hosts/core/window_core.h"
#include "hosts/core/window_host.h"

namespace win32 {

// The game's door to Windows. The game calls it through toolkit::Host; the window tells it which
// window it is once that exists, and until then dialogs have no owner and repaints do nothing.
class WindowsHost : public windowcore::WindowHost {
 public:
  // Called by WinMain right after the game window is created and right before it is destroyed
  // (with nulls): the window owns the dialogs, and its core decides what a repaint draws.
  void attach(HWND window, windowcore::WindowCore* core) {
    window_ = window;
    paintIn(core);
  }

  void sleepUpTo(double seconds) override;
  void playRollSound() override;
  void dragWindow() override;
  [[noreturn]] void endProgram() override;

 protected:
  std::string askInput(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  toolkit::MessageAnswer askMessage(const std::string& text, const std::string& title,
                                    toolkit::MessageButtons buttons,
                                    toolkit::MessageAnswer defaultAnswer) override;
  void paintNow() override;

 private:
  HWND window_ = nullptr;
};

}  // namespace win32
