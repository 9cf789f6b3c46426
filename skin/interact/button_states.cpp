#include "interact/button_states.h"

#include "interact/control_states.h"
#include "interact/fade.h"
#include "interact/mouse_tracking.h"
#include "render/button_painter.h"
#include "state/families.h"
#include "state/properties.h"

namespace skin {
namespace {

constexpr WPARAM kSpaceKey = VK_SPACE;
constexpr int kFullAlpha = 255;
constexpr int kLeaveHotAlpha = 140;     // the hot image shown once on leaving
constexpr int kReleaseStartAlpha = 60;  // a released button fades from here

bool TracksMouse(ControlFamily family) {
  switch (family) {
    case ControlFamily::PushButton:
    case ControlFamily::ComboBox:
    case ControlFamily::DriveList:
    case ControlFamily::CheckBox:
    case ControlFamily::OptionButton:
    case ControlFamily::Header:
      return true;
    default:
      return false;
  }
}

bool CursorIsOver(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == window;
}

void ShowPressed(HWND window) {
  StopFadeTimer(window);
  SetPropInt(window, prop::kOldState, kStatePressed);
  SetPropInt(window, prop::kAlphaLevel, kFullAlpha);
  BlendButtonImage(window, nullptr);
  SetPropInt(window, prop::kAlphaLevel, 0);
}

void FadeTo(HWND window, VisualState state, int start_level) {
  SetPropInt(window, prop::kOldState, state);
  SetPropInt(window, prop::kAlphaLevel, start_level);
  StartFadeTimer(window);
}

}  // namespace

bool ArmLeaveTracking(HWND window) {
  if (GetPropInt(window, prop::kMouseFlag) != 0) return false;
  SetPropInt(window, prop::kMouseFlag, 1);
  TrackMouseLeave(window);
  return true;
}

LRESULT OnMouseMove(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (!TracksMouse(family)) return result;
  const bool entered = ArmLeaveTracking(m.window);
  if (family == ControlFamily::PushButton) {
    if (entered) {
      FadeTo(m.window, kStateHot, 0);
    } else if (!CursorIsOver(m.window)) {
      // Moves while another window is under the cursor (the button holds
      // the capture after a press): show the current state at once.
      StopFadeTimer(m.window);
      SetPropInt(m.window, prop::kAlphaLevel, kFullAlpha);
      BlendButtonImage(m.window, nullptr);
    }
  } else {
    ControlMouseMove(m, family);
  }
  return result;
}

LRESULT OnMouseLeave(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    SetPropInt(m.window, prop::kMouseFlag, 0);
    SetPropInt(m.window, prop::kOldState, kStateHot);
    SetPropInt(m.window, prop::kAlphaLevel, kLeaveHotAlpha);
    BlendButtonImage(m.window, nullptr);
    FadeTo(m.window, kStateNormal, 0);
  } else {
    ControlMouseLeave(m, family);
  }
  return result;
}

LRESULT OnLButtonDown(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlLButtonDown(m, family);
  }
  return result;
}

LRESULT OnLButtonDblClk(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlLButtonDblClk(m, family);
  }
  return result;
}

LRESULT OnLButtonUp(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    // Cleared so that the next move over the button starts the hot fade.
    SetPropInt(m.window, prop::kMouseFlag, 0);
    FadeTo(m.window, kStateNormal, kReleaseStartAlpha);
  } else {
    ControlLButtonUp(m, family);
  }
  return result;
}

LRESULT OnKeyDown(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (m.wParam != kSpaceKey) return result;
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlKeyDown(m, family);
  }
  return result;
}

LRESULT OnKeyUp(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (m.wParam != kSpaceKey) return result;
  if (family == ControlFamily::PushButton) {
    SetPropInt(m.window, prop::kMouseFlag, 0);
    FadeTo(m.window, kStateNormal, 0);
  } else {
    ControlKeyUp(m, family);
  }
  return result;
}

namespace {

// Focus changes keep the state; the images are rendered anew with or
// without the focus mark and faded in.
LRESULT OnFocusChange(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    RenderButtonImages(m.window);
    SetPropInt(m.window, prop::kAlphaLevel, 0);
    StartFadeTimer(m.window);
  } else {
    ControlFocusChange(m, family);
  }
  return result;
}

}  // namespace

LRESULT OnSetFocus(const Message& m) { return OnFocusChange(m); }
LRESULT OnKillFocus(const Message& m) { return OnFocusChange(m); }

LRESULT OnEnable(const Message& m) {
  const ControlFamily family = ClassifyWindow(m.window);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    // Blends at whatever level the fade left; the level is not touched.
    SetPropInt(m.window, prop::kOldState, m.wParam ? kStateNormal : kStateDisabled);
    BlendButtonImage(m.window, nullptr);
  }
  return result;
}

}  // namespace skin
