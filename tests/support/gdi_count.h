// How many GDI objects this process owns right now, for leak checks: run
// the code once to warm up, take CountGdiObjects(), run it many times, and
// compare.
#pragma once

namespace testsupport {

// GetGuiResources(GR_GDIOBJECTS) where it works (Windows); where it is a
// stub returning 0 (Wine), the used entries of the shared GDI handle table
// that carry this process as owner. -1 if neither is available.
int CountGdiObjects();

}  // namespace testsupport
