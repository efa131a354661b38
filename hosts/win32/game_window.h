#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "hosts/core/window_core.h"
#include "hosts/win32/accessible_window.h"
#include "hosts/win32/gdi_canvas.h"
#include "hosts/win32/gdi_handles.h"

namespace win32 {

// The borderless top-level window: its GDI canvas, its tool tip control and its messages, with
// everything else left to the window core. WinMain owns it; its window procedure reaches it
// through GWLP_USERDATA.
class GameWindow : private windowcore::PlatformWindow {
 public:
  // Called by WinMain once the form is loaded. Creates the window hidden, at the form's size
  // scaled to its monitor's density, with the form's caption and colour; onClose runs when the
  // user asks to close it (Alt+F4).
  GameWindow(HINSTANCE instance, toolkit::Form& form, std::function<void()> onClose);
  ~GameWindow() override;
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  HWND handle() const { return window_; }
  // Called by the host's repaint: the core that knows whether the form changed.
  windowcore::WindowCore& core() { return core_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  void invalidate() override;
  void showToolTip(const std::string& text, const toolkit::PixelRect& area) override;
  void forgetPictures() override { gdi_.forgetPictures(); }
  void markPainted(std::uint64_t fingerprint) override;

  void paint();
  void applyDpi(UINT dpi, const RECT* suggested);
  void createToolTip();
  void mouseDown(LPARAM lParam, std::int16_t button);
  void mouseUp(WPARAM wParam, LPARAM lParam, std::int16_t button);
  void mouseMove(WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  toolkit::Form& form_;
  std::function<void()> onClose_;
  GdiObject<HBRUSH> background_;
  GdiResources gdi_;
  MemoryDc backDc_;
  GdiObject<HBITMAP> backBitmap_;
  HWND window_ = nullptr;
  HWND toolTip_ = nullptr;  // owned by the window: destroyed with it
  std::wstring toolTipText_;
  // Made at scale one; applyDpi gives it the monitor's scale once the window exists.
  windowcore::WindowCore core_;
  AccessibleWindow accessible_{form_};  // owned here; exposes the form to assistive technology
};

}  // namespace win32
