#include "hosts/win32/game_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdint>

#include "hosts/core/display_scale.h"
#include "hosts/win32/painted_property.h"
#include "hosts/win32/resource_ids.h"
#include "hosts/win32/wide_text.h"
#include "hosts/win32/window_dpi.h"

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"QuintozWindow";
constexpr UINT_PTR kToolId = 1;
// The window's styles: no caption, frame or system menu, so the window is all client area and
// the game draws its own quit and minimise controls. The minimise style lets the taskbar
// minimise it.
constexpr DWORD kStyle = WS_POPUP | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;

// The shift mask of the form's key events: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftState() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

// The form's mask of held buttons from a mouse message's key flags.
std::int16_t heldButtons(WPARAM keys) {
  std::int16_t buttons = 0;
  if ((keys & MK_LBUTTON) != 0) buttons |= toolkit::kLeftButton;
  if ((keys & MK_RBUTTON) != 0) buttons |= toolkit::kRightButton;
  if ((keys & MK_MBUTTON) != 0) buttons |= toolkit::kMiddleButton;
  return buttons;
}

}  // namespace

GameWindow::GameWindow(HINSTANCE instance, toolkit::Form& form, std::function<void()> onClose)
    : instance_(instance), form_(form), onClose_(std::move(onClose)), core_(form, *this, 1.0) {
  const toolkit::Rgb back = form.BackColor;
  background_.reset(CreateSolidBrush(RGB(back.r, back.g, back.b)));

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &GameWindow::procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  windowClass.hbrBackground = background_.get();
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  const toolkit::PixelRect size = form.pixelRect();
  RECT frame{0, 0, size.w, size.h};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const std::wstring title = wideText(form.Caption);
  window_ = CreateWindowExW(kExStyle, kClassName, title.c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                            nullptr, nullptr, instance, this);
  createToolTip();
  // The monitor is known once the window exists; it is still hidden, so resizing shows nothing.
  if (window_ != nullptr) applyDpi(windowDpi(window_), nullptr);
}

void GameWindow::applyDpi(UINT dpi, const RECT* suggested) {
  core_.setScale(windowcore::scaleForDpi(dpi));
  const toolkit::PixelRect client = core_.deviceRect();
  RECT frame{0, 0, client.w, client.h};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  // Windows suggests where the window goes on the new monitor; the size is the layout's own, so
  // that it is exact at every density.
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int x = 0;
  int y = 0;
  if (suggested != nullptr) {
    x = suggested->left;
    y = suggested->top;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(window_, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top, flags);
  // The back buffer is made again at the new size by the next paint.
  backDc_.reset();
  backBitmap_.reset();
  if (toolTip_ != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_;
    tool.uId = kToolId;
    GetClientRect(window_, &tool.rect);
    SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  InvalidateRect(window_, nullptr, FALSE);
}

void GameWindow::invalidate() {
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void GameWindow::markPainted(std::uint64_t fingerprint) {
  if (window_ == nullptr) return;
  SetPropW(window_, kPaintedProperty,
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(fingerprint)));
}

GameWindow::~GameWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
  // The class refers to the background brush, which goes away with this object.
  UnregisterClassW(kClassName, instance_);
}

LRESULT CALLBACK GameWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<GameWindow*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<GameWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT GameWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; accessible_.handle(window_, message, wParam, lParam, r)) return r;
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel from the back buffer
    case WM_LBUTTONDOWN:
      mouseDown(lParam, toolkit::kLeftButton);
      return 0;
    case WM_RBUTTONDOWN:
      mouseDown(lParam, toolkit::kRightButton);
      return 0;
    case WM_MBUTTONDOWN:
      mouseDown(lParam, toolkit::kMiddleButton);
      return 0;
    case WM_LBUTTONUP:
      mouseUp(wParam, lParam, toolkit::kLeftButton);
      return 0;
    case WM_RBUTTONUP:
      mouseUp(wParam, lParam, toolkit::kRightButton);
      return 0;
    case WM_MBUTTONUP:
      mouseUp(wParam, lParam, toolkit::kMiddleButton);
      return 0;
    case WM_MOUSEMOVE:
      mouseMove(wParam, lParam);
      return 0;
    case WM_KEYDOWN:
      core_.keyDown(static_cast<std::int16_t>(wParam), shiftState());
      return 0;
    case WM_KEYUP:
      core_.keyUp(static_cast<std::int16_t>(wParam), shiftState());
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == toolTip_ && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        info->lpszText = toolTipText_.data();
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // Closing asks first, exactly like the quit button; the game ends the program itself.
      core_.runEvent(onClose_);
      return 0;
    case WM_DPICHANGED:
      // Moved to a monitor of another density, or the density was changed.
      applyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      RemovePropW(window_, kPaintedProperty);
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void GameWindow::paint() {
  PAINTSTRUCT ps{};
  HDC screen = BeginPaint(window_, &ps);
  RECT client{};
  GetClientRect(window_, &client);
  if (!backDc_) {
    backDc_.reset(CreateCompatibleDC(screen));
    backBitmap_.reset(CreateCompatibleBitmap(screen, client.right, client.bottom));
    SelectObject(backDc_.get(), backBitmap_.get());
  }
  {
    GdiCanvas canvas(backDc_.get(), gdi_);
    core_.paint(canvas);
  }
  BitBlt(screen, 0, 0, client.right, client.bottom, backDc_.get(), 0, 0, SRCCOPY);
  EndPaint(window_, &ps);
  accessible_.update(window_, core_.scale());
}

void GameWindow::createToolTip() {
  if (window_ == nullptr) return;
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (toolTip_ == nullptr) return;
  TTTOOLINFOW tool{};
  // The size of the oldest layout, which every version of the common controls accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = kToolId;
  GetClientRect(window_, &tool.rect);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void GameWindow::showToolTip(const std::string& text, const toolkit::PixelRect& /*area*/) {
  if (toolTip_ == nullptr) return;
  // One tool covers the whole window, so a new control under the mouse only shows its own tip
  // once the old one is taken down; the tip control then asks for the text again.
  toolTipText_ = wideText(text);
  SendMessageW(toolTip_, TTM_POP, 0, 0);
  SendMessageW(toolTip_, TTM_ACTIVATE, toolTipText_.empty() ? FALSE : TRUE, 0);
}

void GameWindow::mouseDown(LPARAM lParam, std::int16_t button) {
  // The capture makes the release arrive here even when it happens outside the window.
  SetCapture(window_);
  core_.pointerDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), button);
}

void GameWindow::mouseUp(WPARAM wParam, LPARAM lParam, std::int16_t button) {
  // The capture ends with the last button; the key flags name the buttons still held.
  if (heldButtons(wParam) == 0 && GetCapture() == window_) ReleaseCapture();
  core_.pointerUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), button);
}

void GameWindow::mouseMove(WPARAM wParam, LPARAM lParam) {
  core_.pointerMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), heldButtons(wParam));
  if (window_ == nullptr) return;
  // A drag runs the system's move loop, which swallows the button's release and drops our
  // capture; the form still believes the button is held, so it is told here.
  if (form_.pressedOnSurface() && GetCapture() != window_) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window_, &cursor);
    core_.pointerUp(cursor.x, cursor.y, toolkit::kLeftButton);
  }
}

}  // namespace win32
