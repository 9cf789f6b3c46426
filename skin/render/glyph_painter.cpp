#include "render/glyph_painter.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "render/dpi_scaling.h"
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

// The artwork is made for the 13 x 13 glyph of 96 DPI.
bool AtArtworkSize(const GlyphPlace& place) { return place.cx == kRingSize && place.cy == kRingSize; }

// A check-box mark (the check mark or the indeterminate square), centred in
// the cx x cy glyph image, the centre rounded to even; at a larger glyph
// scaled with it.
void DrawCheckBoxMark(HDC glyph, const GlyphPlace& place, int sx, int sy, int w, int h) {
  if (AtArtworkSize(place)) {
    TransparentBlit(glyph, HalveToEven(place.cx - w), HalveToEven(place.cy - h), w, h, Sheet(SheetCheck), sx, sy,
                    kColorKey, nullptr);
    return;
  }
  const double sw = w * ArtworkScale(place.cx, kRingSize), sh = h * ArtworkScale(place.cy, kRingSize);
  DrawScaledArtwork(glyph, 0, 0, place.cx, place.cy,
                    {{SheetCheck, sx, sy, w, h, static_cast<double>(RoundHalfToEven((place.cx - sw) / 2)),
                      static_cast<double>(RoundHalfToEven((place.cy - sh) / 2)), sw, sh}});
}

// At a larger glyph the ring is the 13 x 13 cell enlarged to the whole glyph
// (nine-slicing it would square its curve off), and the dot is enlarged
// with it and kept concentric with the ring.
void DrawScaledOption(HDC dc, const GlyphPlace& place, int ring_y, bool dot, int dot_x) {
  const double dw = kDotSize * ArtworkScale(place.cx, kRingSize), dh = kDotSize * ArtworkScale(place.cy, kRingSize);
  const ScaledPiece ring{SheetOption, 0, ring_y, kRingSize, kRingSize, 0, 0,
                         static_cast<double>(place.cx), static_cast<double>(place.cy)};
  const ScaledPiece mark{SheetCheck, dot_x, kDotY, kDotSize, kDotSize, (place.cx - dw) / 2, (place.cy - dh) / 2,
                         dw, dh};
  ScaledPiece pieces[2];
  int count = 0;
  if (ring_y >= 0) pieces[count++] = ring;
  if (dot) pieces[count++] = mark;
  DrawScaledArtwork(dc, 0, place.top, place.cx, place.cy, pieces, count);
}

}  // namespace

int PaintCheckBox(HWND window, int state, bool force) {
  if (!ClaimState(window, state, force)) return 0;
  const GlyphPlace place = PlaceGlyph(window);
  const int cx = place.cx, cy = place.cy;
  const LRESULT check = CheckStateOf(window);

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
    DrawCheckBoxMark(glyph, place, kMarkX + offset, kMarkY, kMarkWidth, kMarkHeight);
  } else if (check == kIndeterminate) {
    DrawCheckBoxMark(glyph, place, kSquareX + offset, kSquareY, kSquareSize, kSquareSize);
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
  const int dot_x = kDotX + (enabled ? 0 : kDisabledOffsetX);
  if (!AtArtworkSize(place)) {
    DrawScaledOption(window_dc, place, ring_y, check == kChecked, dot_x);
    return 1;
  }
  if (ring_y >= 0) {
    StretchSprite(window_dc, 0, place.top, cx, cy, Sheet(SheetOption), 0, ring_y, kRingSize, kRingSize, kRingEdge,
                  kRingEdge, kRingEdge, kRingEdge, kColorKey);
  }
  if (check == kChecked) {
    // The half is taken of top + (cy - 5) / 2 as a whole, so an odd top and
    // an odd difference round together.
    TransparentBlit(window_dc, HalveToEven(cx - kDotSize), HalveToEven(2 * place.top + cy - kDotSize), kDotSize,
                    kDotSize, Sheet(SheetCheck), dot_x, kDotY, kColorKey, nullptr);
  }
  return 1;
}

}  // namespace skin
