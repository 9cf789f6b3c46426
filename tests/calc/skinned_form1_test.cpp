// The calculator with its skin, driven by real input: the engine attaches
// to every window of the form, follows the mouse over Command1 to the end
// of each fade, and lets go of everything when the form unloads.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "form1.h"
#include "state/families.h"
#include "state/properties.h"
#include "state/skin_state.h"

namespace tarnwick {
namespace {

using skin::State;

int32_t Prop(HWND w, const char* name) { return skin::GetPropInt(w, name); }

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

void MoveMouseTo(int x, int y) {
  SetCursorPos(x, y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a relative move of 0: the move event itself
  SendInput(1, &input, sizeof(input));
}

void MouseButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof(input));
}

class SkinnedForm1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(1000, 1000);
    form1_.set_message_box(message_box_);
    ASSERT_TRUE(form1_.Create(SW_SHOW));
    Pump();
    command1_ = form1_.form().ControlWindow(kCommand1);
  }
  void TearDown() override {
    form1_.form().Close();
    Pump();
  }
  void Pump() { forms::PumpPendingMessages(form1_.form()); }
  // Pumps the form's messages (the fade's timer included) until done() or
  // about three seconds have passed.
  template <typename Done>
  bool PumpUntil(Done done) {
    for (int i = 0; i < 600; ++i) {
      Pump();
      if (done()) return true;
      Sleep(5);
    }
    return false;
  }
  bool FadeDone() { return Prop(command1_, "TIMERID") == 0; }

  // What the screen shows of Command1 is exactly the image of state.
  ::testing::AssertionResult ScreenShowsImage(int state) {
    HDC image = static_cast<HDC>(skin::GetPropHandle(command1_, skin::StateDcName(state).c_str()));
    HDC screen = GetWindowDC(command1_);
    RECT r;
    GetWindowRect(command1_, &r);
    int diffs = 0;
    for (int y = 2; y < r.bottom - r.top - 2; y += 3)
      for (int x = 2; x < r.right - r.left - 2; x += 3) diffs += GetPixel(screen, x, y) != GetPixel(image, x, y);
    ReleaseDC(command1_, screen);
    if (diffs == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << diffs << " sampled pixels differ from image " << state;
  }

  MessageBoxFunction message_box_ = [](HWND, const wchar_t*, const wchar_t*, UINT) { return IDOK; };
  Form1 form1_;
  HWND command1_ = nullptr;
};

TEST_F(SkinnedForm1Test, LoadAttachesEveryWindowAndUnloadLetsGo) {
  HWND form = form1_.form().window();
  EXPECT_EQ(State().attached_count, 7) << "the form, Frame1, Command1 and the four text boxes";
  EXPECT_EQ(skin::ClassifyWindow(form), skin::ControlFamily::Form);
  EXPECT_EQ(skin::ClassifyWindow(command1_), skin::ControlFamily::PushButton);
  for (int c : {kFrame1, kText1, kText2, kText3, kText4}) {
    HWND w = form1_.form().ControlWindow(c);
    EXPECT_EQ(skin::ClassifyWindow(w), skin::ControlFamily::Unclassified) << c;
    EXPECT_TRUE(skin::IsAttached(w)) << c;
  }
  EXPECT_EQ(GetWindowLongPtrW(command1_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(ScreenShowsImage(0));

  form1_.form().Close();
  Pump();
  EXPECT_EQ(State().attached_count, 0);
  EXPECT_FALSE(State().initialised);
}

TEST_F(SkinnedForm1Test, HoverPressReleaseLeaveWithRealInput) {
  HWND text3 = form1_.form().ControlWindow(kText3);
  HWND text4 = form1_.form().ControlWindow(kText4);
  SetWindowTextW(text3, L"10");
  RECT r;
  GetWindowRect(command1_, &r);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;

  MoveMouseTo(cx, cy);
  ASSERT_TRUE(PumpUntil([&] { return Prop(command1_, "OLDSTATE") == 1 && FadeDone(); }));
  EXPECT_TRUE(ScreenShowsImage(1)) << "the hot image at the end of its fade";

  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Prop(command1_, "OLDSTATE") == 2; }));
  EXPECT_TRUE(ScreenShowsImage(2)) << "pressed shows at once";

  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !TextOf(text4).empty(); }));
  EXPECT_EQ(TextOf(text4), L"3.20  \u7C73");
  EXPECT_EQ(TextOf(text3), L"");
  EXPECT_EQ(GetFocus(), text3);
  // Released: the normal image fades in; the platform may follow the click
  // with a mouse move over the button, which starts the hot fade again.
  const int32_t after_release = Prop(command1_, "OLDSTATE");
  EXPECT_TRUE(after_release == 0 || after_release == 1) << after_release;
  ASSERT_TRUE(PumpUntil([&] { return FadeDone(); }));
  EXPECT_TRUE(ScreenShowsImage(Prop(command1_, "OLDSTATE")));

  MoveMouseTo(r.left - 40, r.bottom + 40);
  ASSERT_TRUE(PumpUntil([&] { return Prop(command1_, "MOUSEFLAG") == 0 && FadeDone(); }));
  EXPECT_EQ(Prop(command1_, "OLDSTATE"), 0);
  EXPECT_TRUE(ScreenShowsImage(0)) << "left: back to normal";
}

// A fast double click computes once, as a single click does: the second
// press would compute again on the emptied weight box and show 0.00. A
// click after the double-click time computes again.
TEST_F(SkinnedForm1Test, DoubleClickOnCommand1ComputesOnce) {
  HWND text3 = form1_.form().ControlWindow(kText3);
  HWND text4 = form1_.form().ControlWindow(kText4);
  SetWindowTextW(text3, L"10");
  RECT r;
  GetWindowRect(command1_, &r);
  MoveMouseTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    MouseButton(flag);
    Sleep(40);
  }
  ASSERT_TRUE(PumpUntil([&] { return !TextOf(text4).empty() && Prop(command1_, "OLDSTATE") != 2; }));
  Pump();
  EXPECT_EQ(TextOf(text4), L"3.20  \u7C73");

  Sleep(GetDoubleClickTime() + 50);
  SetWindowTextW(text3, L"20");
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return TextOf(text4) == L"6.40  \u7C73"; }));
}

// The message box that reports a zero width is a dialog of this program:
// it is skinned, with its button, while it is shown, and let go when it
// closes.
struct BoxProbe {
  int32_t count_while_shown = 0;
  bool box_attached = false;
  bool button_attached = false;
};
BoxProbe g_probe;

BOOL CALLBACK FindButton(HWND child, LPARAM found) {
  if (skin::ClassifyWindow(child) == skin::ControlFamily::PushButton) *reinterpret_cast<HWND*>(found) = child;
  return TRUE;
}

void CALLBACK InspectBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Tarnwick");
  if (!box) return;
  KillTimer(nullptr, id);
  g_probe.count_while_shown = State().attached_count;
  g_probe.box_attached = skin::IsAttached(box);
  HWND button = nullptr;
  EnumChildWindows(box, FindButton, reinterpret_cast<LPARAM>(&button));
  g_probe.button_attached = button && skin::IsAttached(button);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(SkinnedForm1Test, ErrorMessageBoxIsSkinnedWhileShown) {
  form1_.set_message_box([](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    SetTimer(nullptr, 0, 20, InspectBox);
    return MessageBoxW(owner, text, caption, type);
  });
  g_probe = {};
  SetForegroundWindow(form1_.form().window());
  SetWindowTextW(form1_.form().ControlWindow(kText2), L"");
  SetWindowTextW(form1_.form().ControlWindow(kText3), L"10");
  form1_.ComputeLength();
  EXPECT_TRUE(g_probe.box_attached);
  EXPECT_TRUE(g_probe.button_attached);
  EXPECT_GT(g_probe.count_while_shown, 7);
  Pump();
  EXPECT_EQ(State().attached_count, 7) << "detached again when it closed";
}

}  // namespace
}  // namespace tarnwick
