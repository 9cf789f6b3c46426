#include "interact/size_and_position.h"

#include "gdi/call_counts.h"
#include "gdi/gdi_toolkit.h"
#include "render/button_painter.h"
#include "render/combo_painter.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {

namespace {

// Whether every image already holds a bitmap of width x height: a WM_SIZE
// that did not change the size (a frame change) leaves images and region
// as they are.
bool ImagesHaveSize(const ButtonImages& images, int width, int height) {
  for (HDC image_dc : images.dc) {
    BITMAP info{};
    if (!GetObjectW(GetCurrentObject(image_dc, OBJ_BITMAP), sizeof(info), &info)) return false;
    if (info.bmWidth != width || info.bmHeight != height) return false;
  }
  return true;
}

// New bitmaps of the button's size for its images, the images rendered
// anew, and the rounded region of that size. previous: the procedure below
// the skin, when known, for the font and caption.
void FitButton(HWND window, const ButtonImages& images, int width, int height, LONG style, WNDPROC previous) {
  for (int state = 0; state < 4; ++state) {
    HDC image_dc = images.dc[state];
    if (!image_dc) continue;
    // Made like attach made the first ones: in the display's format, from
    // what the set-up holds, without asking the window's DC.
    HBITMAP bitmap = CreateImageBitmap(window, width, height);
    // Without a new bitmap the state keeps its old one, still named by its
    // property, so detach frees exactly what is selected.
    if (!bitmap) continue;
    HGDIOBJ old = SelectObject(image_dc, bitmap);
    if (old) DeleteObject(old);
    SetPropHandle(window, StateBitmapName(state).c_str(), bitmap);
  }
  RenderButtonImages(window, images, width, height, style, previous);
  HRGN region = NoteGdiObject(CreateRoundRectRgn(0, 0, width + 1, height + 1, 3, 3));
  // The region belongs to the window from here on.
  SetWindowRgn(window, region, TRUE);
}

}  // namespace

LRESULT OnSize(const Message& m) {
  const LRESULT result = m.Forward();
  LONG style = 0;
  if (SkinnedFamily(m.window, style) != ControlFamily::PushButton) return result;
  // The image DCs, which detach removes, also tell that the button is
  // still skinned after the forward.
  const ButtonImages images = ReadButtonImages(m.window);
  if (!images.Complete()) return result;
  WindowBounds bounds;
  GetWindowBounds(m.window, bounds);
  if (ImagesHaveSize(images, bounds.Width, bounds.Height)) return result;
  FitButton(m.window, images, bounds.Width, bounds.Height, style, m.previous);
  return result;
}

void FitButtonToItsSize(HWND window) {
  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  FitButton(window, ReadButtonImages(window), bounds.Width, bounds.Height,
            static_cast<LONG>(GetPropInt(window, prop::kOldStyle)), nullptr);
}

LRESULT OnWindowPosChanging(const Message& m) {
  const LRESULT result = m.Forward();
  const ControlFamily family = ClassifyWindow(m.window);
  // Only the drop button's windows look whether they were detached inside
  // the forward: every move and resize of any window comes through here.
  if ((family == ControlFamily::ComboBox || family == ControlFamily::DriveList) && IsAttached(m.window)) {
    int state = kStateNormal;
    PaintComboButton(m.window, nullptr, state, false, m.previous);
  }
  return result;
}

}  // namespace skin
