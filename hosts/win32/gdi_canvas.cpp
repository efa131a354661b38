#include "hosts/win32/gdi_canvas.h"

#include "hosts/core/font_face.h"
#include "hosts/win32/dib_pixels.h"
#include "hosts/win32/wide_text.h"

namespace win32 {

namespace {

COLORREF colorOf(toolkit::Rgb c) {
  return RGB(c.r, c.g, c.b);
}

RECT rectOf(const toolkit::PixelRect& r) {
  return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

}  // namespace

HFONT GdiResources::font(const toolkit::Font& font) {
  auto key = std::make_tuple(font.face, font.points, font.bold);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  const std::wstring face = wideText(font.face);
  HFONT created = CreateFontW(-windowcore::pointsToPixels(font.points), 0, 0, 0,
                              font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  return fonts_.emplace(std::move(key), GdiObject<HFONT>(created)).first->second.get();
}

const std::vector<std::uint8_t>& GdiResources::dibRows(const toolkit::Image& image) {
  auto found = pictures_.find(&image);
  if (found != pictures_.end()) return found->second;
  return pictures_.emplace(&image, toDibRows(image)).first->second;
}

GdiCanvas::GdiCanvas(HDC dc, GdiResources& resources)
    : dc_(dc), resources_(resources), savedState_(SaveDC(dc)) {
  SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() {
  // Restoring the outermost state also deselects every cached font from the context.
  RestoreDC(dc_, savedState_);
}

void GdiCanvas::pushClip(const toolkit::PixelRect& r) {
  SaveDC(dc_);
  ++depth_;
  IntersectClipRect(dc_, r.x, r.y, r.x + r.w, r.y + r.h);
}

void GdiCanvas::popClip() {
  if (depth_ == 0) return;
  --depth_;
  RestoreDC(dc_, -1);
}

void GdiCanvas::fillRect(const toolkit::PixelRect& r, toolkit::Rgb colour) {
  if (r.empty()) return;
  const RECT rc = rectOf(r);
  SetDCBrushColor(dc_, colorOf(colour));
  FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::drawText(const toolkit::PixelRect& box, std::string_view utf8,
                         const toolkit::Font& font, toolkit::Rgb colour, toolkit::HAlign align) {
  if (utf8.empty() || box.empty()) return;
  std::wstring text = wideText(utf8);
  RECT rc = rectOf(box);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  switch (align) {
    case toolkit::HAlign::Left:
      format |= DT_LEFT;
      break;
    case toolkit::HAlign::Center:
      format |= DT_CENTER;
      break;
    case toolkit::HAlign::Right:
      format |= DT_RIGHT;
      break;
  }
  SelectObject(dc_, resources_.font(font));
  SetTextColor(dc_, colorOf(colour));
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rc, format);
}

int GdiCanvas::textWidth(std::string_view utf8, const toolkit::Font& font) {
  const std::wstring text = wideText(utf8);
  SelectObject(dc_, resources_.font(font));
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void GdiCanvas::drawImage(int x, int y, const toolkit::Image& image) {
  if (image.width <= 0 || image.height <= 0) return;
  const std::vector<std::uint8_t>& rows = resources_.dibRows(image);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // negative: the rows run top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0,
                    0, 0, static_cast<UINT>(image.height), rows.data(), &info, DIB_RGB_COLORS);
}

void GdiCanvas::drawFocusRect(const toolkit::PixelRect& r) {
  // The dotted pattern takes the context's text and background colours; a caption drawn just
  // before may have left any colour there.
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  const RECT rc = rectOf(r);
  DrawFocusRect(dc_, &rc);
}

}  // namespace win32
