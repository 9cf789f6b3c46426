// A bounded, seeded storm of messages over skinned windows of every family,
// then the skin taken off: nothing may crash, and everything the skin
// changed or made must be gone again.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <skin/skin.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <initializer_list>
#include <map>
#include <random>
#include <vector>

#include "form1.h"
#include "gallery_window.h"
#include "state/families.h"
#include "state/properties.h"
#include "state/skin_state.h"
#include "support/gdi_count.h"

namespace {

constexpr unsigned kSeed = 20131608;
constexpr int kStormMessages = 100000;

struct Spec {
  const wchar_t* cls;
  DWORD style;
  DWORD ex_style;
};

// One control of every family; these are also what the storm re-creates.
const Spec kControls[] = {
    {L"Button", BS_DEFPUSHBUTTON, 0},
    {L"Button", BS_PUSHBUTTON | WS_DISABLED, 0},
    {L"Button", BS_AUTOCHECKBOX, 0},
    {L"ThunderRT6CheckBox", BS_AUTO3STATE, 0},
    {L"ThunderRT6OptionButton", BS_AUTORADIOBUTTON | WS_GROUP, 0},
    {L"ThunderRT6OptionButton", BS_AUTORADIOBUTTON, 0},
    {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0},
    {L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, 0},
    {L"ComboBox", CBS_SIMPLE, 0},
    {L"ThunderRT6DriveListBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0},
    {L"SysHeader32", HDS_BUTTONS, 0},
    {L"ProgressBar20WndClass", 0, WS_EX_CLIENTEDGE},
    {L"ProgressBar20WndClass", PBS_VERTICAL | PBS_SMOOTH, WS_EX_CLIENTEDGE},
    {L"DataListWndClass", WS_VSCROLL, WS_EX_CLIENTEDGE},
    {L"ApexGridOleDB32", WS_BORDER, 0},
    {L"Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
};

HWND CreateControl(HWND parent, const Spec& spec, int index) {
  const int x = 10 + (index % 4) * 110, y = 10 + (index / 4) * 60;
  const int h = (spec.style & CBS_SIMPLE) == CBS_SIMPLE && lstrcmpW(spec.cls, L"ComboBox") == 0 ? 50 : 24;
  HWND w = CreateWindowExW(spec.ex_style, spec.cls, L"\u6837\u672C Item", WS_CHILD | WS_VISIBLE | spec.style, x, y,
                           100, (spec.style & PBS_VERTICAL) ? 50 : h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + index)), GetModuleHandleW(nullptr),
                           nullptr);
  if (lstrcmpW(spec.cls, L"ComboBox") == 0 || lstrcmpW(spec.cls, L"ThunderRT6DriveListBox") == 0) {
    for (const wchar_t* s : {L"a:", L"c:", L"\u4E00"}) SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  } else if (lstrcmpW(spec.cls, L"SysHeader32") == 0) {
    for (int i = 0; i < 3; ++i) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH;
      item.cxy = 30;
      item.pszText = const_cast<wchar_t*>(L"\u5217");
      SendMessageW(w, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
  } else if (lstrcmpW(spec.cls, L"ProgressBar20WndClass") == 0) {
    SendMessageW(w, PBM_SETRANGE32, 0, 30000);
  }
  return w;
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
  return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> all{top};
  EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

bool HasRegion(HWND w) {
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(w, probe) != ERROR;
  DeleteObject(probe);
  return has;
}

bool HasAnySkinProp(HWND w) {
  static const char* const names[] = {"PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE", "ALPHALEVEL",
                                      "HDINDEX",  "HMINDEX",  "0HDC",      "1HDC",    "2HDC",     "3HDC",
                                      "0BMP",     "1BMP",     "2BMP",      "3BMP"};
  for (const char* n : names)
    if (GetPropA(w, n)) return true;
  return false;
}

// What the storm does, and how often: about as often as a user's hand
// would (mouse moves and fade ticks by far the most). A release is the
// dearest message: every check box and option button of the window is
// repainted after it.
enum Kind {
  kMove, kPress, kRelease, kDoubleClick, kLeave, kKey, kFocus, kTimer, kEnable,
  kResize, kDropDown, kPaint, kNcPaint, kCheckOrPosition, kRecreate, kAttachNamed, kKindCount
};
constexpr double kWeights[kKindCount] = {
    /*kMove*/ 14, /*kPress*/ 0.5, /*kRelease*/ 0.25, /*kDoubleClick*/ 0.25, /*kLeave*/ 2, /*kKey*/ 3,
    /*kFocus*/ 1, /*kTimer*/ 10, /*kEnable*/ 1, /*kResize*/ 1, /*kDropDown*/ 1, /*kPaint*/ 1, /*kNcPaint*/ 1,
    /*kCheckOrPosition*/ 1, /*kRecreate*/ 0.5, /*kAttachNamed*/ 1};

// What the storm is doing, for the watchdog: a message that never returns
// (a modal loop waiting for real input) fails the test with its name
// instead of running into the runner's time-out.
std::atomic<int> g_kind{-1};
std::atomic<int> g_progress{0};
char g_target_class[64];

class Watchdog {
 public:
  Watchdog()
      : thread_([this] {
          int last = -1, still = 0;
          while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            const int now = g_progress;
            still = now == last ? still + 1 : 0;
            last = now;
            if (still == 80) {
              std::printf("storm: stuck for 20 s at message %d, kind %d, target class %s\n", now, g_kind.load(),
                          g_target_class);
              std::fflush(stdout);
              std::_Exit(3);
            }
          }
        }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class Storm {
 public:
  explicit Storm(unsigned seed) : rng_(seed), kinds_(std::begin(kWeights), std::end(kWeights)) {}

  void Run(HWND calculator, HWND gallery_form, int messages) {
    const DWORD start = GetTickCount();
    for (int i = 0; i < messages; ++i) {
      if (i % 64 == 0) {
        targets_ = Descendants(calculator);
        const auto more = Descendants(gallery_form);
        targets_.insert(targets_.end(), more.begin(), more.end());
      }
      HWND target = targets_[Pick(targets_.size())];
      if (!IsWindow(target)) continue;
      g_progress = i;
      GetClassNameA(target, g_target_class, sizeof(g_target_class));
      Send(target, gallery_form, i);
      if (i % 256 == 0) Pump();
      if (i % 10000 == 0) {
        std::printf("storm: %d messages, %lu ms\n", i, static_cast<unsigned long>(GetTickCount() - start));
        std::fflush(stdout);
      }
    }
    Pump();
  }

 private:
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  int Coord() { return std::uniform_int_distribution<int>(-20, 140)(rng_); }

  // Dispatches what is queued (posted releases, fade timers, paints); the
  // watchdog sees these as kind 1000 + the message number.
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      g_kind = 1000 + static_cast<int>(msg.message);
      GetClassNameA(msg.hwnd, g_target_class, sizeof(g_target_class));
      DispatchMessageW(&msg);
    }
  }

  static bool Is(HWND w, std::initializer_list<skin::ControlFamily> families) {
    const skin::ControlFamily family = skin::ClassifyWindow(w);
    for (skin::ControlFamily f : families)
      if (f == family) return true;
    return false;
  }

  // A press always comes with its release queued behind it: list boxes
  // wait in a drag-detection loop for the release a real hand would give.
  void Press(HWND w, UINT message, LPARAM point) {
    PostMessageW(w, WM_LBUTTONUP, 0, point);
    SendMessageW(w, message, MK_LBUTTON, point);
    Pump();
  }

  void Send(HWND w, HWND gallery_form, int i) {
    const LPARAM point = MAKELPARAM(Coord(), Coord());
    int kind = kinds_(rng_);
    // Mouse and keyboard input never reaches a disabled window (and some
    // controls loop forever on a click they could never get).
    if (kind <= kKey && !IsWindowEnabled(w)) kind = kNcPaint;
    g_kind = kind;
    switch (kind) {
      case kMove:
        SendMessageW(w, WM_MOUSEMOVE, Pick(2) ? MK_LBUTTON : 0, point);
        break;
      case kPress:
        Press(w, WM_LBUTTONDOWN, point);
        break;
      case kRelease:
        SendMessageW(w, WM_LBUTTONUP, 0, point);
        ReleaseCapture();
        break;
      case kDoubleClick:
        Press(w, WM_LBUTTONDBLCLK, point);
        break;
      case kLeave:
        SendMessageW(w, WM_MOUSELEAVE, 0, 0);
        break;
      case kKey:
        SendMessageW(w, Pick(2) ? WM_KEYDOWN : WM_KEYUP, Pick(3) ? VK_SPACE : 'A', 0);
        break;
      case kFocus:
        SetFocus(w);
        break;
      case kTimer:
        SendMessageW(w, WM_TIMER, 1, 0);
        break;
      case kEnable:
        EnableWindow(w, !IsWindowEnabled(w));
        break;
      case kResize:
        if (GetParent(w)) {
          SetWindowPos(w, nullptr, 0, 0, 20 + static_cast<int>(Pick(100)), 12 + static_cast<int>(Pick(40)),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
      case kDropDown:
        // Class messages go only to the classes they belong to: another
        // control may give the same number a meaning of its own.
        if (Is(w, {skin::ControlFamily::ComboBox, skin::ControlFamily::DriveList})) {
          SendMessageW(w, CB_SHOWDROPDOWN, Pick(2), 0);
        }
        break;
      case kPaint:
        InvalidateRect(w, nullptr, TRUE);
        UpdateWindow(w);
        break;
      case kNcPaint:
        SendMessageW(w, WM_NCPAINT, 1, 0);
        break;
      case kCheckOrPosition:
        if (Is(w, {skin::ControlFamily::CheckBox, skin::ControlFamily::OptionButton})) {
          SendMessageW(w, BM_SETCHECK, Pick(3), 0);
        } else if (Is(w, {skin::ControlFamily::ProgressBar})) {
          SendMessageW(w, PBM_SETPOS, Pick(40000), 0);
        }
        break;
      case kRecreate:
        // A child destroyed and another created in its place, skinned the
        // way windows that appear later are: through the activation.
        if (GetParent(w) == gallery_form) {
          DestroyWindow(w);
          const int index = static_cast<int>(Pick(std::size(kControls)));
          HWND fresh = CreateControl(gallery_form, kControls[index], i % 16);
          SendMessageW(gallery_form, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(fresh));
          targets_.push_back(fresh);
        }
        break;
      default:
        SendMessageW(w, WM_CTLCOLORLISTBOX, 0, 0);
        SendMessageW(w, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(w));
        break;
    }
  }

  std::mt19937 rng_;
  std::discrete_distribution<int> kinds_;
  std::vector<HWND> targets_;
};

class SoakTest : public ::testing::Test {
 protected:
  // One whole cycle: windows made, skinned, stormed, unskinned, checked,
  // destroyed.
  void Cycle(int messages) {
    tarnwick::Form1 calculator;
    calculator.set_message_box([](HWND, const wchar_t*, const wchar_t*, UINT) { return IDOK; });
    calculator.set_launcher([](const std::wstring&) { return true; });
    ASSERT_TRUE(calculator.Create(SW_SHOW));
    HWND calc = calculator.form().window();
    HWND gallery_form = gallery::CreateGalleryWindow(SW_SHOWNOACTIVATE, false);
    ASSERT_NE(gallery_form, nullptr) << GetLastError();

    // The gallery skins itself on load. What the skin changed is read back
    // from the windows: every window's own procedure is its class's, and
    // push buttons keep their style.
    ASSERT_TRUE(skin::IsAttached(gallery_form));
    std::map<HWND, LONG_PTR> saved_styles;
    for (HWND top : {calc, gallery_form}) {
      for (HWND w : Descendants(top)) {
        if (GetPropA(w, "0HDC")) saved_styles[w] = static_cast<LONG>(skin::GetPropInt(w, "OLDSTYLE"));
      }
    }

    {
      Watchdog watchdog;
      Storm(kSeed).Run(calc, gallery_form, messages);
    }

    ASSERT_EQ(SkinDetach(gallery_form), 1);
    calculator.form().Close();
    for (HWND w : Descendants(gallery_form)) {
      EXPECT_FALSE(HasAnySkinProp(w)) << "window " << w;
      EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), GetClassLongPtrW(w, GCLP_WNDPROC)) << "window " << w;
      EXPECT_FALSE(HasRegion(w)) << "window " << w;
      auto it = saved_styles.find(w);
      // The low word holds the button's own style (the storm toggles only
      // WS_DISABLED, in the high word).
      if (it != saved_styles.end()) {
        EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & 0xFFFF, it->second & 0xFFFF) << "window " << w;
      }
    }
    // The combo boxes' drop-down lists are not children of the form; they
    // were skinned on their own and are let go when their combo box takes
    // them down.
    DestroyWindow(gallery_form);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(skin::State().attached_count, 0);
    EXPECT_FALSE(skin::State().initialised);
  }
};

TEST_F(SoakTest, MessageStormLeavesNothingBehind) {
  Cycle(2000);  // warm-up: the platform's first uses of some objects last
  const int before = testsupport::CountGdiObjects();
  ASSERT_GE(before, 0);
  const DWORD start = GetTickCount();
  Cycle(kStormMessages);
  const DWORD elapsed = GetTickCount() - start;
  const int after = testsupport::CountGdiObjects();
  std::printf("storm: %d messages, seed %u, %lu ms; GDI objects %d -> %d\n", kStormMessages, kSeed,
              static_cast<unsigned long>(elapsed), before, after);
  EXPECT_EQ(after, before) << "GDI objects left behind";
}

}  // namespace
