// Reading real pixels back for exact colour checks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A w x h rectangle of a DC's pixels, copied into a 32-bit top-down DIB.
class PixelGrab {
 public:
  PixelGrab() = default;
  PixelGrab(int width, int height, std::vector<uint32_t> bgra)
      : width_(width), height_(height), bgra_(std::move(bgra)) {}
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return bgra_.empty(); }
  // COLORREF (0x00BBGGRR) of one pixel; CLR_INVALID outside the grab.
  COLORREF At(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> bgra_;
};

PixelGrab ReadPixels(HDC dc, int x, int y, int width, int height);

// A 32-bit top-down DIB section selected into a memory DC: a drawing target
// whose pixels can be read and written directly.
class DibCanvas {
 public:
  DibCanvas(int width, int height);
  ~DibCanvas();
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF Get(int x, int y) const;
  void Set(int x, int y, COLORREF colour);
  void Fill(COLORREF colour);

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// "0xBBGGRR", for failure messages.
std::string Hex(COLORREF colour);

}  // namespace testsupport
