#include "hosts/win32/windows_host.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "hosts/core/dialog_text.h"
#include "hosts/win32/input_box.h"
#include "hosts/win32/resource_ids.h"
#include "hosts/win32/wide_text.h"

namespace win32 {

std::string WindowsHost::askInput(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
  return showInputBox(window_, prompt, title, defaultText);
}

toolkit::MessageAnswer WindowsHost::askMessage(const std::string& text, const std::string& title,
                                               toolkit::MessageButtons buttons,
                                               toolkit::MessageAnswer defaultAnswer) {
  UINT type = MB_OK;
  if (buttons == toolkit::MessageButtons::YesNo) {
    type = MB_YESNO | (defaultAnswer == toolkit::MessageAnswer::No ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
  }
  // Before the window exists the box has no owner and must bring itself to the front.
  if (window_ == nullptr) type |= MB_SETFOREGROUND | MB_TASKMODAL;
  const std::wstring wideMessage = wideText(windowcore::withLineBreaks(text, "\r\n"));
  const std::wstring wideTitle = wideText(title);
  switch (MessageBoxW(window_, wideMessage.c_str(), wideTitle.c_str(), type)) {
    case IDYES:
      return toolkit::MessageAnswer::Yes;
    case IDNO:
      return toolkit::MessageAnswer::No;
    default:
      return toolkit::MessageAnswer::Ok;
  }
}

void WindowsHost::paintNow() {
  // Sends the window its WM_PAINT at once, if any of it is invalid, and reads no input.
  if (window_ != nullptr) UpdateWindow(window_);
}

void WindowsHost::sleepUpTo(double seconds) {
  // Short slices keep the window repainted between them; rounding up keeps the wait from
  // spinning on a remainder below one millisecond.
  const double slice = std::clamp(seconds, 0.0, 0.01);
  Sleep(static_cast<DWORD>(std::ceil(slice * 1000.0)));
}

void WindowsHost::playRollSound() {
  // Without a sound device this fails quietly, as the game wants.
  PlaySoundA(MAKEINTRESOURCEA(kRollSoundId), GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC);
}

void WindowsHost::dragWindow() {
  if (window_ == nullptr) return;
  // The system's own move loop moves the window until the button is released; it expects a
  // pointer to the cursor position, which the platform the game was written for passed as zero.
  static_assert(sizeof(std::int32_t) == 4);
  std::int32_t zero = 0;
  ReleaseCapture();
  SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, reinterpret_cast<LPARAM>(&zero));
}

void WindowsHost::endProgram() {
  if (window_ != nullptr) DestroyWindow(window_);
  ExitProcess(0);
}

}  // namespace win32
