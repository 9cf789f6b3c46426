#include "state/glyph_cache.h"

#include "gdi/gdi_toolkit.h"

namespace skin {
namespace {

// A form shows a few sizes and states of each glyph over one or two
// backgrounds. Past this many pictures something keeps inventing new ones
// (backgrounds that change on every paint): start afresh rather than grow.
constexpr size_t kMaxPictures = 64;

}  // namespace

bool operator==(const GlyphKey& a, const GlyphKey& b) {
  return a.painter == b.painter && a.width == b.width && a.height == b.height && a.state == b.state &&
         a.mark == b.mark && a.enabled == b.enabled && a.mark_y == b.mark_y && a.background == b.background;
}

HDC GlyphCache::Find(const GlyphKey& key) const {
  for (const Entry& entry : entries_) {
    if (entry.key == key) return entry.image;
  }
  return nullptr;
}

HDC GlyphCache::Add(const GlyphKey& key) {
  if (entries_.size() >= kMaxPictures) {
    for (Entry& entry : entries_) DeleteMemoryDC(entry.image);
    entries_.clear();
  }
  HDC image = CreateMemoryDC(key.width, key.height);
  if (image) entries_.push_back(Entry{key, image});
  return image;
}

void GlyphCache::Clear() {
  for (Entry& entry : entries_) DeleteMemoryDC(entry.image);
  entries_.clear();
  size_known_ = false;
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
