#include "render/glyph_painter.h"

#include <algorithm>
#include <optional>

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "render/dpi_scaling.h"
#include "state/message.h"
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

// Which painter a kept picture belongs to.
enum GlyphPainter : int { kCheckBoxGlyph = 1, kOptionGlyph = 2 };

// Compares with the state last painted and records the new one. False when
// the caller's request would repaint what is already there. A forced paint
// draws whatever the state last painted was, so it does not ask.
bool ClaimState(HWND window, int state, bool force) {
  if (!force && GetPropInt(window, prop::kOldState) == state) return false;
  SetPropInt(window, prop::kOldState, state);
  return true;
}

struct GlyphPlace {
  int cx = 0, cy = 0, top = 0;
  // The column the control's own glyph may take (the client area's height
  // at its left edge), in window coordinates.
  RECT column{};
  // Whether every visible pixel of the glyph square lies in that column.
  bool column_holds_glyph = false;
};

// The glyph sits at the left edge, centred vertically in the window
// rectangle (borders included). Each rectangle is read once per paint.
GlyphPlace PlaceGlyph(HWND window) {
  GlyphPlace place;
  const SIZE size = State().glyphs.GlyphSize();
  place.cx = size.cx;
  place.cy = size.cy;
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  place.top = HalveToEven(bounds.Height - place.cy);
  RECT client{};
  GetClientRect(window, &client);
  int x = 0, y = 0;
  GetClientOffset(bounds, client, GetWindowLongA(window, GWL_STYLE), x, y);
  place.column = RECT{x, y, x + place.cx, y + client.bottom};
  const int visible_top = std::max(place.top, 0);
  const int visible_bottom = std::min(place.top + place.cy, bounds.Height);
  place.column_holds_glyph = x <= 0 && y <= visible_top && place.column.bottom >= visible_bottom;
  return place;
}

// The check mark comes from the control itself.
LRESULT CheckStateOf(HWND window, WNDPROC previous) { return AskWindow(window, previous, BM_GETCHECK, 0, 0); }

// The brush the control paints its background with.
HBRUSH BackgroundBrush(HWND window, HDC dc, WNDPROC parent_previous) {
  HWND parent = GetParent(window);
  if (!parent) parent = window;
  const WPARAM dc_param = reinterpret_cast<WPARAM>(dc);
  const LPARAM window_param = reinterpret_cast<LPARAM>(window);
  auto brush = reinterpret_cast<HBRUSH>(AskWindow(parent, parent_previous, WM_CTLCOLORSTATIC, dc_param, window_param));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(parent, WM_CTLCOLORSTATIC, dc_param, window_param));
  return brush;
}

// The control's own glyph is centred its own way (a row higher than the
// skin's on some platforms), so the whole column it may take gets the
// control's background first. With leave_glyph the glyph's own square is
// left out (it is about to be covered whole), so that it does not flicker.
void CoverPlatformGlyph(HDC dc, const GlyphPlace& place, HBRUSH brush, bool leave_glyph) {
  const RECT& c = place.column;
  if (!leave_glyph) {
    FillRect(dc, &c, brush);
    return;
  }
  const RECT g{0, place.top, place.cx, place.top + place.cy};
  // The column less the square: above it, below it, and either side of it.
  const RECT parts[] = {
      {c.left, c.top, c.right, std::min(c.bottom, g.top)},
      {c.left, std::max(c.top, g.bottom), c.right, c.bottom},
      {c.left, std::max(c.top, g.top), std::min(c.right, g.left), std::min(c.bottom, g.bottom)},
      {std::max(c.left, g.right), std::max(c.top, g.top), c.right, std::min(c.bottom, g.bottom)},
  };
  // FillRect does not order a rectangle's corners: an empty part must not
  // reach it.
  for (const RECT& part : parts) {
    if (part.left < part.right && part.top < part.bottom) FillRect(dc, &part, brush);
  }
}

// The artwork is made for the 13 x 13 glyph of 96 DPI.
bool AtArtworkSize(int cx, int cy) { return cx == kRingSize && cy == kRingSize; }

// A check-box mark (the check mark or the indeterminate square), centred in
// the cx x cy glyph image, the centre rounded to even; at a larger glyph
// scaled with it.
void DrawCheckBoxMark(HDC glyph, int cx, int cy, int sx, int sy, int w, int h) {
  if (AtArtworkSize(cx, cy)) {
    TransparentBlit(glyph, HalveToEven(cx - w), HalveToEven(cy - h), w, h, Sheet(SheetCheck), sx, sy, kColorKey,
                    nullptr);
    return;
  }
  const double sw = w * ArtworkScale(cx, kRingSize), sh = h * ArtworkScale(cy, kRingSize);
  DrawScaledArtwork(glyph, 0, 0, cx, cy,
                    {{SheetCheck, sx, sy, w, h, static_cast<double>(RoundHalfToEven((cx - sw) / 2)),
                      static_cast<double>(RoundHalfToEven((cy - sh) / 2)), sw, sh}});
}

// The whole opaque check-box glyph, into the cx x cy image at (0, 0).
void ComposeCheckBox(HDC glyph, const GlyphKey& key) {
  const int cx = key.width, cy = key.height;
  FillSolidRect(glyph, 0, 0, cx, cy, kColorWhite);
  if (key.enabled) {
    FrameSolidRect(glyph, 0, 0, cx, cy, key.state == kStatePressed ? kColorFramePressed : kColorFrameEnabled);
    if (key.state == kStateHot || key.state == kStatePressed) {
      const int inside_y = key.state == kStateHot ? kInsideHotY : kInsidePressedY;
      StretchBlt(glyph, 1, 1, cx - 2, cy - 2, Sheet(SheetOption), kInsideX, inside_y, kInsideWidth, kInsideHeight,
                 SRCCOPY);
    }
  } else {
    // A disabled box keeps a white inside whatever the mouse does.
    FrameSolidRect(glyph, 0, 0, cx, cy, kColorFrameDisabled);
  }
  const int offset = key.enabled ? 0 : kDisabledOffsetX;
  if (key.mark == kChecked) {
    DrawCheckBoxMark(glyph, cx, cy, kMarkX + offset, kMarkY, kMarkWidth, kMarkHeight);
  } else if (key.mark == kIndeterminate) {
    DrawCheckBoxMark(glyph, cx, cy, kSquareX + offset, kSquareY, kSquareSize, kSquareSize);
  }
}

// The option glyph's ring and dot over what dc shows, the glyph's square
// at (0, top). key.state is the ring's row, -1 for none.
void ComposeOption(HDC dc, int top, const GlyphKey& key) {
  const int cx = key.width, cy = key.height;
  const int ring_y = key.enabled ? (key.state >= 0 ? kRingSize * key.state : -1) : kDisabledRingY;
  const int dot_x = kDotX + (key.enabled ? 0 : kDisabledOffsetX);
  if (!AtArtworkSize(cx, cy)) {
    // At a larger glyph the ring is the 13 x 13 cell enlarged to the whole
    // glyph (nine-slicing it would square its curve off), and the dot is
    // enlarged with it and kept concentric with the ring.
    const double dw = kDotSize * ArtworkScale(cx, kRingSize), dh = kDotSize * ArtworkScale(cy, kRingSize);
    ScaledPiece pieces[2];
    int count = 0;
    if (ring_y >= 0) {
      pieces[count++] = {SheetOption, 0, ring_y, kRingSize, kRingSize, 0, 0, static_cast<double>(cx),
                         static_cast<double>(cy)};
    }
    if (key.mark) {
      pieces[count++] = {SheetCheck, dot_x, kDotY, kDotSize, kDotSize, (cx - dw) / 2, (cy - dh) / 2, dw, dh};
    }
    DrawScaledArtwork(dc, 0, top, cx, cy, pieces, count);
    return;
  }
  if (ring_y >= 0) {
    StretchSprite(dc, 0, top, cx, cy, Sheet(SheetOption), 0, ring_y, kRingSize, kRingSize, kRingEdge, kRingEdge,
                  kRingEdge, kRingEdge, kColorKey);
  }
  if (key.mark) {
    TransparentBlit(dc, HalveToEven(cx - kDotSize), top + key.mark_y, kDotSize, kDotSize, Sheet(SheetCheck), dot_x,
                    kDotY, kColorKey, nullptr);
  }
}

// The kept picture for key, composed now if it is new; null when pictures
// are not kept or one cannot be made.
template <typename Compose>
HDC KeptGlyph(const GlyphKey& key, Compose compose) {
  GlyphCache& cache = State().glyphs;
  if (!cache.keep) return nullptr;
  if (HDC kept = cache.Find(key)) return kept;
  HDC image = cache.Add(key, key.width, key.height);
  if (image) compose(image);
  return image;
}

// A solid brush's colour; false for any other brush, whose picture
// depends on where it is drawn.
bool SolidColourOf(HBRUSH brush, COLORREF& colour) {
  LOGBRUSH logical{};
  if (!brush || GetObjectW(brush, sizeof logical, &logical) != sizeof logical) return false;
  if (logical.lbStyle != BS_SOLID) return false;
  colour = logical.lbColor;
  return true;
}

}  // namespace

// Each distinct glyph is composed once, into a picture that the cache
// keeps until the DPI, the colours or the settings change or the skin is
// torn down, and is copied from there: the pixels are those of composing
// it anew, and no GDI object is made per paint.
int PaintCheckBox(HWND window, int state, bool force, WNDPROC previous, WNDPROC parent_previous) {
  if (!ClaimState(window, state, force)) return 0;
  const GlyphPlace place = PlaceGlyph(window);
  GlyphKey key;
  key.painter = kCheckBoxGlyph;
  key.width = place.cx;
  key.height = place.cy;
  key.enabled = IsWindowEnabled(window) != FALSE;
  key.state = key.enabled ? state : kStateNormal;
  const LRESULT check = CheckStateOf(window, previous);
  key.mark = check == kChecked || check == kIndeterminate ? static_cast<int>(check) : 0;

  // The glyph is opaque and replaces the whole square.
  HDC glyph = KeptGlyph(key, [&](HDC image) { ComposeCheckBox(image, key); });
  std::optional<MemoryDC> fresh;
  if (!glyph) {
    fresh.emplace(place.cx, place.cy);
    glyph = *fresh;
    ComposeCheckBox(glyph, key);
  }
  ScopedWindowDC window_dc(window);
  CoverPlatformGlyph(window_dc, place, BackgroundBrush(window, window_dc, parent_previous), true);
  BitBlt(window_dc, 0, place.top, place.cx, place.cy, glyph, 0, 0, SRCCOPY);
  return 1;
}

int PaintOptionButton(HWND window, int state, bool force, WNDPROC previous, WNDPROC parent_previous) {
  if (!ClaimState(window, state, force)) return 0;
  const GlyphPlace place = PlaceGlyph(window);
  GlyphKey key;
  key.painter = kOptionGlyph;
  key.width = place.cx;
  key.height = place.cy;
  key.enabled = IsWindowEnabled(window) != FALSE;
  const bool ring = state == kStateNormal || state == kStateHot || state == kStatePressed;
  key.state = !key.enabled ? 0 : ring ? state : -1;
  key.mark = CheckStateOf(window, previous) == kChecked ? 1 : 0;
  // The half is taken of top + (cy - 5) / 2 as a whole, so an odd top and
  // an odd difference round together.
  if (AtArtworkSize(place.cx, place.cy)) key.mark_y = HalveToEven(2 * place.top + place.cy - kDotSize) - place.top;

  ScopedWindowDC window_dc(window);
  HBRUSH brush = BackgroundBrush(window, window_dc, parent_previous);
  // The ring's key-coloured corners show the control's background: the
  // picture can be kept for a background of one colour that fills the
  // glyph's whole square.
  if (place.column_holds_glyph && SolidColourOf(brush, key.background)) {
    HDC glyph = KeptGlyph(key, [&](HDC image) {
      const RECT square{0, 0, key.width, key.height};
      FillRect(image, &square, brush);
      ComposeOption(image, 0, key);
    });
    if (glyph) {
      CoverPlatformGlyph(window_dc, place, brush, true);
      BitBlt(window_dc, 0, place.top, place.cx, place.cy, glyph, 0, 0, SRCCOPY);
      return 1;
    }
  }
  // Straight onto the window: the key-coloured pixels leave the control's
  // own painting showing.
  CoverPlatformGlyph(window_dc, place, brush, false);
  ComposeOption(window_dc, place.top, key);
  return 1;
}

void ForgetComposedGlyphs() { State().glyphs.Clear(); }

}  // namespace skin
