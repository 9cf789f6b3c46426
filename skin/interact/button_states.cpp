#include "interact/button_states.h"

#include "interact/control_states.h"
#include "interact/fade.h"
#include "interact/mouse_tracking.h"
#include "gdi/gdi_toolkit.h"
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

// Ends any fade and shows the current state's image fully, at once.
void ShowAtFullLevel(HWND window) {
  StopFadeTimer(window);
  SetPropInt(window, prop::kAlphaLevel, kFullAlpha);
  BlendButtonImage(window, nullptr);
}

// A press is held from the left press or the space key until its release
// or until the button loses the capture or the focus.
bool PressIsHeld(HWND window) { return GetPropInt(window, prop::kOldState) == kStatePressed; }

// The press ends without its release: the face fades, as after a release,
// to hot when the cursor is over the button (tracking its leave) or to
// normal.
void EndPress(HWND window) {
  SetPropInt(window, prop::kMouseFlag, 0);
  const bool over = CursorIsOver(window);
  if (over) ArmLeaveTracking(window);
  FadeTo(window, over ? kStateHot : kStateNormal, kReleaseStartAlpha);
}

void PushButtonMouseMove(HWND window) {
  // Leave tracking is armed only with the cursor over the button: a request
  // made while another window is under it (a captured move) arms nothing,
  // and no leave would ever come.
  const bool over = CursorIsOver(window);
  if (over && ArmLeaveTracking(window)) {
    if (PressIsHeld(window)) {
      ShowAtFullLevel(window);  // back over the button, still held
    } else {
      FadeTo(window, kStateHot, 0);
    }
  } else if (!over) {
    // Another window is under the cursor (the button holds the capture
    // after a press): show the current state at once.
    ShowAtFullLevel(window);
  }
}

}  // namespace

bool ArmLeaveTracking(HWND window) {
  if (GetPropInt(window, prop::kMouseFlag) != 0) return false;
  SetPropInt(window, prop::kMouseFlag, 1);
  TrackMouseLeave(window);
  return true;
}

LRESULT OnMouseMove(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (!TracksMouse(family)) return result;
  if (family == ControlFamily::PushButton) {
    PushButtonMouseMove(m.window);
  } else {
    ArmLeaveTracking(m.window);
    ControlMouseMove(m, family);
  }
  return result;
}

LRESULT OnMouseLeave(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (family == ControlFamily::PushButton) {
    SetPropInt(m.window, prop::kMouseFlag, 0);
    // A held button stays pressed (the platform reports the leave even
    // while the button holds the capture). A hot face fades out from the
    // hot image at 140; any other face just fades in the normal image.
    const int32_t state = GetPropInt(m.window, prop::kOldState);
    if (state != kStatePressed) {
      if (state == kStateHot) {
        SetPropInt(m.window, prop::kAlphaLevel, kLeaveHotAlpha);
        BlendButtonImage(m.window, nullptr);
      }
      FadeTo(m.window, kStateNormal, 0);
    }
  } else {
    ControlMouseLeave(m, family);
  }
  return result;
}

LRESULT OnLButtonDown(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlLButtonDown(m, family);
  }
  return result;
}

LRESULT OnLButtonDblClk(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  // An owner-drawn button reports a fast second click as a double click and
  // does not press; the push button the host made treats it as one more
  // press (unless it asked for BS_NOTIFY), and so must the skinned one.
  Message pass = m;
  if (family == ControlFamily::PushButton && !(GetPropInt(m.window, prop::kOldStyle) & BS_NOTIFY)) {
    pass.message = WM_LBUTTONDOWN;
  }
  const LRESULT result = pass.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlLButtonDblClk(m, family);
  }
  return result;
}

LRESULT OnLButtonUp(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
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
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (m.wParam != kSpaceKey) return result;
  if (family == ControlFamily::PushButton) {
    ShowPressed(m.window);
  } else {
    ControlKeyDown(m, family);
  }
  return result;
}

LRESULT OnKeyUp(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
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
  LONG style = 0;
  const ControlFamily family = SkinnedFamily(m.window, style);
  const LRESULT result = m.Forward();
  if (family == ControlFamily::PushButton) {
    const ButtonImages images = ReadButtonImages(m.window);
    if (!images.Complete()) return result;  // detached inside the forward
    WindowBounds bounds;
    GetWindowBounds(m.window, bounds);
    RenderButtonImages(m.window, images, bounds.Width, bounds.Height, style, m.previous);
    if (m.message == WM_KILLFOCUS && PressIsHeld(m.window)) {
      EndPress(m.window);  // the focus left before the release
    } else {
      SetPropInt(m.window, prop::kAlphaLevel, 0);
      StartFadeTimer(m.window);
    }
  } else if (IsAttached(m.window)) {  // not detached inside the forward
    ControlFocusChange(m, family);
  }
  return result;
}

// Shows images just rendered as a paint shows them: the fade ends and the
// current state's image goes on at full level. painted: the change has
// invalidated the button; the image covers the whole button, so the erase
// and paint still owed would draw just this, at their own cost, and are
// let go.
void ShowRenderedImages(HWND window, const ButtonImages& images, int width, int height, bool painted) {
  StopFadeTimer(window);
  SetPropInt(window, prop::kAlphaLevel, kFullAlpha);
  BlendButtonImageOf(window, nullptr, kFullAlpha, images, width, height);
  if (painted) ValidateRect(window, nullptr);
}

}  // namespace

LRESULT OnSetFocus(const Message& m) { return OnFocusChange(m); }
LRESULT OnKillFocus(const Message& m) { return OnFocusChange(m); }

LRESULT OnEnable(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  if (family == ControlFamily::PushButton) {
    // The new state shows at once. Leave tracking ends with the disabling,
    // so the next move over the button arms it again.
    SetPropInt(m.window, prop::kMouseFlag, 0);
    SetPropInt(m.window, prop::kOldState, m.wParam ? kStateNormal : kStateDisabled);
    ShowAtFullLevel(m.window);
  } else {
    ControlEnable(m, family);
  }
  return result;
}

LRESULT OnSetState(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window) || family != ControlFamily::PushButton) return result;
  // The owner-drawn button has just had its face drawn by whoever draws
  // owner-drawn buttons (WM_DRAWITEM): the skin's face goes back over it.
  // The pushed look follows the request as the platform's face would; a
  // press the button still holds (its capture, from the mouse or Space)
  // stays pressed until its own release.
  const bool held = PressIsHeld(m.window);
  if (m.wParam && !held && IsWindowEnabled(m.window)) {
    ShowPressed(m.window);
  } else if (!m.wParam && held && GetCapture() != m.window) {
    ShowAtFullLevel(m.window);
    EndPress(m.window);
  } else {
    ShowAtFullLevel(m.window);
  }
  return result;
}

LRESULT OnCaptureChanged(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  // Another window took the capture while the press was held (the button's
  // own release gives it up too, and then sets the face itself after).
  const HWND new_capture = reinterpret_cast<HWND>(m.lParam);
  if (family == ControlFamily::PushButton && new_capture != m.window && PressIsHeld(m.window)) {
    EndPress(m.window);
  }
  return result;
}

LRESULT OnTextOrFontChange(const Message& m) {
  LONG style = 0;
  const ControlFamily family = SkinnedFamily(m.window, style);
  const LRESULT result = m.Forward();
  if (family != ControlFamily::PushButton) {
    if (IsAttached(m.window)) ControlRepaintGlyph(m, family);  // unless detached inside the forward
    return result;
  }
  // The images carry the caption in the button's font. Each property is
  // read once here: the image DCs, which detach removes, also tell that the
  // button is still skinned after the forward.
  const ButtonImages images = ReadButtonImages(m.window);
  if (!images.Complete()) return result;
  WindowBounds bounds;
  GetWindowBounds(m.window, bounds);
  RenderButtonImages(m.window, images, bounds.Width, bounds.Height, style, m.previous);
  // A font set with a redraw has made the button invalidate itself.
  ShowRenderedImages(m.window, images, bounds.Width, bounds.Height, m.message == WM_SETFONT && m.lParam);
  return result;
}

LRESULT OnSetCheck(const Message& m) {
  const ControlFamily family = SkinnedFamily(m.window);
  const LRESULT result = m.Forward();
  if (!IsAttached(m.window)) return result;  // detached inside the forward
  ControlRepaintGlyph(m, family);
  return result;
}

LRESULT OnEraseBackground(const Message& m) {
  // A skinned push button's image covers it whole; erasing first would show
  // one frame of the background brush (the owner-drawn button fills its
  // client area on erase).
  if (SkinnedFamily(m.window) == ControlFamily::PushButton) return 1;
  return m.Forward();
}

}  // namespace skin
