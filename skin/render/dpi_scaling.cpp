#include "render/dpi_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "gdi/area_scaling.h"
#include "gdi/call_counts.h"
#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "render/sprite_sheets.h"

namespace skin {

double ArtworkScale(int size, int base) {
  if (base <= 0 || size <= 0) return 1.0;
  const double exact = static_cast<double>(size) / base;
  const double whole = std::round(exact);
  return whole >= 1 && std::fabs(exact - whole) <= 0.1 ? whole : exact;
}

void DrawScaledArtwork(HDC dst, int dx, int dy, int width, int height, const ScaledPiece* pieces, int count) {
  if (width <= 0 || height <= 0) return;
  CoverageImage picture(width, height);
  for (int i = 0; i < count; ++i) {
    const ScaledPiece& piece = pieces[i];
    // The cell's pixels straight from the artwork tables, the same colours
    // the sheets are built from.
    std::vector<uint32_t> cell(static_cast<size_t>(piece.sw) * piece.sh);
    for (int y = 0; y < piece.sh; ++y) {
      for (int x = 0; x < piece.sw; ++x) {
        cell[static_cast<size_t>(y) * piece.sw + x] = SheetPixel(piece.sheet, piece.sx + x, piece.sy + y);
      }
    }
    picture.Compose(ArtworkCell{cell.data(), piece.sw, 0, 0, piece.sw, piece.sh, kColorKey}, piece.x, piece.y,
                    piece.w, piece.h);
  }

  // Per-pixel alpha needs a 32-bit DIB section as the source of the blend.
  BITMAPINFO info = TopDownBitmapInfo(width, height);
  void* bits = nullptr;
  OwnedBitmap bitmap(NoteGdiObject(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)));
  if (!bitmap || !bits) return;
  const std::vector<uint32_t> pixels = picture.PremultipliedBgra();
  std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
  GdiFlush();

  OwnedDC source(NoteGdiObject(CreateCompatibleDC(dst)));
  if (!source) return;
  SelectGuard select(source, bitmap);
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = 255;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(dst, dx, dy, width, height, source, 0, 0, width, height, blend);
}

}  // namespace skin
