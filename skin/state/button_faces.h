// Blank push-button faces kept once composed: the sheet's four cells
// nine-sliced to one button size, without caption. Every caption, font or
// focus change of a button of that size copies them instead of slicing
// the sheet again.
#pragma once

#include <windows.h>

#include <vector>

namespace skin {

class ButtonFaceCache {
 public:
  ButtonFaceCache() = default;
  ~ButtonFaceCache() { Clear(); }
  ButtonFaceCache(const ButtonFaceCache&) = delete;
  ButtonFaceCache& operator=(const ButtonFaceCache&) = delete;

  // The faces of width x height: one memory DC, state i's face at y =
  // i x height. Null when none are kept for that size.
  HDC Find(int width, int height) const;
  // A new memory DC for the four faces of width x height, kept for that
  // size, for the caller to compose them in; null when it cannot be made.
  HDC Add(int width, int height);
  void Clear();

 private:
  struct Entry {
    int width, height;
    HDC faces;
  };
  std::vector<Entry> entries_;
};

}  // namespace skin
