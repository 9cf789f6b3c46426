// Counts of the engine's costly platform calls: window-property reads and
// writes (each a server round trip on some platforms) and GDI objects
// created. Only a build compiled with SKIN_COUNT_CALLS counts; in every
// other build the notes are empty inline functions and cost nothing.
#pragma once

#include <cstdint>

namespace skin {

struct CallCounts {
  int64_t property_reads = 0;
  int64_t property_writes = 0;  // SetPropA and RemovePropA
  int64_t gdi_objects = 0;      // DCs, bitmaps, brushes, palettes, regions made
};

#ifdef SKIN_COUNT_CALLS
CallCounts& Counts();
inline void NotePropertyRead() { ++Counts().property_reads; }
inline void NotePropertyWrite() { ++Counts().property_writes; }
// Passes a creation call's result through, counting it when it is an object.
template <typename Handle>
Handle NoteGdiObject(Handle object) {
  if (object) ++Counts().gdi_objects;
  return object;
}
#else
inline void NotePropertyRead() {}
inline void NotePropertyWrite() {}
template <typename Handle>
Handle NoteGdiObject(Handle object) {
  return object;
}
#endif

}  // namespace skin
