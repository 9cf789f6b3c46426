#include "render/button_painter.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "render/button_picture.h"
#include "state/properties.h"
#include "state/skin_state.h"

#include <optional>

namespace skin {
namespace {

constexpr int kCellWidth = 7;
constexpr int kCellHeight = 21;
constexpr int kCellEdge = 3;
constexpr int kCaptionInset = 2;
constexpr UINT kMultiLineFormat = DT_CENTER | DT_WORDBREAK;

// An image copied into a mirrored DC (a right-to-left window's) would be
// mirrored with it, caption and all, and land a pixel off; the artwork is
// symmetric, so the image goes in unmirrored, pixel for pixel.
void AlphaBlendUnmirrored(HDC target, int width, int height, HDC source, BLENDFUNCTION blend) {
  const DWORD layout = GetLayout(target);
  const bool mirrored = layout != GDI_ERROR && (layout & LAYOUT_RTL);
  if (mirrored) SetLayout(target, 0);
  AlphaBlend(target, 0, 0, width, height, source, 0, 0, width, height, blend);
  if (mirrored) SetLayout(target, layout);
}

// A caption the host asked to wrap (BS_MULTILINE) is wrapped at the width
// and centred both ways, as the platform wraps it; every other caption
// keeps the one-line format.
void DrawCaption(HDC dc, const std::wstring& caption, LONG style, int x, int y, int width, int height) {
  if (!(style & BS_MULTILINE)) {
    DrawCaptionText(dc, caption, x, y, width, height, kCaptionFormat);
    return;
  }
  RECT measure{0, 0, width, 0};
  DrawTextW(dc, caption.c_str(), -1, &measure, kMultiLineFormat | DT_CALCRECT);
  const int text_height = measure.bottom - measure.top;
  const int top = text_height < height ? y + HalveToEven(height - text_height) : y;
  DrawCaptionText(dc, caption, x, top, width, y + height - top, kMultiLineFormat);
}

int Blend(HWND window, HDC dc, std::optional<int> level) {
  if (!IsWindowEnabled(window)) SetPropInt(window, prop::kOldState, kStateDisabled);
  if (!IsPlainPushButton(window)) return 0;

  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  const int state = GetPropInt(window, prop::kOldState);
  const int alpha = level ? *level : GetPropInt(window, prop::kAlphaLevel);
  HDC source = static_cast<HDC>(GetPropHandle(window, StateDcName(state).c_str()));

  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
  blend.AlphaFormat = 0;

  if (dc) {
    AlphaBlendUnmirrored(dc, bounds.Width, bounds.Height, source, blend);
  } else {
    ScopedWindowDC window_dc(window);
    AlphaBlendUnmirrored(window_dc, bounds.Width, bounds.Height, source, blend);
  }
  return 0;
}

}  // namespace

int BlendButtonImage(HWND window, HDC dc) { return Blend(window, dc, std::nullopt); }

// The level comes from the caller so that a fade tick, which has read it
// already, does not pay a second property lookup for the same value.
int BlendButtonImageAt(HWND window, HDC dc, int alpha) { return Blend(window, dc, alpha); }

void RenderButtonImages(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  const std::wstring caption = GetWindowCaption(window);
  const bool focused = GetFocus() == window;
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  // The style the host gave the button (its window is owner-drawn now).
  const LONG style = static_cast<LONG>(GetPropInt(window, prop::kOldStyle));
  const std::optional<ButtonPicture> picture = FindButtonPicture(window, style);

  for (int state = 0; state < 4; ++state) {
    HDC dc = static_cast<HDC>(GetPropHandle(window, StateDcName(state).c_str()));
    // The image DCs live as long as the button is skinned; the font stays
    // selected in them (a null font leaves the DC's own font in place).
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    StretchSprite(dc, 0, 0, bounds.Width, bounds.Height, Sheet(SheetButton), 0, kCellHeight * state, kCellWidth,
                  kCellHeight, kCellEdge, kCellEdge, kCellEdge, kCellEdge);
    SetTextColor(dc, state == kStateDisabled ? kColorCaptionDisabled : kColorBlack);
    const int w = bounds.Width - 2 * kCaptionInset;
    const int h = bounds.Height - 2 * kCaptionInset;
    if (picture) {
      DrawButtonPicture(dc, *picture, 0, 0, bounds.Width, bounds.Height, state == kStateDisabled);
    } else {
      DrawCaption(dc, caption, style, kCaptionInset, kCaptionInset, w, h);
    }
    if (focused) DrawFocusMark(dc, kCaptionInset, kCaptionInset, w, h);
  }
}

std::wstring GetWindowCaption(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

int DrawCaptionText(HDC dc, const std::wstring& text, int x, int y, int width, int height, UINT format) {
  RECT rect{x, y, x + width, y + height};
  return DrawTextW(dc, text.c_str(), -1, &rect, format);
}

int DrawFocusMark(HDC dc, int x, int y, int width, int height) {
  RECT rect{x, y, x + width, y + height};
  return DrawFocusRect(dc, &rect);
}

}  // namespace skin
