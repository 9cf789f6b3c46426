#include "interact/fade.h"

#include "render/button_painter.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {

UINT_PTR StartFadeTimer(HWND window) {
  if (GetPropInt(window, prop::kTimerId) != 0) return 0;
  const UINT_PTR id = SetTimer(window, kFadeTimerId, kFadeIntervalMs, nullptr);
  SetPropInt(window, prop::kTimerId, static_cast<int32_t>(id));
  return id;
}

BOOL StopFadeTimer(HWND window) {
  const int32_t id = GetPropInt(window, prop::kTimerId);
  if (id == 0) return 0;
  const BOOL result = KillTimer(window, static_cast<UINT_PTR>(id));
  SetPropInt(window, prop::kTimerId, 0);
  return result;
}

// Each tick blends the same target image over what earlier ticks left, so
// the picture converges on it; the last blend is at 255, which leaves
// exactly the target. The fade counts ticks, so late ticks only slow it.
LRESULT OnTimer(const Message& m) {
  if (SkinnedFamily(m.window) == ControlFamily::PushButton) {
    int level = GetPropInt(m.window, prop::kAlphaLevel);
    // SkinnedFamily has read the saved style: the blend need not again.
    BlendPushButtonImageAt(m.window, nullptr, level);
    level += kFadeStep;
    if (level > kFadeLastLevel) {
      StopFadeTimer(m.window);
      level = 0;
    }
    SetPropInt(m.window, prop::kAlphaLevel, level);
  }
  return m.Forward();
}

}  // namespace skin
