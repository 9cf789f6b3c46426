#include "render/frame_border.h"

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"

namespace skin {
namespace {

void Draw(HWND window, HDC dc, bool inner_ring) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  FrameSolidRect(dc, 0, 0, bounds.Width, bounds.Height,
                 IsWindowEnabled(window) ? kColorFrameEnabled : kColorFrameDisabled);
  if (inner_ring) FrameSolidRect(dc, 1, 1, bounds.Width - 2, bounds.Height - 2, kColorWhite);
}

}  // namespace

void DrawFrameRings(HWND window, HDC dc, bool inner_ring) {
  if (dc) {
    Draw(window, dc, inner_ring);
    return;
  }
  ScopedWindowDC window_dc(window);
  Draw(window, window_dc, inner_ring);
}

}  // namespace skin
