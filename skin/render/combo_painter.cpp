#include "render/combo_painter.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "render/dpi_scaling.h"
#include "render/frame_border.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {
namespace {

constexpr LONG_PTR kHasDropButton = 0x2;    // CBS_DROPDOWN and CBS_DROPDOWNLIST
constexpr LONG_PTR kDrawsSelection = 0x1;   // CBS_SIMPLE and CBS_DROPDOWNLIST
constexpr int kArrowWidth = 7, kArrowHeight = 4;
constexpr int kBackgroundCellWidth = 4, kBackgroundCellHeight = 18;
constexpr int kArrowCellX = 8;
constexpr int kArtworkStripWidth = 18;  // the strip at 96 DPI, which the arrow is made for

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

COLORREF FrameColour(HWND window) { return IsWindowEnabled(window) ? kColorFrameEnabled : kColorFrameDisabled; }

}  // namespace

void PaintComboButton(HWND window, HDC dc, int& state, bool force, WNDPROC previous) {
  const bool open = AskWindow(window, previous, CB_GETDROPPEDSTATE, 0, 0) != 0;
  const int last_state = GetPropInt(window, prop::kOldState);
  if (open) state = kStatePressed;
  if (last_state == state && !force) return;
  if (!(StyleOf(window) & kHasDropButton)) return;
  SetPropInt(window, prop::kOldState, state);

  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  const int strip_width = GetSystemMetrics(SM_CXVSCROLL) + 1;
  const int strip_height = bounds.Height - 2;
  MemoryDC strip(strip_width, strip_height);

  if (state == kStateHot || state == kStatePressed) {
    const int cell_x = state == kStateHot ? 0 : kBackgroundCellWidth;
    StretchSprite(strip, 0, 0, strip_width, strip_height, Sheet(SheetComboButton), cell_x, 0, kBackgroundCellWidth,
                  kBackgroundCellHeight, 2, 1, 1, 1);
  } else {
    FillSolidRect(strip, 0, 0, strip_width, strip_height, kColorWhite);
  }
  const int arrow_y = IsWindowEnabled(window) ? 0 : kArrowHeight;
  if (strip_width == kArtworkStripWidth) {
    TransparentBlit(strip, HalveToEven(strip_width - kArrowWidth), HalveToEven(bounds.Height - 6), kArrowWidth,
                    kArrowHeight, Sheet(SheetComboButton), kArrowCellX, arrow_y, kColorKey, nullptr);
  } else {
    // A wider strip (a higher DPI) gets the arrow enlarged with it, centred
    // the same way.
    const double scale = ArtworkScale(strip_width, kArtworkStripWidth);
    const double w = kArrowWidth * scale, h = kArrowHeight * scale;
    DrawScaledArtwork(strip, 0, 0, strip_width, strip_height,
                      {{SheetComboButton, kArrowCellX, arrow_y, kArrowWidth, kArrowHeight,
                        static_cast<double>(RoundHalfToEven((strip_width - w) / 2)),
                        static_cast<double>(RoundHalfToEven((strip_height - h) / 2)), w, h}});
  }

  const int x = bounds.Width - strip_width - 1;
  if (dc) {
    BitBlt(dc, x, 1, strip_width, strip_height, strip, 0, 0, SRCCOPY);
  } else {
    ScopedWindowDC window_dc(window);
    BitBlt(window_dc, x, 1, strip_width, strip_height, strip, 0, 0, SRCCOPY);
  }
}

LRESULT PaintComboBox(const Message& m) {
  int state = GetPropInt(m.window, prop::kOldState);
  if (StyleOf(m.window) & kDrawsSelection) {
    // The control draws its own selection first; the skin frames it.
    const LRESULT result = m.Forward();
    ScopedWindowDC dc(m.window);
    DrawFrameRings(m.window, dc, true);
    PaintComboButton(m.window, dc, state, true, m.previous);
    return result;
  }
  // An editable drop-down: the edit field is a child that paints itself,
  // so the skin paints all the rest and the control never sees WM_PAINT.
  WindowBounds bounds;
  GetWindowBounds(m.window, bounds);
  ScopedPaint paint(m.window);
  FillSolidRect(paint, 0, 0, bounds.Width, bounds.Height, kColorWhite);
  FrameSolidRect(paint, 0, 0, bounds.Width, bounds.Height, FrameColour(m.window));
  PaintComboButton(m.window, paint, state, true, m.previous);
  return 0;
}

LRESULT PaintDriveList(const Message& m) {
  const LRESULT result = m.Forward();
  int state = GetPropInt(m.window, prop::kOldState);
  ScopedWindowDC dc(m.window);
  DrawFrameRings(m.window, dc, true);
  PaintComboButton(m.window, dc, state, true, m.previous);
  return result;
}

}  // namespace skin
