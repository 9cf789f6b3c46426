#include "support/true_face.h"

#include <skin/skin.h>

#include <string>

#include "render/button_painter.h"
#include "render/combo_painter.h"
#include "render/glyph_painter.h"
#include "state/families.h"
#include "state/properties.h"
#include "support/engine_fixture.h"
#include "support/family_fixture.h"
#include "support/pixels.h"

namespace skin_test {
namespace {

using skin::ControlFamily;
using testsupport::Hex;
using testsupport::PixelGrab;

// Well clear of the test forms and of the cursor's resting place.
constexpr int kReferenceX = 620, kReferenceY = 420;
constexpr int kMargin = 10;

void FinishFade(HWND control) {
  Pump();
  for (int tick = 0; tick < 400 && skin::GetPropInt(control, "TIMERID") != 0; ++tick) {
    SendMessageW(control, WM_TIMER, 1, 0);
  }
}

PixelGrab Grab(HWND window, int width, int height) {
  HDC dc = GetWindowDC(window);
  PixelGrab grab = testsupport::ReadPixels(dc, 0, 0, width, height);
  ReleaseDC(window, dc);
  return grab;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A twin of the control: same class, creation style, size, text, font,
// check mark, items and enabled state.
HWND MakeTwin(HWND control, HWND form, ControlFamily family, int width, int height) {
  wchar_t cls[128] = {};
  GetClassNameW(control, cls, 128);
  // A skinned push button now carries the owner-drawn style; its own style
  // was kept when it was attached.
  LONG style = static_cast<LONG>(skin::GetPropInt(control, "OLDSTYLE"));
  if (!style) style = static_cast<LONG>(GetWindowLongPtrW(control, GWL_STYLE));
  style &= ~static_cast<LONG>(WS_DISABLED | WS_CHILD | WS_VISIBLE);
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
  const bool is_combo = family == ControlFamily::ComboBox || family == ControlFamily::DriveList;
  // A combo box's height is that of its dropped list; the field sizes
  // itself from the font.
  HWND twin = CreateChild(form, cls, is_combo ? L"" : TextOf(control).c_str(), static_cast<DWORD>(style), kMargin,
                          kMargin, width, is_combo ? 150 : height, ex_style);
  SendMessageW(twin, WM_SETFONT, SendMessageW(control, WM_GETFONT, 0, 0), FALSE);
  if (is_combo) {
    const auto count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t item[256] = {};
      if (SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 255) {
        SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      }
      SendMessageW(twin, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(twin, CB_SETCURSEL, static_cast<WPARAM>(SendMessageW(control, CB_GETCURSEL, 0, 0)), 0);
  } else {
    SendMessageW(twin, BM_SETCHECK, static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)), 0);
  }
  if (!IsWindowEnabled(control)) EnableWindow(twin, FALSE);
  return twin;
}

// Brings the freshly attached and painted twin to the face wanted; a push
// button's images get the focus mark when the control has the focus.
void ShowFace(HWND twin, ControlFamily family, Face face, bool focused) {
  const int state = static_cast<int>(face);
  switch (family) {
    case ControlFamily::PushButton:
      if (focused) {
        RECT r;
        GetWindowRect(twin, &r);
        for (int image = 0; image < 4; ++image) {
          HDC dc = static_cast<HDC>(GetPropA(twin, (std::to_string(image) + "HDC").c_str()));
          skin::DrawFocusMark(dc, 2, 2, r.right - r.left - 4, r.bottom - r.top - 4);
        }
      }
      if (face != Face::Disabled) skin::SetPropInt(twin, "OLDSTATE", state);
      Repaint(twin);
      break;
    // Disabled is no state of a glyph: a disabled twin shows it normal.
    case ControlFamily::CheckBox:
      if (face == Face::Hot || face == Face::Pressed) skin::PaintCheckBox(twin, state, true);
      break;
    case ControlFamily::OptionButton:
      if (face == Face::Hot || face == Face::Pressed) skin::PaintOptionButton(twin, state, true);
      break;
    case ControlFamily::ComboBox:
    case ControlFamily::DriveList: {
      int shown = state;
      skin::PaintComboButton(twin, nullptr, shown, true);
      break;
    }
    default:
      break;
  }
}

}  // namespace

const char* FaceName(Face face) {
  switch (face) {
    case Face::Normal: return "normal";
    case Face::Hot: return "hot";
    case Face::Pressed: return "pressed";
    case Face::Disabled: return "disabled";
  }
  return "?";
}

::testing::AssertionResult ShowsTrueFace(HWND control, Face face, const RECT* area, bool settle) {
  const ControlFamily family = skin::ClassifyWindow(control);
  const bool focused = GetFocus() == control;
  if (focused && !area && family != ControlFamily::PushButton) {
    return ::testing::AssertionFailure() << "the control has the focus";
  }
  if (settle) FinishFade(control);
  RECT r;
  GetWindowRect(control, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  const PixelGrab shown = Grab(control, width, height);

  HWND form = CreateForm(width + 2 * kMargin + 20, height + 2 * kMargin + 60);
  SetWindowPos(form, nullptr, kReferenceX, kReferenceY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND twin = MakeTwin(control, form, family, width, height);
  ShowWindow(form, SW_SHOWNOACTIVATE);
  UpdateWindow(form);
  SkinAttach(form);
  Pump();
  Repaint(twin);
  ShowFace(twin, family, face, focused);
  RECT tr;
  GetWindowRect(twin, &tr);
  const PixelGrab want = Grab(twin, tr.right - tr.left, tr.bottom - tr.top);
  SkinDetach(form);
  DestroyWindow(form);
  Pump();

  if (want.width() != width || want.height() != height) {
    return ::testing::AssertionFailure() << "reference is " << want.width() << " x " << want.height() << ", control "
                                         << width << " x " << height;
  }
  const RECT all{0, 0, width, height};
  const RECT& box = area ? *area : all;
  // Pixels outside the window's region (a push button's rounded corners)
  // are not the control's.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool has_region = GetWindowRgn(control, region) != ERROR;
  int differing = 0;
  std::string first;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (has_region && !PtInRegion(region, x, y)) continue;
      if (shown.At(x, y) == want.At(x, y)) continue;
      if (differing++ == 0) {
        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") " + Hex(shown.At(x, y)) + " instead of " +
                Hex(want.At(x, y));
      }
    }
  }
  DeleteObject(region);
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "not the " << FaceName(face) << " face: " << differing
                                       << " pixels differ, first at " << first;
}

}  // namespace skin_test
