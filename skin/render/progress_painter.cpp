#include "render/progress_painter.h"

#include <commctrl.h>

#include <algorithm>

#include "gdi/colors.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "gdi/rounding.h"

namespace skin {
namespace {

// The bar's range is never asked for: this position means full.
constexpr float kFullPosition = 30000.0f;

}  // namespace

LRESULT PaintProgressBar(const Message& m) {
  const LONG_PTR style = GetWindowLongPtrW(m.window, GWL_STYLE);
  RECT client{};
  GetClientRect(m.window, &client);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  MemoryDC image(w, h);

  // Single precision, as the frame pass reads it. A bar whose range goes
  // beyond the full position (or below 0) is held to 0..1 so the fill
  // never runs outside the bar.
  const float position = static_cast<float>(AskWindow(m.window, m.previous, PBM_GETPOS, 0, 0));
  const float f = std::clamp(position / kFullPosition, 0.0f, 1.0f);

  FillSolidRect(image, 0, 0, w, h, kColorWhite);
  if (f != 0.0f) {
    if (style & PBS_VERTICAL) {
      const float filled = static_cast<float>(h) * f;
      FillSolidRect(image, 0, RoundHalfToEven(static_cast<float>(h) - filled), w, RoundHalfToEven(filled),
                    kColorProgressFill);
    } else {
      FillSolidRect(image, 0, 0, RoundHalfToEven(static_cast<float>(w) * f), h, kColorProgressFill);
    }
  }

  ScopedPaint paint(m.window);
  BitBlt(paint, 0, 0, w, h, image, 0, 0, SRCCOPY);
  return 0;
}

}  // namespace skin
