// Artwork drawn at a size other than its own by area averaging: every
// target pixel takes the source pixels under its footprint, each weighted by
// how much of the footprint it covers. At a whole-number factor this is
// plain pixel repetition; at any other factor only the pixels on the
// artwork's edges mix, so strokes keep their weight and round shapes stay
// round. Key-coloured source pixels count as transparent, so the edges of a
// shape blend with whatever lies beneath instead of with the key colour.
// Pure, no windows.h.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

// Colours as COLORREF values (0x00BBGGRR).
struct ArtworkCell {
  const uint32_t* pixels;  // row-major
  int stride;              // pixels per row of the table
  int x, y, width, height; // the cell inside the table
  uint32_t key;            // transparent colour
};

// A premultiplied, transparent-where-unpainted picture with channels in 0..1.
class CoverageImage {
 public:
  CoverageImage(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }

  // Lays the cell, scaled to fill the rectangle (x, y, w, h) (fractions of
  // pixels allowed), over what the image holds already.
  void Compose(const ArtworkCell& cell, double x, double y, double w, double h);

  // Premultiplied 32-bit pixels, 0xAARRGGBB as a 32-bit top-down DIB holds
  // them (blue in the lowest byte), rounded to the nearest step.
  std::vector<uint32_t> PremultipliedBgra() const;
  // Coverage (alpha) of one pixel, 0..1; 0 outside.
  double Alpha(int x, int y) const;

 private:
  int width_, height_;
  std::vector<double> rgba_;  // r, g, b, a per pixel, premultiplied
};

}  // namespace skin
