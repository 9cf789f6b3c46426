// The sprite artwork at displays of more than 96 dots per inch. The painters
// size their glyphs by system metrics that grow with the DPI (the menu
// check mark, the scroll-bar width); the artwork drawn inside them is made
// for the 96-DPI sizes. At any other size it is drawn scaled by the glyph's
// size over its 96-DPI size, so that the picture is the 96-DPI one
// enlarged; at the 96-DPI size the painters draw exactly as they always have.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "state/skin_state.h"

namespace skin {

// The factor for artwork inside a glyph of `size` pixels whose 96-DPI size
// is `base`. A factor within a tenth of a whole number is taken as that
// number (25 / 13 at 192 DPI becomes 2), so that small artwork such as the
// check mark is repeated pixel for pixel and stays sharp; otherwise it is
// the exact ratio, and the artwork is area-averaged.
double ArtworkScale(int size, int base);

// One sheet cell laid onto the rectangle (x, y, w, h) of the picture, in
// pixels, fractions allowed.
struct ScaledPiece {
  SpriteSheet sheet;
  int sx, sy, sw, sh;
  double x, y, w, h;
};

// Composes the pieces in order, each area-averaged to its rectangle with
// its key-coloured pixels transparent, into a width x height picture, and
// blends that picture onto dst at (dx, dy): what the pieces do not cover
// keeps dst's pixels, their edges mix with them.
void DrawScaledArtwork(HDC dst, int dx, int dy, int width, int height, const ScaledPiece* pieces, int count);
inline void DrawScaledArtwork(HDC dst, int dx, int dy, int width, int height, std::initializer_list<ScaledPiece> pieces) {
  DrawScaledArtwork(dst, dx, dy, width, height, pieces.begin(), static_cast<int>(pieces.size()));
}

}  // namespace skin
