#include "render/glyph_painter.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {
namespace {

// Check states a button reports with BM_GETCHECK.
constexpr LRESULT kChecked = BST_CHECKED;
constexpr LRESULT kIndeterminate = BST_INDETERMINATE;

// SheetCheck cells; the disabled variant of each sits kDisabledOffsetX
// further right.
constexpr int kDisabledOffsetX = 9;
constexpr int kMarkX = 0, kMarkY = 0, kMarkWidth = 9, kMarkHeight = 8;
constexpr int kSquareX = 1, kSquareY = 9, kSquareSize = 7;
constexpr int kDotX = 2, kDotY = 18, kDotSize = 5;

// SheetOption cells: the rings stacked by state, the disabled ring last,
// and the check box's hot and pressed insides.
constexpr int kRingSize = 13;
constexpr int kRingEdge = 5;
constexpr int kDisabledRingY = 39;
constexpr int kInsideX = 1, kInsideHotY = 17, kInsidePressedY = 30, kInsideWidth = 11, kInsideHeight = 5;

// Compares with the state last painted and records the new one. False when
// the caller's request would repaint what is already there.
bool ClaimState(HWND window, int state, bool force) {
  if (GetPropInt(window, prop::kOldState) == state && !force) return false;
  SetPropInt(window, prop::kOldState, state);
  return true;
}

struct GlyphPlace {
  int cx = 0, cy = 0, top = 0;
};

// The glyph sits at the left edge, centred vertically in the window
// rectangle (borders included). The menu-check size follows the DPI, so it
// is read on every call.
GlyphPlace PlaceGlyph(HWND window) {
  GlyphPlace place;
  place.cx = GetSystemMetrics(SM_CXMENUCHECK);
  place.cy = GetSystemMetrics(SM_CYMENUCHECK);
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  place.top = HalveToEven(bounds.Height - place.cy);
  return place;
}

LRESULT CheckStateOf(HWND window) { return SendMessageW(window, BM_GETCHECK, 0, 0); }

// The control's own glyph is centred its own way (a row higher than the
// skin's on some platforms), so the whole column it may take, the client
// area's height at its left edge, gets the control's background first. An
// opaque glyph's own square is left out, so that it does not flicker.
void CoverPlatformGlyph(HWND window, HDC dc, const GlyphPlace& place, bool opaque_glyph) {
  int x = 0, y = 0;
  GetClientOffset(window, x, y);
  RECT client{};
  GetClientRect(window, &client);
  const RECT column{x, y, x + place.cx, y + client.bottom};
  // The brush the control paints its background with.
  HWND parent = GetParent(window);
  if (!parent) parent = window;
  const WPARAM dc_param = reinterpret_cast<WPARAM>(dc);
  const LPARAM window_param = reinterpret_cast<LPARAM>(window);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC, dc_param, window_param));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(parent, WM_CTLCOLORSTATIC, dc_param, window_param));
  if (opaque_glyph) ExcludeClipRect(dc, 0, place.top, place.cx, place.top + place.cy);
  FillRect(dc, &column, brush);
  if (opaque_glyph) SelectClipRgn(dc, nullptr);
}

}  // namespace

int PaintCheckBox(HWND window, int state, bool force) {
  if (!ClaimState(window, state, force)) return 0;
  const GlyphPlace place = PlaceGlyph(window);
  const int cx = place.cx, cy = place.cy;
  const LRESULT check = CheckStateOf(window);
  HDC check_sheet = Sheet(SheetCheck);

  // Composed off screen: the glyph is opaque and replaces the whole square.
  MemoryDC glyph(cx, cy);
  FillSolidRect(glyph, 0, 0, cx, cy, kColorWhite);
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (enabled) {
    FrameSolidRect(glyph, 0, 0, cx, cy, state == kStatePressed ? kColorFramePressed : kColorFrameEnabled);
    if (state == kStateHot || state == kStatePressed) {
      const int inside_y = state == kStateHot ? kInsideHotY : kInsidePressedY;
      StretchBlt(glyph, 1, 1, cx - 2, cy - 2, Sheet(SheetOption), kInsideX, inside_y, kInsideWidth, kInsideHeight,
                 SRCCOPY);
    }
  } else {
    // A disabled box keeps a white inside whatever the mouse does.
    FrameSolidRect(glyph, 0, 0, cx, cy, kColorFrameDisabled);
  }
  const int offset = enabled ? 0 : kDisabledOffsetX;
  if (check == kChecked) {
    TransparentBlit(glyph, HalveToEven(cx - kMarkWidth), HalveToEven(cy - kMarkHeight), kMarkWidth, kMarkHeight,
                    check_sheet, kMarkX + offset, kMarkY, kColorKey, nullptr);
  } else if (check == kIndeterminate) {
    TransparentBlit(glyph, HalveToEven(cx - kSquareSize), HalveToEven(cy - kSquareSize), kSquareSize, kSquareSize,
                    check_sheet, kSquareX + offset, kSquareY, kColorKey, nullptr);
  }

  ScopedWindowDC window_dc(window);
  CoverPlatformGlyph(window, window_dc, place, true);
  BitBlt(window_dc, 0, place.top, cx, cy, glyph, 0, 0, SRCCOPY);
  return 1;
}

int PaintOptionButton(HWND window, int state, bool force) {
  if (!ClaimState(window, state, force)) return 0;
  const GlyphPlace place = PlaceGlyph(window);
  const int cx = place.cx, cy = place.cy;
  const LRESULT check = CheckStateOf(window);
  const bool enabled = IsWindowEnabled(window) != FALSE;

  // Straight onto the window: the ring's key-coloured corners leave the
  // control's own background showing.
  ScopedWindowDC window_dc(window);
  CoverPlatformGlyph(window, window_dc, place, false);
  int ring_y = -1;
  if (!enabled) {
    ring_y = kDisabledRingY;
  } else if (state == kStateNormal || state == kStateHot || state == kStatePressed) {
    ring_y = kRingSize * state;
  }
  if (ring_y >= 0) {
    StretchSprite(window_dc, 0, place.top, cx, cy, Sheet(SheetOption), 0, ring_y, kRingSize, kRingSize, kRingEdge,
                  kRingEdge, kRingEdge, kRingEdge, kColorKey);
  }
  if (check == kChecked) {
    // The half is taken of top + (cy - 5) / 2 as a whole, so an odd top and
    // an odd difference round together.
    TransparentBlit(window_dc, HalveToEven(cx - kDotSize), HalveToEven(2 * place.top + cy - kDotSize), kDotSize,
                    kDotSize, Sheet(SheetCheck), kDotX + (enabled ? 0 : kDisabledOffsetX), kDotY, kColorKey,
                    nullptr);
  }
  return 1;
}

}  // namespace skin
