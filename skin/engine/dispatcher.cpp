#include "engine/dispatcher.h"

#include "engine/attach.h"
#include "engine/child_dialogs.h"
#include "engine/followed_windows.h"
#include "interact/button_states.h"
#include "interact/control_states.h"
#include "interact/dialog_buttons.h"
#include "interact/fade.h"
#include "interact/high_contrast_switch.h"
#include "interact/paint_routing.h"
#include "interact/size_and_position.h"
#include "render/glyph_painter.h"
#include "state/message.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace skin {

// Stateless: the previous procedure is read from the window for every
// message, so re-entry (a forward that sends to the same window) is safe.
LRESULT CALLBACK SkinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window) return 0;
  const Message m{reinterpret_cast<WNDPROC>(GetPropHandle(window, prop::kProcAddr)), window, message, wParam,
                  lParam};
  if (!m.previous) return PassOn(window, message, wParam, lParam);

  // The kept glyphs were composed at the old DPI, colours and metrics, the
  // kept button faces in the old display format.
  if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE || message == WM_DPICHANGED ||
      message == WM_DISPLAYCHANGE) {
    ForgetComposedGlyphs();
    State().button_faces.Clear();
  }
  if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE) return OnSystemLookChange(m);
  // In high-contrast mode the skin draws nothing: it only goes on following
  // new windows, letting go of destroyed ones and noting the push-button
  // type the host asks for.
  if (State().high_contrast && message != WM_DESTROY && message != WM_ACTIVATE && message != WM_ENTERIDLE &&
      message != WM_CTLCOLORLISTBOX && message != WM_PARENTNOTIFY && message != WM_INITDIALOG &&
      message != BM_SETSTYLE) {
    return m.Forward();
  }

  switch (message) {
    case WM_DESTROY:
      // Detach first, so the window's own procedure handles its destruction
      // with everything the skin added already gone.
      DetachWindow(window);
      return m.Forward();
    case WM_SIZE:
      return OnSize(m);
    case WM_ACTIVATE:
      return OnActivate(m);
    case WM_SETFOCUS:
      return OnSetFocus(m);
    case WM_KILLFOCUS:
      return OnKillFocus(m);
    case WM_ENABLE:
      return OnEnable(m);
    case WM_CAPTURECHANGED:
      return OnCaptureChanged(m);
    case WM_SETTEXT:
    case WM_SETFONT:
      return OnTextOrFontChange(m);
    case BM_SETCHECK:
      return OnSetCheck(m);
    case WM_GETDLGCODE:
      return OnGetDlgCode(m);
    case BM_SETSTYLE:
      return OnSetStyle(m);
    case BM_SETSTATE:
      return OnSetState(m);
    case BM_SETIMAGE:
      return OnTextOrFontChange(m);
    case WM_ERASEBKGND:
      return OnEraseBackground(m);
    case WM_COMMAND: {
      // A combo box tells its parent that its list has closed; its drop
      // button is shown again as the cursor finds it.
      const LRESULT result = m.Forward();
      if (HIWORD(wParam) == CBN_CLOSEUP) ControlListClosed(reinterpret_cast<HWND>(lParam));
      return result;
    }
    case WM_PAINT:
      return OnPaint(m);
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(m);
    case WM_NCPAINT:
      return OnNcPaint(m);
    case WM_KEYDOWN:
      return OnKeyDown(m);
    case WM_KEYUP:
      return OnKeyUp(m);
    case WM_TIMER:
      return OnTimer(m);
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:
      // The dialog box or menu window entering its idle loop, or the list
      // about to be coloured (a combo box's drop-down list): skinned once.
      return OnWindowNamed(m);
    case WM_PARENTNOTIFY:
      return OnParentNotify(m);
    case WM_INITDIALOG:
      return OnInitDialog(m);
    case WM_MOUSEMOVE:
      return OnMouseMove(m);
    case WM_LBUTTONDOWN:
      return OnLButtonDown(m);
    case WM_LBUTTONUP: {
      // A click may change the check marks of the whole group, not just of
      // the control released on.
      const LRESULT result = OnLButtonUp(m);
      RefreshGroupAfterRelease(window, SkinWindowProc);
      return result;
    }
    case WM_LBUTTONDBLCLK:
      return OnLButtonDblClk(m);
    case WM_MOUSELEAVE:
      return OnMouseLeave(m);
    default:
      return m.Forward();
  }
}

}  // namespace skin
