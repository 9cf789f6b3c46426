// The drawing and geometry operations every painter rests on. None keeps
// state; each frees every object it creates before it returns, except the
// memory DC that CreateMemoryDC hands out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace skin {

// Makes what memory DCs and work bitmaps are made compatible with (a
// memory DC holding a bitmap in the display's format, from the screen's
// DC), and the halftone palette of keyed blits, once and keeps them until
// ReleaseDisplayObjects; in between no call makes a display DC of its own.
// Without them held, every call makes and frees its own display DC. The
// pixels are the same. Both are per thread: each thread holds and
// releases its own.
void HoldDisplayObjects();
void ReleaseDisplayObjects();

// A memory DC and, apart, a width x height bitmap in the display's format
// (the bitmap not selected): made from the held display objects, or else
// from the window's DC, which has the display's format too.
HDC CreateImageDC(HWND window);
HBITMAP CreateImageBitmap(HWND window, int width, int height);

// A memory DC holding a width x height bitmap in the display's format, or
// null. The DC owns its bitmap: free both with DeleteMemoryDC.
HDC CreateMemoryDC(int width, int height);
// Deletes the DC first and its bitmap after it (Windows refuses to delete a
// bitmap that is still selected). Null is ignored.
void DeleteMemoryDC(HDC dc);

// Owner of a DC made by CreateMemoryDC.
class MemoryDC {
 public:
  MemoryDC(int width, int height) : dc_(CreateMemoryDC(width, height)) {}
  ~MemoryDC() { DeleteMemoryDC(dc_); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// Nine-slice draw of the source cell (sx, sy, sw, sh) into (dx, dy, dw, dh):
// corners unscaled, sides stretched one way, centre both ways. Returns 0
// when a size is 0; without a key the final BitBlt's result; with one, 1.
int StretchSprite(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                  int left, int top, int right, int bottom, std::optional<uint32_t> key = std::nullopt);

// Copies w x h from (sx, sy) of src to (dx, dy) of dst, leaving dst as it was
// wherever the source has the key colour. key may be a system-colour value
// (high bit set). palette null: a halftone palette is made for the call.
void TransparentBlit(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, uint32_t key,
                     HPALETTE palette);

int FillSolidRect(HDC dc, int x, int y, int w, int h, COLORREF colour);
int FrameSolidRect(HDC dc, int x, int y, int w, int h, COLORREF colour);

// The header of a top-down 32-bit DIB of width x height (rows 0x00RRGGBB).
BITMAPINFO TopDownBitmapInfo(int width, int height);

struct WindowBounds {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0, Width = 0, Height = 0;
};
// Window rectangle in screen coordinates; all fields 0 when it fails.
BOOL GetWindowBounds(HWND window, WindowBounds& bounds);

// Offset of the client area inside the window rectangle, borders taken as
// equal on both sides, scroll bars not counted. Always returns 1.
int GetClientOffset(HWND window, int& x_offset, int& y_offset);
// The same from the window's bounds, client rectangle and style, already
// read by the caller.
int GetClientOffset(const WindowBounds& bounds, const RECT& client, LONG style, int& x_offset, int& y_offset);

// Signed 16-bit halves of a packed message parameter, sign-extended.
int32_t LowWord(uint32_t value);
int32_t HighWord(uint32_t value);

}  // namespace skin
