#include "render/nc_border.h"

#include <commctrl.h>

#include <algorithm>

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"
#include "state/message.h"

namespace skin {
namespace {

constexpr float kFullPosition = 30000.0f;

// The bar's fraction, single precision as the client pass reads it.
// Positions outside 0..30000 are held to it, so a fill never runs over the
// frame.
float ProgressFraction(HWND window, WNDPROC previous) {
  const float f = static_cast<float>(AskWindow(window, previous, PBM_GETPOS, 0, 0)) / kFullPosition;
  return std::clamp(f, 0.0f, 1.0f);
}

}  // namespace

LRESULT PaintProgressFrame(HWND window, WNDPROC previous) {
  int x = 0, y = 0;
  GetClientOffset(window, x, y);
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  RECT client{};
  GetClientRect(window, &client);
  const int cw = client.right - client.left;
  const int ch = client.bottom - client.top;
  const float f = ProgressFraction(window, previous);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);

  MemoryDC image(bounds.Width, bounds.Height);
  // The frame keeps the enabled colour even on a disabled bar.
  FillSolidRect(image, 0, 0, bounds.Width, bounds.Height, kColorFrameEnabled);
  FillSolidRect(image, 1, 1, bounds.Width - 2, bounds.Height - 2, kColorWhite);
  if (f != 0) {
    if (!(style & PBS_VERTICAL)) {
      FillSolidRect(image, x, y, RoundHalfToEven(cw * f), ch, kColorProgressFill);
    } else {
      // Smooth or not, a vertical bar shows its fill from the bottom in
      // this pass too, so the frame never flashes an empty bar.
      FillSolidRect(image, x, y, cw, ch, kColorProgressFill);
      FillSolidRect(image, x, y, cw, ch - RoundHalfToEven(ch * f), kColorWhite);
    }
  }
  ScopedWindowDC window_dc(window);
  BitBlt(window_dc, 0, 0, bounds.Width, bounds.Height, image, 0, 0, SRCCOPY);
  return 0;
}

// A one-pixel ring in the frame colour, then rings in the background
// colour. Only the left and top sides of rings 2.. move inwards: their
// width and height shrink by one per ring, not by two.
void DrawClientEdgeBorder(HWND window) {
  int x = 0, y = 0;
  GetClientOffset(window, x, y);
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  ScopedWindowDC window_dc(window);
  ScopedClientDC client_dc(window);
  FrameSolidRect(window_dc, 0, 0, bounds.Width, bounds.Height,
                 IsWindowEnabled(window) ? kColorFrameEnabled : kColorFrameDisabled);
  const COLORREF background = GetBkColor(client_dc);
  for (int k = 1; k <= x; ++k) {
    FrameSolidRect(window_dc, k, k, bounds.Width - 1 - k, bounds.Height - 1 - k, background);
  }
}

}  // namespace skin
