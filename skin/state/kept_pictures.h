// Pictures composed once and kept, each in a memory DC of its own, found
// again by a key holding everything their pixels depend on. The owner
// clears them when anything outside the key changes (DPI, colours,
// display format) and when the skin is torn down.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "gdi/gdi_toolkit.h"

namespace skin {

// Key needs ==. Past kMax pictures something keeps inventing new keys (a
// background that changes on every paint, a button edge being dragged):
// the pictures start afresh rather than grow.
template <typename Key, size_t kMax>
class KeptPictures {
 public:
  KeptPictures() = default;
  ~KeptPictures() { Clear(); }
  KeptPictures(const KeptPictures&) = delete;
  KeptPictures& operator=(const KeptPictures&) = delete;

  // The picture kept for key, or null.
  HDC Find(const Key& key) const {
    for (const Entry& entry : entries_) {
      if (entry.key == key) return entry.image;
    }
    return nullptr;
  }

  // A new memory DC of width x height, kept for key, for the caller to
  // compose the picture in; null when it cannot be made.
  HDC Add(const Key& key, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (entries_.size() >= kMax) Clear();
    HDC image = CreateMemoryDC(width, height);
    if (image) entries_.push_back(Entry{key, image});
    return image;
  }

  void Clear() {
    for (Entry& entry : entries_) DeleteMemoryDC(entry.image);
    entries_.clear();
  }

 private:
  struct Entry {
    Key key;
    HDC image;
  };
  std::vector<Entry> entries_;
};

}  // namespace skin
