// The skin's one piece of process-wide state. Everything per window lives
// in window properties instead.
#pragma once

#include <windows.h>

#include <cstdint>

#include "state/button_faces.h"
#include "state/glyph_cache.h"

namespace skin {

enum SpriteSheet : int {
  SheetButton = 0,
  SheetComboButton,
  SheetCheck,
  SheetOption,
  SheetHeader,
  kSheetCount,
};

struct SkinState {
  bool initialised = false;
  bool leave_tracking_available = false;  // user32 exports TrackMouseEvent
  bool high_contrast = false;             // the platform's look is shown (high_contrast.h)
  int32_t attached_count = 0;
  HDC sheets[kSheetCount] = {};
  GlyphCache glyphs;  // freed with the sheets, and on DPI, colour and settings changes
  ButtonFaceCache button_faces;  // freed with the sheets, and on display changes
};

SkinState& State();

inline HDC Sheet(SpriteSheet sheet) { return State().sheets[sheet]; }

}  // namespace skin
