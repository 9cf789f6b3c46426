#include "engine/followed_windows.h"

#include "engine/attach.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {

LRESULT OnActivate(const Message& m) {
  HWND other = reinterpret_cast<HWND>(m.lParam);
  if (other) {
    // Before the forward, so the new window is skinned before the previous
    // procedure handles the activation. AttachWindow skips windows of
    // other threads and windows already attached.
    if (GetParent(other) == m.window || ClassifyWindow(other) == ControlFamily::Form) AttachWindow(other);
  }
  return m.Forward();
}

LRESULT OnWindowNamed(const Message& m) {
  const LRESULT result = m.Forward();
  // A window detached inside the forward no longer follows anything.
  if (m.lParam && IsAttached(m.window)) AttachWindow(reinterpret_cast<HWND>(m.lParam));
  return result;
}

}  // namespace skin
