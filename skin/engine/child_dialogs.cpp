#include "engine/child_dialogs.h"

#include "engine/attach.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {

LRESULT OnParentNotify(const Message& m) {
  const LRESULT result = m.Forward();
  if (LOWORD(m.wParam) != WM_CREATE || !IsAttached(m.window)) return result;
  HWND child = reinterpret_cast<HWND>(m.lParam);
  // Dialog controls are created without parent notification; a dialog
  // created as a child is announced, and its controls follow in its
  // WM_INITDIALOG, which it now receives skinned.
  if (child && GetParent(child) == m.window && ClassifyWindow(child) == ControlFamily::Form) AttachWindow(child);
  return result;
}

LRESULT OnInitDialog(const Message& m) {
  const LRESULT result = m.Forward();
  if (IsAttached(m.window)) EnumChildWindows(m.window, AttachChildProc, 0);
  return result;
}

}  // namespace skin
