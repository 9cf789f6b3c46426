// The skin's one piece of skin-wide state. Everything per window lives in
// window properties instead.
//
// One SkinState per GUI thread (State()): each thread that attaches
// windows has its own initialised flag, attached-window count and sprite
// sheets, set up by its first attach and torn down when its own last
// attached window goes. A window is attached only by the thread that owns
// it, and its messages run on that thread, so every use of a window's skin
// reaches the state that was set up for it, and no lock is needed: threads
// never share a sheet, a display DC or a count. A program with one GUI
// thread has exactly one instance. Add further skin-wide members here; they
// are per thread too; TearDown frees what they hold, and the state itself
// goes when its thread ends.
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
  int32_t attached_count = 0;             // windows of this thread attached
  // Windows of this thread the skin stays in as a pass-through (PASSPROC),
  // never fewer: while it is 0, attach need not look for one. Outlives
  // TearDown, as the pass-throughs outlive the last detach.
  int32_t pass_through_count = 0;
  // Each sheet is built on its first use (Sheet) while the skin is set up,
  // and freed by TearDown with the others built; null until then.
  HDC sheets[kSheetCount] = {};
  // Builds one sheet into `sheets` and returns it: set by the set-up and
  // cleared by TearDown. The artwork lives in a higher layer.
  HDC (*build_sheet)(SpriteSheet sheet) = nullptr;
  GlyphCache glyphs;  // freed with the sheets, and on DPI, colour and settings changes
  ButtonFaceCache button_faces;  // freed with the sheets, and on display changes
};

// The calling thread's state.
SkinState& State();

// The sheet's memory DC, built now if this is its first use since the
// set-up: a window whose painting needs only some sheets never pays for
// the others. Null outside a set-up until built (BuildSpriteSheets).
inline HDC Sheet(SpriteSheet sheet) {
  SkinState& state = State();
  if (!state.sheets[sheet] && state.build_sheet) return state.build_sheet(sheet);
  return state.sheets[sheet];
}

}  // namespace skin
