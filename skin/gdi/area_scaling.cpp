#include "gdi/area_scaling.h"

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

// Length of the overlap of [a0, a1) and [b0, b1).
double Overlap(double a0, double a1, double b0, double b1) { return std::max(0.0, std::min(a1, b1) - std::max(a0, b0)); }

}  // namespace

CoverageImage::CoverageImage(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      rgba_(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4, 0.0) {}

void CoverageImage::Compose(const ArtworkCell& cell, double x, double y, double w, double h) {
  if (!cell.pixels || cell.width <= 0 || cell.height <= 0 || !(w > 0) || !(h > 0)) return;
  // Source pixels per target pixel along each axis.
  const double step_x = cell.width / w, step_y = cell.height / h;
  const int x0 = std::max(0, static_cast<int>(std::floor(x)));
  const int y0 = std::max(0, static_cast<int>(std::floor(y)));
  const int x1 = std::min(width_, static_cast<int>(std::ceil(x + w)));
  const int y1 = std::min(height_, static_cast<int>(std::ceil(y + h)));
  const double footprint = step_x * step_y;
  for (int ty = y0; ty < y1; ++ty) {
    // The target pixel's footprint in cell coordinates, clipped to the cell.
    const double v0 = std::max(0.0, (ty - y) * step_y), v1 = std::min<double>(cell.height, (ty + 1 - y) * step_y);
    if (v1 <= v0) continue;
    for (int tx = x0; tx < x1; ++tx) {
      const double u0 = std::max(0.0, (tx - x) * step_x), u1 = std::min<double>(cell.width, (tx + 1 - x) * step_x);
      if (u1 <= u0) continue;
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = static_cast<int>(v0); sy < cell.height && sy < v1; ++sy) {
        const double wy = Overlap(v0, v1, sy, sy + 1);
        const uint32_t* row = cell.pixels + static_cast<size_t>(cell.y + sy) * cell.stride + cell.x;
        for (int sx = static_cast<int>(u0); sx < cell.width && sx < u1; ++sx) {
          const uint32_t colour = row[sx] & 0xFFFFFF;
          if (colour == (cell.key & 0xFFFFFF)) continue;
          const double weight = wy * Overlap(u0, u1, sx, sx + 1) / footprint;
          r += weight * (colour & 0xFF) / 255.0;
          g += weight * ((colour >> 8) & 0xFF) / 255.0;
          b += weight * ((colour >> 16) & 0xFF) / 255.0;
          a += weight;
        }
      }
      if (a <= 0) continue;
      // The new layer over the old one, both premultiplied.
      double* p = &rgba_[(static_cast<size_t>(ty) * width_ + tx) * 4];
      const double keep = 1.0 - std::min(1.0, a);
      p[0] = r + p[0] * keep;
      p[1] = g + p[1] * keep;
      p[2] = b + p[2] * keep;
      p[3] = std::min(1.0, a) + p[3] * keep;
    }
  }
}

std::vector<uint32_t> CoverageImage::PremultipliedBgra() const {
  std::vector<uint32_t> out(static_cast<size_t>(width_) * height_);
  auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  for (size_t i = 0; i < out.size(); ++i) {
    const double* p = &rgba_[i * 4];
    const uint32_t a = byte(p[3]);
    // A channel never exceeds the alpha it is premultiplied with.
    const uint32_t r = std::min(a, byte(p[0])), g = std::min(a, byte(p[1])), b = std::min(a, byte(p[2]));
    out[i] = a << 24 | r << 16 | g << 8 | b;
  }
  return out;
}

double CoverageImage::Alpha(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return rgba_[(static_cast<size_t>(y) * width_ + x) * 4 + 3];
}

}  // namespace skin
