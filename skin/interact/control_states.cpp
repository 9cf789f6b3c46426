#include "interact/control_states.h"

#include <commctrl.h>

#include "gdi/gdi_toolkit.h"
#include "render/combo_painter.h"
#include "render/glyph_painter.h"
#include "render/header_painter.h"
#include "interact/mouse_tracking.h"
#include "state/properties.h"

namespace skin {
namespace {

constexpr WPARAM kSpaceKey = VK_SPACE;
// CBS_DROPDOWNLIST (and CBS_SIMPLE): the whole control acts as the button.
constexpr LONG_PTR kWholeComboIsButton = 0x1;

bool IsGlyphFamily(ControlFamily family) {
  return family == ControlFamily::CheckBox || family == ControlFamily::OptionButton;
}

bool IsComboFamily(ControlFamily family) {
  return family == ControlFamily::ComboBox || family == ControlFamily::DriveList;
}

int PaintGlyph(HWND window, WNDPROC previous, ControlFamily family, int state, bool force) {
  return family == ControlFamily::CheckBox ? PaintCheckBox(window, state, force, previous)
                                           : PaintOptionButton(window, state, force, previous);
}

int PaintGlyph(const Message& m, ControlFamily family, int state, bool force) {
  return PaintGlyph(m.window, m.previous, family, state, force);
}

void ShowComboState(HWND window, int state) { PaintComboButton(window, nullptr, state, false); }

bool LeftButtonHeld(const Message& m) { return (m.wParam & MK_LBUTTON) != 0; }

int MouseX(const Message& m) { return LowWord(static_cast<uint32_t>(m.lParam)); }
int MouseY(const Message& m) { return HighWord(static_cast<uint32_t>(m.lParam)); }

bool CursorIsOver(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  return WindowFromPoint(cursor) == window;
}

// Drive lists, drop-down lists and presses on an editable combo's button
// count as the button; the rest of an editable combo does not.
bool PointActsOnButton(const Message& m, ControlFamily family) {
  if (family == ControlFamily::DriveList) return true;
  if (GetWindowLongPtrW(m.window, GWL_STYLE) & kWholeComboIsButton) return true;
  return IsOnDropButton(m.window, MouseX(m), MouseY(m));
}

// The item of `count` whose horizontal extent holds x.
int HitItem(HWND header, WNDPROC previous, int count, int x) {
  for (int i = 0; i < count; ++i) {
    RECT rect{};
    AskWindow(header, previous, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
    if (rect.left <= x && x <= rect.right) return i;
  }
  return -1;
}

int ItemCount(HWND header, WNDPROC previous) {
  return static_cast<int>(AskWindow(header, previous, HDM_GETITEMCOUNT, 0, 0));
}

void HeaderMouseMove(const Message& m) {
  const int hit = HeaderHitTest(m.window, MouseX(m), m.previous);
  const int old_hot = GetPropInt(m.window, prop::kHmIndex);
  const int pressed = GetPropInt(m.window, prop::kHdIndex);
  if (hit == old_hot) return;
  if (old_hot >= 0 && old_hot != pressed) PaintHeaderItem(m.window, nullptr, old_hot, kStateNormal, m.previous);
  if (LeftButtonHeld(m)) {
    // While a press is held only the pressed item reacts; the hot index
    // stays where the press began.
    if (hit == pressed) PaintHeaderItem(m.window, nullptr, hit, kStatePressed, m.previous);
    return;
  }
  SetPropInt(m.window, prop::kHmIndex, hit);
  PaintHeaderItem(m.window, nullptr, hit, kStateHot, m.previous);
}

void HeaderPress(const Message& m) {
  const int count = ItemCount(m.window, m.previous);
  if (count <= 0) return;
  const int hit = HitItem(m.window, m.previous, count, MouseX(m));
  SetPropInt(m.window, prop::kHdIndex, hit);
  PaintHeaderItem(m.window, nullptr, hit, kStatePressed, m.previous);
}

}  // namespace

int HeaderHitTest(HWND header, int x, WNDPROC previous) {
  return HitItem(header, previous, ItemCount(header, previous), x);
}

bool IsOnDropButton(HWND combo, int x, int y) {
  WindowBounds bounds;
  GetWindowBounds(combo, bounds);
  const int scroll_width = GetSystemMetrics(SM_CXVSCROLL);
  return !(x < bounds.Width - scroll_width - 2 || x > bounds.Width - 2 || y < 2 || y > bounds.Height - 2);
}

void ControlMouseMove(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) {
    PaintGlyph(m, family, LeftButtonHeld(m) ? kStatePressed : kStateHot, true);
  } else if (IsComboFamily(family)) {
    int state = kStateNormal;
    if (PointActsOnButton(m, family)) state = LeftButtonHeld(m) ? kStatePressed : kStateHot;
    ShowComboState(m.window, state);
  } else if (family == ControlFamily::Header) {
    HeaderMouseMove(m);
  }
}

void ControlMouseLeave(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) {
    SetPropInt(m.window, prop::kMouseFlag, 0);
    PaintGlyph(m, family, kStateNormal, false);
  } else if (IsComboFamily(family)) {
    SetPropInt(m.window, prop::kMouseFlag, 0);
    ShowComboState(m.window, kStateNormal);
  } else if (family == ControlFamily::Header) {
    const int old_hot = GetPropInt(m.window, prop::kHmIndex);
    SetPropInt(m.window, prop::kMouseFlag, 0);
    SetPropInt(m.window, prop::kHdIndex, -1);
    SetPropInt(m.window, prop::kHmIndex, -1);
    PaintHeaderItem(m.window, nullptr, old_hot, kStateNormal, m.previous);
  }
}

void ControlLButtonDown(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) {
    PaintGlyph(m, family, kStatePressed, false);
  } else if (IsComboFamily(family)) {
    if (PointActsOnButton(m, family)) ShowComboState(m.window, kStatePressed);
  } else if (family == ControlFamily::Header) {
    HeaderPress(m);
  }
}

void ControlLButtonDblClk(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) {
    // The control has just painted its own glyph (and may have changed
    // its group's marks); the held button shows pressed.
    RefreshGroupAfterRelease(m.window);
    PaintGlyph(m, family, kStatePressed, true);
  } else if (family == ControlFamily::Header) {
    HeaderPress(m);
  }
}

void ControlLButtonUp(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) {
    PaintGlyph(m, family, kStateNormal, false);
  } else if (IsComboFamily(family)) {
    ShowComboState(m.window, CursorIsOver(m.window) ? kStateHot : kStateNormal);
  } else if (family == ControlFamily::Header) {
    const int released = GetPropInt(m.window, prop::kHdIndex);
    SetPropInt(m.window, prop::kHdIndex, -1);
    PaintHeaderItem(m.window, nullptr, released, CursorIsOver(m.window) ? kStateHot : kStateNormal, m.previous);
  }
}

// The control paints its own glyph at once on the space key, so the skin's
// goes back over it forced. The release may move the group's mark.
void ControlKeyDown(const Message& m, ControlFamily family) {
  if (m.wParam == kSpaceKey && IsGlyphFamily(family)) PaintGlyph(m, family, kStatePressed, true);
}

void ControlKeyUp(const Message& m, ControlFamily family) {
  if (m.wParam != kSpaceKey || !IsGlyphFamily(family)) return;
  RefreshGroupAfterRelease(m.window);
  PaintGlyph(m, family, kStateNormal, true);
}

void ControlEnable(const Message& m, ControlFamily family) {
  if (!IsGlyphFamily(family)) return;
  // Leave tracking ends with the disabling; the next move arms it again.
  SetPropInt(m.window, prop::kMouseFlag, 0);
  PaintGlyph(m, family, kStateNormal, true);
}

void ControlRepaintGlyph(const Message& m, ControlFamily family) {
  if (IsGlyphFamily(family)) PaintGlyph(m, family, GetPropInt(m.window, prop::kOldState), true);
}

void ControlListClosed(HWND combo) {
  if (!IsAttached(combo)) return;
  const ControlFamily family = ClassifyWindow(combo);
  if (!IsComboFamily(family)) return;
  // Hot when the cursor rests on the drop button, tracked from here on.
  POINT cursor{};
  GetCursorPos(&cursor);
  bool over = WindowFromPoint(cursor) == combo;
  if (over && family == ControlFamily::ComboBox && !(GetWindowLongPtrW(combo, GWL_STYLE) & kWholeComboIsButton)) {
    ScreenToClient(combo, &cursor);
    over = IsOnDropButton(combo, cursor.x, cursor.y);
  }
  SetPropInt(combo, prop::kMouseFlag, over ? 1 : 0);
  if (over) TrackMouseLeave(combo);
  int state = over ? kStateHot : kStateNormal;
  PaintComboButton(combo, nullptr, state, true);
}

void ControlFocusChange(const Message& m, ControlFamily family) {
  // Forced: the option button has just drawn its focus change itself, and
  // its glyph must come back even though OLDSTATE is already normal.
  if (family == ControlFamily::OptionButton) PaintOptionButton(m.window, kStateNormal, true, m.previous);
}

BOOL CALLBACK RefreshGroupProc(HWND window, LPARAM) {
  // The class name costs nothing to read and rules out most windows of a
  // form before their PROCADDR is looked up. That sign of a skinned window
  // is also the procedure that answers its check mark.
  const ControlFamily family = ClassifyWindow(window);
  if (!IsGlyphFamily(family)) return TRUE;
  const auto previous = reinterpret_cast<WNDPROC>(GetPropHandle(window, prop::kProcAddr));
  if (previous) PaintGlyph(window, previous, family, kStateNormal, true);
  return TRUE;
}

void RefreshGroupAfterRelease(HWND window) {
  HWND parent = GetParent(window);
  EnumChildWindows(parent ? parent : window, RefreshGroupProc, 0);
}

}  // namespace skin
