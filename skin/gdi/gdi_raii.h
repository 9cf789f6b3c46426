// The resource owners the engine draws with, under the engine's namespace.
#pragma once

#include <tarnwick/gdi_raii.h>

namespace skin {
using tarnwick::OwnedBitmap;
using tarnwick::OwnedBrush;
using tarnwick::OwnedDC;
using tarnwick::OwnedObject;
using tarnwick::OwnedPalette;
using tarnwick::OwnedRegion;
using tarnwick::ScopedClientDC;
using tarnwick::ScopedPaint;
using tarnwick::ScopedWindowDC;
using tarnwick::SelectGuard;
}  // namespace skin
