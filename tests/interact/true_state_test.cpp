// Whatever the user and the program did, once at rest every skinned control
// shows exactly the face of its real state: checked against a reference
// control freshly attached and painted in that state. Driven with real
// input where the case is about input.
#include <cmath>
#include <functional>
#include <string>

#include "control_classes.h"
#include "interact/fade.h"
#include "support/family_fixture.h"
#include "support/real_input.h"
#include "support/true_face.h"

namespace skin_test {
namespace {

class TrueStateTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    edit_ = CreateChild(form_, L"Edit", L"", WS_TABSTOP, 250, 250, 100, 22);
  }
  void Start() {
    Attach();
    SetForegroundWindow(form_);
    SetFocus(edit_);
    Settle();
  }
  void TearDown() override {
    if (GetAsyncKeyState(VK_LBUTTON) < 0) Mouse(MOUSEEVENTF_LEFTUP);
    if (GetAsyncKeyState(VK_SPACE) < 0) Key(VK_SPACE, true);
    FamilyTest::TearDown();
    if (font_) DeleteObject(font_);
  }


 public:
  // Over the form, clear of every control; then, when a control is named,
  // until the platform has reported the leave to it.
  void MoveOffControls(HWND left = nullptr) {
    MoveTo(form_, 380, 40);
    for (int waited = 0; left && skin::GetPropInt(left, "MOUSEFLAG") != 0 && waited < 1000; waited += 10) Settle(10);
  }
  HWND form() const { return form_; }
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
};

// ---- Push buttons ------------------------------------------------------

struct ButtonCase {
  const char* name;
  std::function<void(TrueStateTest&, HWND button)> steps;
  Face face;
  bool at_once = false;  // read before anything else is painted
};

class PushButtonStates : public TrueStateTest {
 protected:
  void Run(const ButtonCase& c) {
    SCOPED_TRACE(c.name);
    button_ = CreateChild(form_, L"Button", L"Enter", BS_PUSHBUTTON | WS_TABSTOP, 20, 20, 75, 23);
    Start();
    c.steps(*this, button_);
    EXPECT_TRUE(ShowsTrueFace(button_, c.face, nullptr, !c.at_once)) << c.name;
  }
  HWND button_ = nullptr;
};

// Space holds the focused button, the mouse moves over the form, the focus
// moves on (as Tab moves it) and Space is released there.
void FocusLeavesWhileSpaceHolds(TrueStateTest& t, HWND button) {
  SetFocus(button);
  Key(VK_SPACE, false);
  t.MoveOffControls();
  SetFocus(t.edit_);
  Key(VK_SPACE, true);
}

TEST_F(PushButtonStates, FaceFollowsTheRealState) {
  const ButtonCase cases[] = {
      {"fresh", [](TrueStateTest&, HWND) {}, Face::Normal},
      {"hovered", [](TrueStateTest&, HWND b) { MoveOnto(b); }, Face::Hot},
      // The focus leaves while Space holds the button; released elsewhere,
      // then hovered and left, it follows the mouse again.
      {"focus leaves while held, then hovered",
       [](TrueStateTest& t, HWND b) {
         FocusLeavesWhileSpaceHolds(t, b);
         MoveOnto(b);
       },
       Face::Hot},
      {"focus leaves while held, hovered and left",
       [](TrueStateTest& t, HWND b) {
         FocusLeavesWhileSpaceHolds(t, b);
         MoveOnto(b);
         t.MoveOffControls(b);
       },
       Face::Normal},
      {"another window takes the capture while held",
       [](TrueStateTest& t, HWND b) {
         MoveOnto(b);
         Mouse(MOUSEEVENTF_LEFTDOWN);
         SetCapture(t.edit_);
         Mouse(MOUSEEVENTF_LEFTUP);
         ReleaseCapture();
       },
       Face::Hot},
      // Held by the left button, dragged off (the platform reports a leave)
      // and moved on: pressed, off the button and back over it.
      {"dragged off while held",
       [](TrueStateTest& t, HWND b) {
         MoveOnto(b);
         Mouse(MOUSEEVENTF_LEFTDOWN);
         t.MoveOffControls(b);
         MoveTo(t.form(), 300, 100);
       },
       Face::Pressed},
      {"dragged off and back while held",
       [](TrueStateTest& t, HWND b) {
         MoveOnto(b);
         Mouse(MOUSEEVENTF_LEFTDOWN);
         t.MoveOffControls(b);
         MoveTo(t.form(), 300, 100);
         MoveOnto(b);
         MoveTo(b, 10, 10);
       },
       Face::Pressed},
      // Shown at once, not only after the repaint that may follow, and
      // also when a finished fade has left the level at 0.
      {"disabled after a fade",
       [](TrueStateTest& t, HWND b) {
         MoveOnto(b);
         t.MoveOffControls(b);
         while (skin::GetPropInt(b, "TIMERID") != 0) SendMessageW(b, WM_TIMER, 1, 0);
         EnableWindow(b, FALSE);
       },
       Face::Disabled, true},
      {"disabled and enabled again",
       [](TrueStateTest&, HWND b) {
         EnableWindow(b, FALSE);
         Settle();
         EnableWindow(b, TRUE);
       },
       Face::Normal, true},
      {"caption changed", [](TrueStateTest&, HWND b) { SetWindowTextW(b, L"Compute"); }, Face::Normal},
      {"font changed",
       [](TrueStateTest& t, HWND b) {
         t.font_ = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
         SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(t.font_), TRUE);
       },
       Face::Normal},
      // A background erase (as in a resize) draws nothing over the face.
      {"erased",
       [](TrueStateTest&, HWND b) {
         HDC dc = GetDC(b);
         EXPECT_EQ(SendMessageW(b, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
         ReleaseDC(b, dc);
       },
       Face::Normal},
  };
  for (const ButtonCase& c : cases) {
    Run(c);
    TearDown();
    SetUp();
  }
}

// Leaving a button whose face shows normal while its leave is still tracked
// (as after a box that closed over it) brings no flash of the hot image:
// right after the leave, before the fade has run, the normal face shows.
TEST_F(PushButtonStates, LeavingANormalFaceDoesNotFlashHot) {
  button_ = CreateChild(form_, L"Button", L"Enter", BS_PUSHBUTTON | WS_TABSTOP, 20, 20, 75, 23);
  Start();
  MoveOnto(button_);
  ASSERT_TRUE(ShowsTrueFace(button_, Face::Hot));
  skin::SetPropInt(button_, "OLDSTATE", 0);
  Repaint(button_);
  MoveOffControls(button_);
  skin::StopFadeTimer(button_);
  EXPECT_TRUE(ShowsTrueFace(button_, Face::Normal));
}

// ---- Check boxes and option buttons -------------------------------------

// The group: a check box and two option buttons, the first one checked.
enum GlyphControl { kCheck, kFirst, kSecond };
using Group = HWND[3];

struct GlyphCase {
  const char* name;
  std::function<void(TrueStateTest&, const Group&)> steps;
  GlyphControl checked;  // the control whose face is compared
  Face face;
};

class GlyphStates : public TrueStateTest {};

TEST_F(GlyphStates, GlyphFollowsTheRealState) {
  const GlyphCase cases[] = {
      {"fresh check box", [](TrueStateTest&, const Group&) {}, kCheck, Face::Normal},
      {"fresh option button", [](TrueStateTest&, const Group&) {}, kFirst, Face::Normal},
      {"hovered check box", [](TrueStateTest&, const Group& g) { MoveTo(g[kCheck], 6, 8); }, kCheck, Face::Hot},
      {"checked from code", [](TrueStateTest&, const Group& g) { SendMessageW(g[kCheck], BM_SETCHECK, 1, 0); }, kCheck,
       Face::Normal},
      {"option checked from code", [](TrueStateTest&, const Group& g) { SendMessageW(g[kSecond], BM_SETCHECK, 1, 0); },
       kSecond, Face::Normal},
      {"disabled at run time", [](TrueStateTest&, const Group& g) { EnableWindow(g[kCheck], FALSE); }, kCheck,
       Face::Normal},
      {"enabled again",
       [](TrueStateTest&, const Group& g) {
         EnableWindow(g[kCheck], FALSE);
         Repaint(g[kCheck]);
         EnableWindow(g[kCheck], TRUE);
       },
       kCheck, Face::Normal},
      // Space on the second option moves the mark: the first loses it.
      {"space moves the option's mark",
       [](TrueStateTest&, const Group& g) {
         SetFocus(g[kSecond]);
         Key(VK_SPACE, false);
         Key(VK_SPACE, true);
       },
       kFirst, Face::Normal},
      {"double-clicked check box",
       [](TrueStateTest& t, const Group& g) {
         MoveTo(g[kCheck], 6, 8);
         for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) Mouse(flag);
         SetFocus(t.edit_);
         t.MoveOffControls(g[kCheck]);
       },
       kCheck, Face::Normal},
      {"caption changed", [](TrueStateTest&, const Group& g) { SetWindowTextW(g[kCheck], L"Changed"); }, kCheck,
       Face::Normal},
  };
  for (const GlyphCase& k : cases) {
    SCOPED_TRACE(k.name);
    const Group group = {
        CreateChild(form_, gallery::kCheckBoxClass, L"Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 150, 17),
        CreateChild(form_, gallery::kOptionButtonClass, L"First", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 40,
                    150, 17),
        CreateChild(form_, gallery::kOptionButtonClass, L"Second", BS_AUTORADIOBUTTON, 10, 60, 150, 17)};
    SendMessageW(group[kFirst], BM_SETCHECK, BST_CHECKED, 0);
    Start();
    k.steps(*this, group);
    EXPECT_TRUE(ShowsTrueFace(group[k.checked], k.face)) << k.name;
    TearDown();
    SetUp();
  }
}

// Nothing of the platform's own glyph shows around the skin's, whatever
// height centres the two differently: the rest of the glyph's column shows
// the control's background.
TEST_F(TrueStateTest, NothingOfThePlatformGlyphShowsAroundTheSkins) {
  const int heights[] = {17, 18, 20, 24};
  HWND checks[4], options[4];
  for (int k = 0; k < 4; ++k) {
    checks[k] = CreateChild(form_, gallery::kCheckBoxClass, L"Check", BS_AUTOCHECKBOX, 10, 10 + 30 * k, 150, heights[k]);
    options[k] = CreateChild(form_, gallery::kOptionButtonClass, L"Option", BS_AUTORADIOBUTTON, 200, 10 + 30 * k, 150,
                             heights[k]);
  }
  Start();
  const int glyph = GetSystemMetrics(SM_CYMENUCHECK);
  for (int k = 0; k < 4; ++k) {
    for (HWND control : {checks[k], options[k]}) {
      Repaint(control);
      const int top = static_cast<int>(std::nearbyint((heights[k] - glyph) / 2.0));  // halves to even
      const COLORREF background = WindowPixel(control, 145, 0);
      for (int y = 0; y < heights[k]; ++y) {
        if (y >= top && y < top + glyph) continue;
        for (int x = 0; x < glyph; ++x) {
          ASSERT_EQ(WindowPixel(control, x, y), background)
              << "height " << heights[k] << " at (" << x << ", " << y << ")";
        }
      }
    }
  }
}

// ---- Combo boxes ----------------------------------------------------------

// The drop button after its list has closed: normal when the cursor is off
// it (an item was chosen), hot when the list was closed on the button.
TEST_F(TrueStateTest, DropButtonAfterTheListCloses) {
  const struct {
    const char* name;
    DWORD style;
    bool close_on_button;
    Face face;
  } cases[] = {
      {"drop-down list, item chosen", CBS_DROPDOWNLIST, false, Face::Normal},
      {"drop-down list, closed on the button", CBS_DROPDOWNLIST, true, Face::Hot},
      {"editable, item chosen", CBS_DROPDOWN, false, Face::Normal},
  };
  constexpr int kW = 140;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND combo = CreateChild(form_, L"ComboBox", L"", c.style | WS_VSCROLL | WS_TABSTOP, 10, 10, kW, 150);
    for (const wchar_t* item : {L"one", L"two", L"three"}) {
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    Start();
    RECT r;
    GetWindowRect(combo, &r);
    const int h = r.bottom - r.top;
    MoveTo(combo, kW - 8, h / 2);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the list opened";
    if (c.close_on_button) {
      Mouse(MOUSEEVENTF_LEFTDOWN);
      Mouse(MOUSEEVENTF_LEFTUP);
    } else {
      MoveTo(combo, 30, h + 20);  // the second item of the list
      Mouse(MOUSEEVENTF_LEFTDOWN);
      Mouse(MOUSEEVENTF_LEFTUP);
    }
    ASSERT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the list closed";
    const int strip = GetSystemMetrics(SM_CXVSCROLL) + 1;
    const RECT button{kW - strip - 1, 1, kW - 1, h - 1};
    EXPECT_TRUE(ShowsTrueFace(combo, c.face, &button)) << c.name;
    TearDown();
    SetUp();
  }
}

}  // namespace
}  // namespace skin_test
