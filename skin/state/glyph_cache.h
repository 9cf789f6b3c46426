// Check-box and option-button glyphs kept once composed. A glyph's picture
// depends on a handful of values only; composing it costs a dozen GDI
// objects and most of a paint, copying it one blit.
#pragma once

#include <windows.h>

#include "state/kept_pictures.h"

namespace skin {

// Everything a glyph's pixels depend on.
struct GlyphKey {
  int painter = 0;  // which painter composed it
  int width = 0, height = 0;
  int state = 0;
  int mark = 0;  // the check state, as far as the picture shows it
  bool enabled = true;
  int mark_y = 0;  // where the mark sits, where that depends on the placing
  // What the picture's transparent pixels show; 0 for an opaque glyph.
  COLORREF background = 0;
};
bool operator==(const GlyphKey& a, const GlyphKey& b);

// A form shows a few sizes and states of each glyph over one or two
// backgrounds.
class GlyphCache : public KeptPictures<GlyphKey, 64> {
 public:
  // Frees every picture and forgets the glyph size.
  void Clear() {
    KeptPictures::Clear();
    size_known_ = false;
  }

  // The menu-check size (SM_CXMENUCHECK, SM_CYMENUCHECK), read from the
  // system on first use after a Clear.
  SIZE GlyphSize();

  // Off: the painters compose every glyph anew and keep nothing.
  bool keep = true;

 private:
  SIZE size_{};
  bool size_known_ = false;
};

}  // namespace skin
