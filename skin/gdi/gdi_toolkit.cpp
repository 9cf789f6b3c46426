#include "gdi/gdi_toolkit.h"

#include <olectl.h>

#include "gdi/call_counts.h"
#include "gdi/gdi_raii.h"
#include "gdi/rounding.h"

namespace skin {
namespace {

constexpr DWORD kRopDstAndNotSrc = 0x00220326;  // no named constant exists
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

HDC CreateDisplayDC() { return NoteGdiObject(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)); }

// Held between HoldDisplayObjects and ReleaseDisplayObjects (one attach
// cycle): a memory DC holding a 1 x 1 bitmap in the display's format, and
// the halftone palette of keyed blits. A memory DC holding a bitmap makes
// bitmaps in that bitmap's format, so everything made from it has the
// display's format without a display DC, which on some platforms costs as
// much as all the drawing it serves. Per thread, like the skin state whose
// set-up holds them: GDI does not serialise use of a DC, and another
// thread's release must not pull them from under a paint.
thread_local HDC g_format = nullptr;
thread_local HPALETTE g_halftone = nullptr;

// What memory DCs and bitmaps are made compatible with for one call: the
// held format DC, or a display DC made for the call.
class DisplayDC {
 public:
  DisplayDC() : dc_(g_format ? g_format : CreateDisplayDC()), owned_(!g_format) {}
  ~DisplayDC() {
    if (owned_ && dc_) DeleteDC(dc_);
  }
  DisplayDC(const DisplayDC&) = delete;
  DisplayDC& operator=(const DisplayDC&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
  bool owned_;
};

// Selects a palette and realises it; on scope exit selects the previous
// palette back the same way and realises that, so the palette we passed in
// is no longer selected anywhere when it is deleted.
class PaletteGuard {
 public:
  PaletteGuard(HDC dc, HPALETTE palette, BOOL background, BOOL restore_background)
      : dc_(dc), restore_background_(restore_background) {
    if (dc_ && palette) {
      old_ = SelectPalette(dc_, palette, background);
      RealizePalette(dc_);
    }
  }
  ~PaletteGuard() {
    if (old_) {
      SelectPalette(dc_, old_, restore_background_);
      RealizePalette(dc_);
    }
  }
  PaletteGuard(const PaletteGuard&) = delete;
  PaletteGuard& operator=(const PaletteGuard&) = delete;

 private:
  HDC dc_;
  BOOL restore_background_;
  HPALETTE old_ = nullptr;
};

}  // namespace

void HoldDisplayObjects() {
  if (g_format) return;
  // The screen's DC is borrowed only while the two are made.
  ScopedClientDC screen(nullptr);
  if (!screen) return;
  OwnedDC format(NoteGdiObject(CreateCompatibleDC(screen)));
  OwnedBitmap pixel(NoteGdiObject(CreateCompatibleBitmap(screen, 1, 1)));
  if (!format || !pixel) return;
  // On a 32-bit display the pixel is a DIB section of the same 32-bit
  // format, and so is everything made from the DC: the same pixels, but a
  // DIB section is selected into a DC without the display driver's checks
  // a device bitmap goes through (under Wine those cost several times the
  // rest of making a push button's image). Any other depth keeps the
  // device bitmap, whose format no DIB section would match.
  BITMAP screen_format{};
  if (GetObjectW(pixel.get(), sizeof(screen_format), &screen_format) && screen_format.bmBitsPixel == 32 &&
      screen_format.bmPlanes == 1) {
    const BITMAPINFO info = TopDownBitmapInfo(1, 1);
    void* bits = nullptr;
    if (HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0)) {
      pixel.reset(NoteGdiObject(section));
    }
  }
  // Selected for the DC's whole life: never the 1 x 1 monochrome bitmap a
  // new memory DC starts with, which would make monochrome bitmaps.
  SelectObject(format, pixel.release());
  g_format = format.release();
  if (!g_halftone) g_halftone = NoteGdiObject(CreateHalftonePalette(screen));
}

void ReleaseDisplayObjects() {
  if (g_halftone) DeleteObject(g_halftone);
  DeleteMemoryDC(g_format);
  g_halftone = nullptr;
  g_format = nullptr;
}

HDC CreateImageDC(HWND window) {
  if (g_format) return NoteGdiObject(CreateCompatibleDC(g_format));
  ScopedWindowDC like(window);
  return NoteGdiObject(CreateCompatibleDC(like));
}

HBITMAP CreateImageBitmap(HWND window, int width, int height) {
  if (g_format) return NoteGdiObject(CreateCompatibleBitmap(g_format, width, height));
  ScopedWindowDC like(window);
  return NoteGdiObject(CreateCompatibleBitmap(like, width, height));
}

HDC CreateMemoryDC(int width, int height) {
  DisplayDC display;
  if (!display) return nullptr;
  OwnedDC memory(NoteGdiObject(CreateCompatibleDC(display)));
  if (!memory) return nullptr;
  OwnedBitmap bitmap(NoteGdiObject(CreateCompatibleBitmap(display, width, height)));
  if (!bitmap) return nullptr;
  // The bitmap stays selected for the DC's whole life and is deleted by
  // DeleteMemoryDC after the DC. Deleting it now, while selected, would be
  // refused by Windows and leak it.
  SelectObject(memory, bitmap.release());
  return memory.release();
}

void DeleteMemoryDC(HDC dc) {
  if (!dc) return;
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  DeleteDC(dc);
  // A failed or zero-sized bitmap leaves the stock 1 x 1 bitmap selected;
  // DeleteObject ignores stock objects, so no test is needed for it.
  if (bitmap) DeleteObject(bitmap);
}

int StretchSprite(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                  int left, int top, int right, int bottom, std::optional<uint32_t> key) {
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return 0;
  const int L = left, T = top, R = right, B = bottom;

  // Composes the cell at (ox, oy) of target.
  auto compose = [&](HDC target, int ox, int oy) {
    if (L <= 0 && T <= 0 && R <= 0 && B <= 0) {
      return StretchBlt(target, ox, oy, dw, dh, src, sx + L, sy + T, sw - R, sh - B, SRCCOPY);
    }
    // Corners keep their size, sides stretch one way, the centre both.
    if (L > 0 && T > 0) BitBlt(target, ox, oy, L, T, src, sx, sy, SRCCOPY);
    if (R > 0 && T > 0) BitBlt(target, ox + dw - R, oy, R, T, src, sx + sw - R, sy, SRCCOPY);
    if (L > 0 && B > 0) BitBlt(target, ox, oy + dh - B, L, B, src, sx, sy + sh - B, SRCCOPY);
    if (R > 0 && B > 0) BitBlt(target, ox + dw - R, oy + dh - B, R, B, src, sx + sw - R, sy + sh - B, SRCCOPY);
    if (L > 0) StretchBlt(target, ox, oy + T, L, dh - T - B, src, sx, sy + T, L, sh - T - B, SRCCOPY);
    if (R > 0) {
      StretchBlt(target, ox + dw - R, oy + T, R, dh - T - B, src, sx + sw - R, sy + T, R, sh - T - B, SRCCOPY);
    }
    if (T > 0) StretchBlt(target, ox + L, oy, dw - L - R, T, src, sx + L, sy, sw - L - R, T, SRCCOPY);
    if (B > 0) {
      StretchBlt(target, ox + L, oy + dh - B, dw - L - R, B, src, sx + L, sy + sh - B, sw - L - R, B, SRCCOPY);
    }
    return StretchBlt(target, ox + L, oy + T, dw - L - R, dh - T - B, src, sx + L, sy + T, sw - L - R, sh - T - B,
                      SRCCOPY);
  };

  // An off-screen destination that the cell fits into whole can take the
  // pieces directly: nobody sees it between them, and every piece lands
  // inside the rectangle, as it would in the temporary image. This saves a
  // DC, a bitmap and a copy per call. The pieces are stretched in the
  // temporary image's default mode, so the destination is given it too.
  if (!key && L >= 0 && T >= 0 && R >= 0 && B >= 0 && dw >= L + R && dh >= T + B &&
      GetObjectType(dst) == OBJ_MEMDC) {
    const int old_mode = SetStretchBltMode(dst, BLACKONWHITE);
    const int result = compose(dst, dx, dy);
    if (old_mode) SetStretchBltMode(dst, old_mode);
    return result;
  }

  MemoryDC image(dw, dh);
  compose(image, 0, 0);
  if (!key) return BitBlt(dst, dx, dy, dw, dh, image, 0, 0, SRCCOPY);
  TransparentBlit(dst, dx, dy, dw, dh, image, 0, 0, *key, nullptr);
  return 1;
}

void TransparentBlit(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, uint32_t key,
                     HPALETTE palette) {
  // Declaration order is teardown order in reverse: each DC's selections
  // are undone, then its bitmap deleted, then the DC; the halftone palette
  // goes only after no DC holds it, the display DC last.
  DisplayDC display;
  OwnedPalette own_palette;
  if (!palette) {
    if (g_halftone) {
      palette = g_halftone;
    } else {
      own_palette.reset(NoteGdiObject(CreateHalftonePalette(display)));
      palette = own_palette.get();
    }
  }

  COLORREF key_colour = 0;  // an untranslatable key is taken as black
  OleTranslateColor(static_cast<OLE_COLOR>(key), palette, &key_colour);
  key_colour &= 0x00FFFFFF;

  // Mask DC: 1 where the source has the key.
  OwnedDC mask_dc;
  OwnedBitmap mask_bitmap;
  // Work DC: the destination's background, finished picture.
  OwnedDC work_dc;
  OwnedBitmap work_bitmap;
  // Colour DC: copy of the source with key pixels blacked out.
  OwnedDC colour_dc;
  OwnedBitmap colour_bitmap;

  work_bitmap.reset(NoteGdiObject(CreateCompatibleBitmap(display, w, h)));
  work_dc.reset(NoteGdiObject(CreateCompatibleDC(display)));
  SelectGuard work_select(work_dc, work_bitmap);
  PaletteGuard work_palette(work_dc, palette, TRUE, FALSE);
  BitBlt(work_dc, 0, 0, w, h, dst, dx, dy, SRCCOPY);

  colour_bitmap.reset(NoteGdiObject(CreateCompatibleBitmap(display, w, h)));
  mask_bitmap.reset(NoteGdiObject(CreateBitmap(w, h, 1, 1, nullptr)));
  colour_dc.reset(NoteGdiObject(CreateCompatibleDC(display)));
  SelectGuard colour_select(colour_dc, colour_bitmap);
  PaletteGuard colour_palette(colour_dc, palette, TRUE, TRUE);
  SetBkColor(colour_dc, GetBkColor(src));
  SetTextColor(colour_dc, GetTextColor(src));
  BitBlt(colour_dc, 0, 0, w, h, src, sx, sy, SRCCOPY);

  mask_dc.reset(NoteGdiObject(CreateCompatibleDC(display)));
  SelectGuard mask_select(mask_dc, mask_bitmap);
  SetBkColor(colour_dc, key_colour);
  SetTextColor(colour_dc, kWhite);
  BitBlt(mask_dc, 0, 0, w, h, colour_dc, 0, 0, SRCCOPY);

  SetTextColor(colour_dc, kBlack);
  SetBkColor(colour_dc, kWhite);
  BitBlt(colour_dc, 0, 0, w, h, mask_dc, 0, 0, kRopDstAndNotSrc);

  BitBlt(work_dc, 0, 0, w, h, mask_dc, 0, 0, SRCAND);
  BitBlt(work_dc, 0, 0, w, h, colour_dc, 0, 0, SRCPAINT);

  BitBlt(dst, dx, dy, w, h, work_dc, 0, 0, SRCCOPY);
}

namespace {

// The DC's own brush in one colour for the scope, its colour restored
// after. A solid brush made and freed per call would cost as much as the
// fill, and a repaint draws a dozen of them.
class DcBrush {
 public:
  DcBrush(HDC dc, COLORREF colour) : dc_(dc), old_(SetDCBrushColor(dc, colour)) {}
  ~DcBrush() {
    if (old_ != CLR_INVALID) SetDCBrushColor(dc_, old_);
  }
  DcBrush(const DcBrush&) = delete;
  DcBrush& operator=(const DcBrush&) = delete;
  HBRUSH get() const { return static_cast<HBRUSH>(GetStockObject(DC_BRUSH)); }

 private:
  HDC dc_;
  COLORREF old_;
};

}  // namespace

int FillSolidRect(HDC dc, int x, int y, int w, int h, COLORREF colour) {
  const RECT rect{x, y, x + w, y + h};
  const DcBrush brush(dc, colour);
  return FillRect(dc, &rect, brush.get());
}

int FrameSolidRect(HDC dc, int x, int y, int w, int h, COLORREF colour) {
  const RECT rect{x, y, x + w, y + h};
  const DcBrush brush(dc, colour);
  return FrameRect(dc, &rect, brush.get());
}

BOOL GetWindowBounds(HWND window, WindowBounds& bounds) {
  RECT rect{};
  const BOOL ok = GetWindowRect(window, &rect);
  if (!ok) rect = RECT{};  // some platforms leave partial results behind
  bounds.Left = rect.left;
  bounds.Top = rect.top;
  bounds.Right = rect.right;
  bounds.Bottom = rect.bottom;
  bounds.Width = rect.right - rect.left;
  bounds.Height = rect.bottom - rect.top;
  return ok;
}

int GetClientOffset(HWND window, int& x_offset, int& y_offset) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  RECT client_rect{};
  GetClientRect(window, &client_rect);
  return GetClientOffset(bounds, client_rect, GetWindowLongA(window, GWL_STYLE), x_offset, y_offset);
}

int GetClientOffset(const WindowBounds& bounds, const RECT& client, LONG style, int& x_offset, int& y_offset) {
  int horizontal = bounds.Width - (client.right - client.left);
  int vertical = bounds.Height - (client.bottom - client.top);
  // Scroll bars sit inside the border on one side only; leaving them in
  // would shift the centred offset by half a bar.
  if (style & WS_VSCROLL) horizontal -= GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) vertical -= GetSystemMetrics(SM_CYHSCROLL);
  x_offset = HalveToEven(horizontal);
  y_offset = HalveToEven(vertical);
  return 1;
}

int32_t LowWord(uint32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF)); }

int32_t HighWord(uint32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value >> 16)); }

BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace skin
