#include "interact/size_and_position.h"

#include "gdi/call_counts.h"
#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "render/button_painter.h"
#include "render/combo_painter.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {

LRESULT OnSize(const Message& m) {
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (SkinnedFamily(m.window) == ControlFamily::PushButton) FitButtonToItsSize(m.window);
  return result;
}

void FitButtonToItsSize(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  {
    ScopedWindowDC window_dc(window);
    for (int state = 0; state < 4; ++state) {
      HDC image_dc = static_cast<HDC>(GetPropHandle(window, StateDcName(state).c_str()));
      HBITMAP bitmap = NoteGdiObject(CreateCompatibleBitmap(window_dc, bounds.Width, bounds.Height));
      // Without a new bitmap the state keeps its old one, still named by
      // its property, so detach frees exactly what is selected.
      if (!image_dc || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        continue;
      }
      HGDIOBJ old = SelectObject(image_dc, bitmap);
      if (old) DeleteObject(old);
      SetPropHandle(window, StateBitmapName(state).c_str(), bitmap);
    }
    RenderButtonImages(window);
  }
  HRGN region = NoteGdiObject(CreateRoundRectRgn(0, 0, bounds.Width + 1, bounds.Height + 1, 3, 3));
  // The region belongs to the window from here on.
  SetWindowRgn(window, region, TRUE);
}

LRESULT OnWindowPosChanging(const Message& m) {
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  const ControlFamily family = ClassifyWindow(m.window);
  if (family == ControlFamily::ComboBox || family == ControlFamily::DriveList) {
    int state = kStateNormal;
    PaintComboButton(m.window, nullptr, state, false, m.previous);
  }
  return result;
}

}  // namespace skin
