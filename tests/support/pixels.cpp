#include "support/pixels.h"

#include <cstdio>
#include <utility>

namespace testsupport {
namespace {

COLORREF FromBgra(uint32_t bgra) {
  const uint32_t b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
  return RGB(r, g, b);
}

uint32_t ToBgra(COLORREF colour) {
  return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (static_cast<uint32_t>(GetGValue(colour)) << 8) |
         GetBValue(colour);
}

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

COLORREF PixelGrab::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromBgra(bgra_[static_cast<size_t>(y) * width_ + x]);
}

PixelGrab ReadPixels(HDC dc, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return PixelGrab();
  DibCanvas canvas(width, height);
  if (!canvas.dc() || !BitBlt(canvas.dc(), 0, 0, width, height, dc, x, y, SRCCOPY)) return PixelGrab();
  GdiFlush();
  std::vector<uint32_t> bgra(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) bgra[static_cast<size_t>(row) * width + col] = ToBgra(canvas.Get(col, row));
  }
  return PixelGrab(width, height, std::move(bgra));
}

DibCanvas::DibCanvas(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (bitmap_ && dc_) {
    old_bitmap_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
  }
}

DibCanvas::~DibCanvas() {
  if (dc_ && old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
}

COLORREF DibCanvas::Get(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  return FromBgra(bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF);
}

void DibCanvas::Set(int x, int y, COLORREF colour) {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  GdiFlush();
  bits_[static_cast<size_t>(y) * width_ + x] = ToBgra(colour);
}

void DibCanvas::Fill(COLORREF colour) {
  if (!bits_) return;
  GdiFlush();
  for (size_t i = 0; i < static_cast<size_t>(width_) * height_; ++i) bits_[i] = ToBgra(colour);
}

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
  return text;
}

}  // namespace testsupport
