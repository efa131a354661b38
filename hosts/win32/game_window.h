#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "hosts/win32/accessible_window.h"  // accessibility
#include "hosts/win32/gdi_canvas.h"
#include "hosts/win32/gdi_handles.h"
#include "toolkit/form.h"
#include "toolkit/scaled_canvas.h"

namespace win32 {

// The borderless top-level window that shows the form and turns Windows input into the form's
// input calls. WinMain owns it; its window procedure reaches it through GWLP_USERDATA.
class GameWindow {
 public:
  // Called by WinMain once the form is loaded. Creates the window hidden, at the form's size
  // scaled to its monitor's density, with the form's caption and colour; onClose runs when the
  // user asks to close it (Alt+F4).
  GameWindow(HINSTANCE instance, toolkit::Form& form, std::function<void()> onClose);
  ~GameWindow();
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

  void paint();
  void applyDpi(UINT dpi, const RECT* suggested);
  int layoutPixel(int devicePixel) const;
  void createToolTip();
  void updateToolTip(int x, int y);
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
  // Device pixels per layout pixel on the window's monitor; changed only by applyDpi.
  double scale_ = 1.0;
  // The pictures drawn at scales other than one, kept across monitors.
  toolkit::PictureCache pictures_;
  AccessibleWindow accessible_{form_};  // accessibility: owned here
};

}  // namespace win32
