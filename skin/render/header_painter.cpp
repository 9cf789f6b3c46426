#include "render/header_painter.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "render/button_painter.h"
#include "state/message.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {
namespace {

// SheetHeader: three 3 x 20 item cells side by side, normal, hot, pressed;
// column 1 of the normal cell doubles as the background.
constexpr int kCellWidth = 3, kCellHeight = 20, kCellEdge = 1;
constexpr int kHotCellX = 3, kPressedCellX = 6;
constexpr int kBackgroundX = 1;
constexpr int kTextCapacity = 256;  // 255 characters and the terminator

int CellFor(int state) {
  if (state == kStatePressed) return kPressedCellX;
  if (state == kStateHot) return kHotCellX;
  return 0;
}

// The item's text through the W message, so that it never passes through
// the ANSI code page. A failed request leaves the buffer empty.
std::wstring ItemText(HWND window, WNDPROC previous, int index) {
  std::wstring buffer(kTextCapacity, L'\0');
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = buffer.data();
  item.cchTextMax = kTextCapacity;
  AskWindow(window, previous, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  buffer.erase(std::remove(buffer.begin(), buffer.end(), L'\0'), buffer.end());
  return buffer;
}

RECT ItemRect(HWND window, WNDPROC previous, int index) {
  RECT rect{};
  AskWindow(window, previous, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

HFONT FontOf(HWND window, WNDPROC previous) {
  return reinterpret_cast<HFONT>(AskWindow(window, previous, WM_GETFONT, 0, 0));
}

}  // namespace

LRESULT PaintHeader(const Message& m) {
  WindowBounds bounds;
  GetWindowBounds(m.window, bounds);
  const int w = bounds.Width, h = bounds.Height;
  MemoryDC image(w, h);
  StretchBlt(image, 0, 0, w, h, Sheet(SheetHeader), kBackgroundX, 0, 1, kCellHeight, SRCCOPY);

  // Every question goes to the header's own procedure: the skin paints the
  // whole header and has nothing to add to the answers.
  const int count = static_cast<int>(AskWindow(m.window, m.previous, HDM_GETITEMCOUNT, 0, 0));
  if (count > 0) {
    const int pressed = GetPropInt(m.window, prop::kHdIndex);
    const int hot = GetPropInt(m.window, prop::kHmIndex);
    SelectGuard font(image, FontOf(m.window, m.previous));
    SetBkMode(image, TRANSPARENT);
    for (int i = 0; i < count; ++i) {
      const RECT rc = ItemRect(m.window, m.previous, i);
      const std::wstring text = ItemText(m.window, m.previous, i);
      // Pressed wins over hot when both name the same item.
      const int state = i == pressed ? kStatePressed : i == hot ? kStateHot : kStateNormal;
      StretchSprite(image, rc.left, 0, rc.right - rc.left, h, Sheet(SheetHeader), CellFor(state), 0, kCellWidth,
                    kCellHeight, kCellEdge, kCellEdge, kCellEdge, kCellEdge);
      if (!text.empty()) DrawCaptionText(image, text, rc.left, 0, rc.right - rc.left, rc.bottom, kCaptionFormat);
    }
  }

  ScopedPaint paint(m.window);
  BitBlt(paint, 0, 0, w, h, image, 0, 0, SRCCOPY);
  return 0;
}

int PaintHeaderItem(HWND window, HDC dc, int index, int state, WNDPROC previous) {
  if (index < 0) return 0;
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  const RECT rc = ItemRect(window, previous, index);
  const int iw = rc.right - rc.left;
  const int ih = rc.bottom - rc.top;

  MemoryDC image(iw, bounds.Height);
  SelectGuard font(image, FontOf(window, previous));
  SetBkMode(image, TRANSPARENT);
  StretchSprite(image, 0, 0, iw, bounds.Height, Sheet(SheetHeader), CellFor(state), 0, kCellWidth, kCellHeight,
                kCellEdge, kCellEdge, kCellEdge, kCellEdge);
  const std::wstring text = ItemText(window, previous, index);
  if (!text.empty()) DrawCaptionText(image, text, 0, 0, iw, bounds.Height, kCaptionFormat);

  if (dc) {
    BitBlt(dc, rc.left, 0, iw, ih, image, 0, 0, SRCCOPY);
  } else {
    ScopedWindowDC window_dc(window);
    BitBlt(window_dc, rc.left, 0, iw, ih, image, 0, 0, SRCCOPY);
  }
  return 0;
}

}  // namespace skin
