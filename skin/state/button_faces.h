// Blank push-button faces kept once composed: the sheet's four cells
// nine-sliced to one button size, without caption, stacked in one picture
// (state i's face at y = i x height). Every caption, font or focus change
// of a button of that size copies them instead of slicing the sheet again.
#pragma once

#include "state/kept_pictures.h"

namespace skin {

struct FaceSize {
  int width = 0, height = 0;
};
inline bool operator==(const FaceSize& a, const FaceSize& b) { return a.width == b.width && a.height == b.height; }

// A form has a few button sizes; dragging a button's edge makes a new one
// at every step.
using ButtonFaceCache = KeptPictures<FaceSize, 16>;

}  // namespace skin
