#include "interact/high_contrast_switch.h"

#include "interact/dialog_buttons.h"
#include "interact/fade.h"
#include "interact/size_and_position.h"
#include "state/families.h"
#include "state/high_contrast.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {
namespace {


// Back to the skin's look, with the visual state a fresh attach gives: the
// mouse and keys that moved while the platform drew are forgotten.
void ShowSkinLook(HWND window) {
  const ControlFamily family = SkinnedFamily(window);
  SetFreshVisualState(window, family);
  if (family == ControlFamily::PushButton) {
    SwitchToOwnerDraw(window);
    // The button may have been resized while the platform drew it.
    FitButtonToItsSize(window);
  }
}

void ShowLookForMode(HWND window) {
  if (!IsAttached(window)) return;
  if (State().high_contrast) {
    ShowPlatformLook(window);
  } else {
    ShowSkinLook(window);
  }
}

BOOL CALLBACK ShowLookProc(HWND child, LPARAM) {
  ShowLookForMode(child);
  return TRUE;
}

}  // namespace

void ShowPlatformLook(HWND window) {
  // Buttons of other types never left their own look.
  if (SkinnedFamily(window) != ControlFamily::PushButton) return;
  StopFadeTimer(window);
  // As detach gives them back: the saved style (which undoes the owner-draw
  // switch) and no region.
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG>(GetPropInt(window, prop::kOldStyle)));
  SetWindowRgn(window, nullptr, TRUE);
}

LRESULT OnSystemLookChange(const Message& m) {
  const LRESULT result = m.Forward();
  if (GetWindowLongPtrW(m.window, GWL_STYLE) & WS_CHILD) return result;
  const bool was = State().high_contrast;
  State().high_contrast = ReadHighContrast();
  // Each skinned top-level window hears of the change itself, but only the
  // first to hear it sees the mode change. Announcements of the mode and of
  // new colours therefore always set the looks; other settings only when
  // the mode turned out different.
  const bool announced = m.message == WM_SYSCOLORCHANGE || m.wParam == SPI_SETHIGHCONTRAST;
  if (!announced && was == State().high_contrast) return result;
  ShowLookForMode(m.window);
  EnumChildWindows(m.window, ShowLookProc, 0);
  RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return result;
}

}  // namespace skin
