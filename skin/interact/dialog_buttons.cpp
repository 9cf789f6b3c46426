#include "interact/dialog_buttons.h"

#include "interact/fade.h"
#include "state/families.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {
namespace {

constexpr LONG kPushDialogCodes = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;

LONG SavedStyle(HWND window) { return static_cast<LONG>(GetPropInt(window, prop::kOldStyle)); }

// The style the window has now, with the button type the host asked for:
// what detach writes back.
void SaveStyleWithType(HWND window, LONG type) {
  const LONG now = static_cast<LONG>(GetWindowLongPtrW(window, GWL_STYLE));
  SetPropInt(window, prop::kOldStyle, static_cast<int32_t>((now & ~BS_TYPEMASK) | (type & BS_TYPEMASK)));
}

}  // namespace

LRESULT OnGetDlgCode(const Message& m) {
  const LRESULT result = m.Forward();
  if (SkinnedFamily(m.window) != ControlFamily::PushButton) return result;
  // The owner-drawn window answers as a button of no push type; the dialog
  // manager would then never hand it the default, and Enter on it would
  // press the dialog's default button instead.
  const bool is_default = (SavedStyle(m.window) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return (result & ~kPushDialogCodes) | DLGC_BUTTON | (is_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT OnSetStyle(const Message& m) {
  if (ClassifyWindow(m.window) != ControlFamily::PushButton || !IsPlainPushButton(m.window)) return m.Forward();
  const LONG type = static_cast<LONG>(m.wParam) & BS_TYPEMASK;
  if (State().high_contrast) {
    // The platform draws the button now: it takes the type itself, and the
    // skin's look comes back later with the type last asked for.
    const LRESULT result = m.Forward();
    SaveStyleWithType(m.window, type);
    return result;
  }
  if (IsPlainPushButtonStyle(type)) {
    Message owner_drawn = m;
    owner_drawn.wParam = (m.wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
    const LRESULT result = owner_drawn.Forward();
    SaveStyleWithType(m.window, type);
    return result;
  }
  // The host makes it another kind of button: it draws and behaves as that
  // from now on, without the skin's face, fade or region.
  const LRESULT result = m.Forward();
  StopFadeTimer(m.window);
  SaveStyleWithType(m.window, type);
  SetWindowRgn(m.window, nullptr, TRUE);
  return result;
}

void SwitchToOwnerDraw(HWND window) {
  const Message m{reinterpret_cast<WNDPROC>(GetPropHandle(window, prop::kProcAddr)), window, BM_SETSTYLE,
                  BS_OWNERDRAW, TRUE};
  // Straight to the procedure below the skin: through the skin, the request
  // would be taken for the host's choice of type.
  if (m.previous) m.Forward();
}

}  // namespace skin
