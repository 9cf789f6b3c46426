#include "interact/paint_routing.h"

#include "gdi/gdi_raii.h"
#include "interact/fade.h"
#include "render/button_painter.h"
#include "render/combo_painter.h"
#include "render/frame_border.h"
#include "render/glyph_painter.h"
#include "render/header_painter.h"
#include "render/nc_border.h"
#include "render/progress_painter.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {
namespace {

constexpr int kFullAlpha = 255;

// A plain push button is never painted by its own procedure while skinned:
// it shows the image of its state at full opacity, ending any fade.
LRESULT PaintPushButton(const Message& m) {
  StopFadeTimer(m.window);
  SetPropInt(m.window, prop::kAlphaLevel, kFullAlpha);
  ScopedPaint paint(m.window);
  BlendPushButtonImageAt(m.window, paint, kFullAlpha);
  return 0;
}

LRESULT ForwardThenFrame(const Message& m, bool inner_ring) {
  const LRESULT result = m.Forward();
  DrawFrameRings(m.window, nullptr, inner_ring);
  return result;
}

}  // namespace

LRESULT OnPaint(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  switch (family) {
    case ControlFamily::PushButton:
      return PaintPushButton(m);
    case ControlFamily::ComboBox:
      return PaintComboBox(m);
    case ControlFamily::DriveList:
      return PaintDriveList(m);
    case ControlFamily::CheckBox:
    case ControlFamily::OptionButton: {
      // The control draws caption and background; the skin's glyph goes
      // over its own, shown normal after every repaint.
      const LRESULT result = m.Forward();
      if (family == ControlFamily::CheckBox) {
        PaintCheckBox(m.window, kStateNormal, true, m.previous);
      } else {
        PaintOptionButton(m.window, kStateNormal, true, m.previous);
      }
      return result;
    }
    case ControlFamily::ProgressBar:
      return PaintProgressBar(m);
    case ControlFamily::Header:
      return PaintHeader(m);
    case ControlFamily::DataList:
    case ControlFamily::DropList:
      return ForwardThenFrame(m, true);
    case ControlFamily::Grid:
      if (GetWindowLongPtrW(m.window, GWL_STYLE) & WS_BORDER) return ForwardThenFrame(m, false);
      return m.Forward();
    default:
      // Forms, text boxes, frames.
      return m.Forward();
  }
}

LRESULT OnNcPaint(const Message& m) {
  switch (ClassifyWindow(m.window)) {
    case ControlFamily::ProgressBar:
      return PaintProgressFrame(m.window, m.previous);
    case ControlFamily::DataList:
      return m.Forward();
    default: {
      const LRESULT result = m.Forward();
      if (GetWindowLongPtrW(m.window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawClientEdgeBorder(m.window);
      return result;
    }
  }
}

}  // namespace skin
