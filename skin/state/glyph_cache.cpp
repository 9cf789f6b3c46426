#include "state/glyph_cache.h"

namespace skin {

bool operator==(const GlyphKey& a, const GlyphKey& b) {
  return a.painter == b.painter && a.width == b.width && a.height == b.height && a.state == b.state &&
         a.mark == b.mark && a.enabled == b.enabled && a.mark_y == b.mark_y && a.background == b.background;
}

// The size follows the DPI and the menu font, and the platform works it
// out from the font each time it is asked; it changes only with the
// settings whose announcements clear the cache.
SIZE GlyphCache::GlyphSize() {
  if (!size_known_) {
    size_ = SIZE{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
    size_known_ = true;
  }
  return size_;
}

}  // namespace skin
