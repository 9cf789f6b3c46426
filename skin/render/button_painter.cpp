#include "render/button_painter.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "render/button_picture.h"
#include "state/message.h"
#include "state/properties.h"
#include "state/skin_state.h"

#include <algorithm>
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
// symmetric, so the image goes in unmirrored, pixel for pixel. At full
// level the blend is a plain copy, and a copy costs a fraction of a blend.
void AlphaBlendUnmirrored(HDC target, int width, int height, HDC source, BLENDFUNCTION blend) {
  const DWORD layout = GetLayout(target);
  const bool mirrored = layout != GDI_ERROR && (layout & LAYOUT_RTL);
  if (mirrored) SetLayout(target, 0);
  if (blend.SourceConstantAlpha == 255) {
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
  } else {
    AlphaBlend(target, 0, 0, width, height, source, 0, 0, width, height, blend);
  }
  if (mirrored) SetLayout(target, layout);
}

// A caption the host asked to wrap (BS_MULTILINE) is wrapped at the width
// and centred both ways, as the platform wraps it; every other caption
// keeps the one-line format. Where it goes depends on the text and the
// font only, so it is worked out once for all four images.
struct CaptionPlace {
  int x, y, width, height;
  UINT format;
};

CaptionPlace PlaceCaption(HDC dc, const std::wstring& caption, LONG style, int x, int y, int width, int height) {
  if (!(style & BS_MULTILINE)) return CaptionPlace{x, y, width, height, kCaptionFormat};
  RECT measure{0, 0, width, 0};
  DrawTextW(dc, caption.c_str(), -1, &measure, kMultiLineFormat | DT_CALCRECT);
  const int text_height = measure.bottom - measure.top;
  const int top = text_height < height ? y + HalveToEven(height - text_height) : y;
  return CaptionPlace{x, top, width, y + height - top, kMultiLineFormat};
}

void DrawFace(HDC dc, int y, int width, int height, int state) {
  StretchSprite(dc, 0, y, width, height, Sheet(SheetButton), 0, kCellHeight * state, kCellWidth, kCellHeight,
                kCellEdge, kCellEdge, kCellEdge, kCellEdge);
}

// The four blank faces of a size, sliced from the sheet the first time a
// button of that size is rendered and copied from then on: slicing is
// nine blits a face, copying one.
HDC BlankFaces(int width, int height) {
  ButtonFaceCache& cache = State().button_faces;
  const FaceSize size{width, height};
  if (HDC kept = cache.Find(size)) return kept;
  HDC faces = cache.Add(size, width, 4 * height);
  if (!faces) return nullptr;
  for (int state = 0; state < 4; ++state) DrawFace(faces, height * state, width, height, state);
  return faces;
}

// The state whose image is shown: a disabled button shows image 3 and
// keeps that state.
int StateShown(HWND window) {
  if (IsWindowEnabled(window)) return GetPropInt(window, prop::kOldState);
  SetPropInt(window, prop::kOldState, kStateDisabled);
  return kStateDisabled;
}

void BlendImage(HWND window, HDC dc, HDC source, int width, int height, int alpha) {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha);
  blend.AlphaFormat = 0;

  if (dc) {
    AlphaBlendUnmirrored(dc, width, height, source, blend);
  } else {
    ScopedWindowDC window_dc(window);
    AlphaBlendUnmirrored(window_dc, width, height, source, blend);
  }
}

int Blend(HWND window, HDC dc, std::optional<int> level, bool known_plain = false) {
  const bool enabled = IsWindowEnabled(window);
  if (!enabled) SetPropInt(window, prop::kOldState, kStateDisabled);
  if (!known_plain && !IsPlainPushButton(window)) return 0;

  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  const int state = enabled ? GetPropInt(window, prop::kOldState) : kStateDisabled;
  const int alpha = level ? *level : GetPropInt(window, prop::kAlphaLevel);
  HDC source = static_cast<HDC>(GetPropHandle(window, StateDcName(state).c_str()));
  BlendImage(window, dc, source, bounds.Width, bounds.Height, alpha);
  return 0;
}

}  // namespace

ButtonImages ReadButtonImages(HWND window) {
  ButtonImages images;
  for (int state = 0; state < 4; ++state) {
    images.dc[state] = static_cast<HDC>(GetPropHandle(window, StateDcName(state).c_str()));
  }
  return images;
}

int BlendButtonImage(HWND window, HDC dc) { return Blend(window, dc, std::nullopt); }

// The level comes from the caller so that a fade tick, which has read it
// already, does not pay a second property lookup for the same value.
int BlendButtonImageAt(HWND window, HDC dc, int alpha) { return Blend(window, dc, alpha); }

int BlendPushButtonImageAt(HWND window, HDC dc, int alpha) { return Blend(window, dc, alpha, true); }

int BlendButtonImageOf(HWND window, HDC dc, int alpha, const ButtonImages& images, int width, int height) {
  const int state = StateShown(window);
  HDC source = state >= 0 && state < 4 ? images.dc[state] : nullptr;
  BlendImage(window, dc, source, width, height, alpha);
  return 0;
}

void RenderButtonImages(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  // The style the host gave the button (its window is owner-drawn now).
  const LONG style = static_cast<LONG>(GetPropInt(window, prop::kOldStyle));
  RenderButtonImages(window, ReadButtonImages(window), bounds.Width, bounds.Height, style, nullptr);
}

// Each image is its blank face copied from the faces kept for the size,
// then the caption or picture and the focus mark drawn over it.
void RenderButtonImages(HWND window, const ButtonImages& images, int width, int height, LONG style,
                        WNDPROC previous) {
  const std::optional<ButtonPicture> picture = FindButtonPicture(window, style, previous);
  const std::wstring caption = picture ? std::wstring() : GetWindowCaption(window, previous);
  const bool focused = GetFocus() == window;
  HFONT font = reinterpret_cast<HFONT>(AskWindow(window, previous, WM_GETFONT, 0, 0));
  HDC faces = BlankFaces(width, height);
  const int w = width - 2 * kCaptionInset;
  const int h = height - 2 * kCaptionInset;
  std::optional<CaptionPlace> place;

  for (int state = 0; state < 4; ++state) {
    HDC dc = images.dc[state];
    if (!dc) continue;
    // The image DCs live as long as the button is skinned; the font stays
    // selected in them (a null font leaves the DC's own font in place).
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (faces) {
      BitBlt(dc, 0, 0, width, height, faces, 0, height * state, SRCCOPY);
    } else {
      DrawFace(dc, 0, width, height, state);
    }
    SetTextColor(dc, state == kStateDisabled ? kColorCaptionDisabled : kColorBlack);
    if (picture) {
      DrawButtonPicture(dc, *picture, 0, 0, width, height, state == kStateDisabled);
    } else {
      if (!place) place = PlaceCaption(dc, caption, style, kCaptionInset, kCaptionInset, w, h);
      DrawCaptionText(dc, caption, place->x, place->y, place->width, place->height, place->format);
    }
    if (focused) DrawFocusMark(dc, kCaptionInset, kCaptionInset, w, h);
  }
}

std::wstring GetWindowCaption(HWND window, WNDPROC previous) {
  // Most captions fit a small buffer: one question instead of two (each
  // passes every subclass of the window; a tool tip's, for one, does a
  // property lookup). Only a caption that may not have fitted is measured.
  wchar_t first[256];
  const auto fitted = static_cast<int>(
      previous ? AskWindow(window, previous, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(first))
               : GetWindowTextW(window, first, 256));
  if (fitted < 255) return std::wstring(first, static_cast<size_t>(std::max(fitted, 0)));
  if (!previous) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
  }
  // Asked of the procedure below the skin, past its own dispatcher. The
  // length may count an ANSI window's bytes: enough room either way.
  const auto length = static_cast<int>(AskWindow(window, previous, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = static_cast<int>(
      AskWindow(window, previous, WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied > 0 ? static_cast<size_t>(std::min(copied, length)) : 0);
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
