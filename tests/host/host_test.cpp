// The engine inside another program: the example host's main window, of the
// host's own class, with ordinary standard controls, a "skin off/on" button
// and the host's own subclasses, driven by real input.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <skin/skin.h>

#include <string>
#include <vector>

#include "host_window.h"
#include "state/properties.h"
#include "state/skin_state.h"
#include "support/engine_fixture.h"
#include "support/real_input.h"

namespace {

using skin_test::HasNoSkinProps;
using skin_test::Mouse;
using skin_test::MoveOnto;
using skin_test::Pump;
using skin_test::Settle;

void ClickOn(HWND window) {
  MoveOnto(window);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
}

void PressSpaceOn(HWND window) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  SetFocus(window);
  Settle();
  skin_test::Key(VK_SPACE, false);
  skin_test::Key(VK_SPACE, true);
}

// Every window of this thread, top-level and child, drop-down lists too.
BOOL CALLBACK CollectChild(HWND child, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
  return TRUE;
}
BOOL CALLBACK CollectTop(HWND top, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(top);
  EnumChildWindows(top, CollectChild, out);
  return TRUE;
}
std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectTop, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// No window of the thread is attached or carries anything of an attached
// window. The one exception, named: under a host subclass that is still
// installed, the skin stays in the chain as a pass-through (PASSPROC).
::testing::AssertionResult NoWindowCarriesSkin(HWND still_subclassed = nullptr) {
  for (HWND w : ThreadWindows()) {
    if (w != still_subclassed && GetPropA(w, "PASSPROC")) return ::testing::AssertionFailure() << "PASSPROC left";
    auto result = HasNoSkinProps(w);
    if (!result) {
      wchar_t cls[64] = L"";
      GetClassNameW(w, cls, 64);
      return result << " on a window of class " << std::string(cls, cls + wcslen(cls));
    }
  }
  return ::testing::AssertionSuccess();
}

// WM_TIMER messages that arrive for any window of the thread within ms.
int TimersWithin(DWORD ms) {
  int timers = 0;
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) ++timers;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
  return timers;
}

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(skin::State().attached_count, 0);
    ASSERT_TRUE(host::CreateHostWindow(GetModuleHandleW(nullptr), host_));
    ShowWindow(host_.main, SW_SHOW);
    SetForegroundWindow(host_.main);
    UpdateWindow(host_.main);
    Settle();
  }
  void TearDown() override {
    if (IsWindow(host_.main)) SendMessageW(host_.main, WM_CLOSE, 0, 0);
    Settle();
    EXPECT_EQ(skin::State().attached_count, 0);
    EXPECT_FALSE(skin::State().initialised);
    EXPECT_TRUE(NoWindowCarriesSkin(host_.subclassed_edit));
  }
  host::HostWindow host_;
};

// Only plain push buttons are switched to owner drawing; every other button
// type keeps its style while attached, and all get their own back.
TEST_F(HostTest, EveryButtonTypeKeepsItsStyleButPlainPushButtons) {
  ToggleSkin(host_);  // off, to add the buttons before attaching
  ASSERT_FALSE(host_.skinned);
  std::vector<HWND> buttons;
  for (DWORD type = 0; type <= BS_OWNERDRAW; ++type) {
    buttons.push_back(CreateWindowExW(0, L"Button", L"b", WS_CHILD | WS_VISIBLE | type, 10, 200, 60, 20, host_.main,
                                      nullptr, nullptr, nullptr));
  }
  // The type each has as created (the platform may turn a user button into
  // a push button on creation).
  std::vector<DWORD> created;
  for (HWND b : buttons) created.push_back(static_cast<DWORD>(GetWindowLongPtrW(b, GWL_STYLE)) & BS_TYPEMASK);
  ASSERT_EQ(SkinAttach(host_.main), 1);
  host_.skinned = true;
  for (DWORD type = 0; type < buttons.size(); ++type) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(buttons[type], GWL_STYLE));
    const bool plain = created[type] == BS_PUSHBUTTON || created[type] == BS_DEFPUSHBUTTON;
    EXPECT_EQ(style & BS_TYPEMASK, plain ? DWORD{BS_OWNERDRAW} : created[type]) << "type " << type;
    // Only the buttons the skin draws get its rounded region.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(buttons[type], region) != ERROR, plain) << "type " << type;
    DeleteObject(region);
  }
  ToggleSkin(host_);
  for (DWORD type = 0; type < buttons.size(); ++type) {
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(buttons[type], GWL_STYLE)) & BS_TYPEMASK, created[type])
        << "type " << type;
  }
}

// A real click selects an auto radio button and toggles an auto check box,
// skinned exactly as without the skin.
TEST_F(HostTest, AutoRadioButtonsAndCheckBoxesFollowRealClicks) {
  for (bool skinned : {true, false}) {
    if (host_.skinned != skinned) ToggleSkin(host_);
    SendMessageW(host_.radio1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(host_.radio2, BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(host_.check1, BM_SETCHECK, BST_UNCHECKED, 0);
    ClickOn(host_.radio2);
    EXPECT_EQ(SendMessageW(host_.radio2, BM_GETCHECK, 0, 0), BST_CHECKED) << "skinned " << skinned;
    EXPECT_EQ(SendMessageW(host_.radio1, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "skinned " << skinned;
    ClickOn(host_.check1);
    EXPECT_EQ(SendMessageW(host_.check1, BM_GETCHECK, 0, 0), BST_CHECKED) << "skinned " << skinned;
    ClickOn(host_.check1);
    EXPECT_EQ(SendMessageW(host_.check1, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "skinned " << skinned;
  }
}

// "Skin off" detaches inside its own click, by mouse or by Space: nothing of
// the skin is left on any window and no fade timer runs on; on again and a
// hover, then off: still none.
TEST_F(HostTest, DetachInsideAClickLeavesNothingRunning) {
  struct Case {
    const char* name;
    void (*click)(HWND);
  };
  const Case cases[] = {{"mouse", ClickOn}, {"space", PressSpaceOn}};
  for (const Case& c : cases) {
    if (!host_.skinned) ToggleSkin(host_);
    c.click(host_.skin_toggle);
    EXPECT_FALSE(host_.skinned) << c.name;
    EXPECT_TRUE(NoWindowCarriesSkin(host_.subclassed_edit)) << c.name;
    EXPECT_EQ(TimersWithin(500), 0) << c.name;
    EXPECT_FALSE(skin::State().initialised) << c.name;

    ToggleSkin(host_);
    MoveOnto(host_.push);  // starts a hover fade
    ToggleSkin(host_);
    EXPECT_TRUE(NoWindowCarriesSkin(host_.subclassed_edit)) << c.name;
    EXPECT_EQ(TimersWithin(300), 0) << c.name;
  }
}

// The host's subclasses above the skin, both usual ways: they keep working
// after detach, the window keeps working after they take themselves out,
// and the skin leaves the chain.
LRESULT CALLBACK CountingProc(HWND, UINT, WPARAM, LPARAM);
WNDPROC g_saved = nullptr;
int g_seen = 0;
bool g_saw_ncdestroy = false;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  ++g_seen;
  if (m == WM_NCDESTROY) g_saw_ncdestroy = true;
  return IsWindowUnicode(w) ? CallWindowProcW(g_saved, w, m, wp, lp) : CallWindowProcA(g_saved, w, m, wp, lp);
}
LRESULT CALLBACK CountingSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  ++g_seen;
  if (m == WM_NCDESTROY) g_saw_ncdestroy = true;
  return DefSubclassProc(w, m, wp, lp);
}

enum class HostSubclass { LongPtrW, LongPtrA, Comctl };

void Install(HWND w, HostSubclass how) {
  switch (how) {
    case HostSubclass::LongPtrW:
      g_saved = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
      break;
    case HostSubclass::LongPtrA:
      g_saved = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
      break;
    case HostSubclass::Comctl:
      SetWindowSubclass(w, CountingSubclass, 1, 0);
      break;
  }
}

void Remove(HWND w, HostSubclass how) {
  switch (how) {
    case HostSubclass::LongPtrW:
      SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
      break;
    case HostSubclass::LongPtrA:
      SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved));
      break;
    case HostSubclass::Comctl:
      RemoveWindowSubclass(w, CountingSubclass, 1);
      break;
  }
}

TEST_F(HostTest, HostSubclassesAboveTheSkinSurviveDetach) {
  const HostSubclass kinds[] = {HostSubclass::LongPtrW, HostSubclass::LongPtrA, HostSubclass::Comctl};
  for (HostSubclass how : kinds) {
    const int kind = static_cast<int>(how);
    if (!host_.skinned) ToggleSkin(host_);
    SendMessageW(host_.edit, EM_SETLIMITTEXT, 500, 0);
    SendMessageW(host_.check2, BM_SETCHECK, BST_CHECKED, 0);
    for (HWND w : {host_.edit, host_.check2}) Install(w, how);
    const BOOL unicode_edit = IsWindowUnicode(host_.edit);

    ToggleSkin(host_);  // skin off, the host's subclasses still above it
    EXPECT_EQ(IsWindowUnicode(host_.edit), unicode_edit) << kind;
    g_seen = 0;
    EXPECT_EQ(SendMessageW(host_.edit, EM_GETLIMITTEXT, 0, 0), 500) << kind;
    EXPECT_GT(g_seen, 0) << "the host's subclass was cut out, kind " << kind;
    EXPECT_TRUE(GetPropA(host_.edit, "PASSPROC")) << "the skin stays as a pass-through, kind " << kind;

    for (HWND w : {host_.edit, host_.check2}) Remove(w, how);
    EXPECT_EQ(SendMessageW(host_.edit, EM_GETLIMITTEXT, 0, 0), 500) << kind;
    EXPECT_EQ(SendMessageW(host_.check2, BM_GETCHECK, 0, 0), BST_CHECKED) << kind;
    // The skin has left the chain: the window's procedure is its own again.
    EXPECT_EQ(GetPropA(host_.edit, "PASSPROC"), nullptr) << kind;
    EXPECT_EQ(GetPropA(host_.check2, "PASSPROC"), nullptr) << kind;
    EXPECT_TRUE(NoWindowCarriesSkin(host_.subclassed_edit)) << kind;

    // Attached again under a host subclass: the skin works where it sits,
    // and a destroyed window's subclass above it sees WM_NCDESTROY.
    ToggleSkin(host_);
    HWND doomed = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 220, 80, 20,
                                  host_.main, nullptr, nullptr, nullptr);
    ASSERT_EQ(SkinAttach(doomed), 1) << kind;
    Install(doomed, how);
    ASSERT_EQ(SkinDetach(doomed), 1) << kind;
    ASSERT_EQ(SkinAttach(doomed), 1) << kind;  // the pass-through takes up its work again
    EXPECT_TRUE(GetPropA(doomed, "PROCADDR")) << kind;
    EXPECT_EQ(GetPropA(doomed, "PASSPROC"), nullptr) << kind;
    g_saw_ncdestroy = false;
    DestroyWindow(doomed);
    EXPECT_TRUE(g_saw_ncdestroy) << kind;
  }
}

struct OtherThreadWindow {
  HWND window = nullptr;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};
DWORD WINAPI OwnWindowThread(void* p) {
  auto* o = static_cast<OtherThreadWindow*>(p);
  o->window = CreateWindowExW(0, L"Button", L"x", WS_OVERLAPPED, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  SetEvent(o->ready);
  WaitForSingleObject(o->done, INFINITE);
  DestroyWindow(o->window);
  return 0;
}

// SkinAttach takes a main window of any class with all its descendants and
// the drop-down lists it opens; SkinDetach takes all of it off again. A
// window created later is attached on its own. 1 and 0 say exactly whether
// the call attached or detached.
TEST_F(HostTest, WholeTreeOfAHostClassWindowAttachesAndDetaches) {
  for (HWND w : {host_.main, host_.push, host_.radio1, host_.check1, host_.edit, host_.combo, host_.list}) {
    EXPECT_TRUE(GetPropA(w, "PROCADDR")) << "a window of the host was not attached";
  }
  SendMessageW(host_.combo, CB_SHOWDROPDOWN, TRUE, 0);
  Settle();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(host_.combo, &info));
  EXPECT_TRUE(GetPropA(info.hwndList, "PROCADDR"));
  SendMessageW(host_.combo, CB_SHOWDROPDOWN, FALSE, 0);

  HWND later = CreateWindowExW(0, L"Button", L"Later", WS_CHILD | WS_VISIBLE, 10, 200, 60, 20, host_.main, nullptr,
                               nullptr, nullptr);
  EXPECT_FALSE(GetPropA(later, "PROCADDR"));
  EXPECT_EQ(SkinAttach(later), 1);
  EXPECT_EQ(SkinAttach(later), 0);
  EXPECT_EQ(SkinDetach(later), 1);
  EXPECT_EQ(SkinDetach(later), 0);

  EXPECT_EQ(SkinAttach(host_.main), 0);  // already attached
  // A modeless dialog it owns, skinned on its behalf, goes with it.
  HWND owned = CreateWindowExW(0, L"#32770", L"Owned", WS_POPUP | WS_CAPTION, 60, 60, 120, 80, host_.main, nullptr,
                               nullptr, nullptr);
  CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 5, 5, 60, 22, owned, nullptr, nullptr, nullptr);
  SendMessageW(host_.main, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(owned));
  ASSERT_TRUE(GetPropA(owned, "PROCADDR"));
  ToggleSkin(host_);
  EXPECT_FALSE(host_.skinned);
  EXPECT_TRUE(NoWindowCarriesSkin(host_.subclassed_edit));
  EXPECT_FALSE(skin::State().initialised);

  DestroyWindow(owned);
  EXPECT_EQ(SkinAttach(nullptr), 0);
  EXPECT_EQ(SkinDetach(nullptr), 0);
  DestroyWindow(later);
  EXPECT_EQ(SkinAttach(later), 0);  // a destroyed handle
  EXPECT_EQ(SkinDetach(later), 0);
  EXPECT_FALSE(skin::State().initialised);

  // A window of another thread is never taken.
  OtherThreadWindow other;
  HANDLE thread = CreateThread(nullptr, 0, OwnWindowThread, &other, 0, nullptr);
  WaitForSingleObject(other.ready, INFINITE);
  EXPECT_EQ(SkinAttach(other.window), 0);
  EXPECT_EQ(SkinDetach(other.window), 0);
  EXPECT_FALSE(GetPropA(other.window, "PROCADDR"));
  SetEvent(other.done);
  WaitForSingleObject(thread, INFINITE);
  for (HANDLE h : {thread, other.ready, other.done}) CloseHandle(h);
  EXPECT_FALSE(skin::State().initialised);
}

// The host's Options dialog, opened by a real click over the skinned main
// window: its default button, picture button and right-to-left panel are
// skinned, and Tab to Cancel then Enter cancels it.
std::string g_unskinned;
int g_tabs;

void CALLBACK OptionsTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = GetActiveWindow(), panel = GetDlgItem(dialog, host::kPanelId);
  if (g_tabs++ == 0) {
    for (HWND w : {dialog, GetDlgItem(dialog, IDOK), GetDlgItem(dialog, host::kInfoId), panel,
                   GetDlgItem(panel, host::kPanelButtonId)}) {
      if (!w || !GetPropA(w, "PROCADDR")) g_unskinned += std::to_string(GetDlgCtrlID(w)) + " ";
    }
  }
  if (g_tabs > 20) return;
  const bool on_cancel = GetFocus() == GetDlgItem(dialog, IDCANCEL);
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = on_cancel ? VK_RETURN : VK_TAB;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  if (on_cancel) g_tabs = 100;  // the dialog ends with this key
}

TEST_F(HostTest, OptionsDialogIsSkinnedAndCancelledByEnterOnCancel) {
  g_unskinned.clear();
  g_tabs = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, OptionsTick);
  ClickOn(host_.dialog_button);
  for (int i = 0; i < 100 && host_.dialog_result == 0; ++i) Settle(20);
  KillTimer(nullptr, timer);
  EXPECT_EQ(host_.dialog_result, IDCANCEL);
  EXPECT_EQ(g_unskinned, "") << "ids of windows left unskinned";
}

}  // namespace
