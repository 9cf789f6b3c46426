// The real window under the platform: created through the same code as the
// program, driven with real messages through the form's message loop.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "form1.h"
#include <tarnwick/gdi_raii.h>

namespace tarnwick {
namespace {

const std::wstring kMetreSuffix = L"  \u7C73";

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Counts the characters 13 that the thread's message loop takes, and how
// many of them carry the auto-repeat bit (lParam bit 30).
struct EnterChars {
  int all = 0;
  int repeated = 0;
};
EnterChars g_enter_chars;

LRESULT CALLBACK CountEnterChars(int code, WPARAM wparam, LPARAM lparam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && wparam == PM_REMOVE && msg->message == WM_CHAR && msg->wParam == L'\r') {
    ++g_enter_chars.all;
    if (msg->lParam & (LPARAM{1} << 30)) ++g_enter_chars.repeated;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

struct Recorded {
  std::vector<std::wstring> messages;
  std::vector<HWND> owners;
  std::vector<std::wstring> launches;
  bool launch_result = true;
};

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    form1_.set_message_box([this](HWND owner, const wchar_t* text, const wchar_t* caption, UINT) {
      recorded_.messages.push_back(text);
      recorded_.owners.push_back(owner);
      EXPECT_STREQ(caption, L"Tarnwick");
      return IDOK;
    });
    form1_.set_launcher([this](const std::wstring& command_line) {
      recorded_.launches.push_back(command_line);
      return recorded_.launch_result;
    });
    ASSERT_TRUE(form1_.Create(SW_SHOW));
    Pump();
  }
  void TearDown() override {
    form().Close();
    Pump();
  }

  forms::Form& form() { return form1_.form(); }
  HWND Window(int control) { return form().ControlWindow(control); }
  void Pump() { forms::PumpPendingMessages(form()); }

  // A key press as the keyboard delivers it: queued for the focused window
  // and taken through the form's loop (translation included).
  void PressKey(WPARAM key) {
    HWND target = GetFocus();
    UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(target, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (LPARAM{3} << 30));
    Pump();
  }

  // A key held down, through the platform's own input queue: the press,
  // then auto-repeated key-downs arriving one after another as a keyboard's
  // typematic repeat sends them (the platform marks them as repeats), then
  // the release.
  void HoldKey(WORD key, int repeats) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    for (int i = 0; i <= repeats; ++i) {
      SendInput(1, &input, sizeof input);
      Pump();
    }
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    Pump();
  }

  void TypeText(int control, const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(Window(control), WM_CHAR, ch, 1);
    Pump();
  }

  void MouseMove(HWND window, POINT p) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    Pump();
  }

  void Click(HWND window, POINT down, POINT up) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    Pump();
  }

  POINT InsideLabel(int label) {
    RECT r = form().LabelRect(label);
    return POINT{r.left + 3, (r.top + r.bottom) / 2};
  }

  Form1 form1_;
  Recorded recorded_;
};

TEST_F(Form1Test, ClassesStylesAndLayoutAt96Dpi) {
  {
    tarnwick::ScopedClientDC screen(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96) << "layout expectations are for 96 DPI";
  }
  HWND window = form().window();
  EXPECT_EQ(ClassOf(window), L"Form");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 473);
  EXPECT_EQ(client.bottom, 124);
  EXPECT_EQ(GetMenu(window), nullptr);

  struct Expected {
    int control;
    const wchar_t* window_class;
    RECT rect;  // left, top, right, bottom in the parent's client area
  };
  const Expected expected[] = {
      {kFrame1, L"Frame", {8, 8, 8 + 457, 8 + 89}},
      {kText1, L"Edit", {8, 48, 8 + 81, 48 + 25}},
      {kText2, L"Edit", {96, 48, 96 + 89, 48 + 25}},
      {kText3, L"Edit", {192, 48, 192 + 81, 48 + 25}},
      {kText4, L"Edit", {280, 48, 280 + 97, 48 + 25}},
      {kCommand1, L"Button", {384, 24, 384 + 65, 24 + 49}},
  };
  for (const Expected& e : expected) {
    HWND control = Window(e.control);
    ASSERT_NE(control, nullptr) << e.control;
    EXPECT_EQ(ClassOf(control), e.window_class) << e.control;
    EXPECT_TRUE(IsWindowUnicode(control)) << e.control;
    RECT r = RectInParent(control);
    EXPECT_EQ(r.left, e.rect.left) << e.control;
    EXPECT_EQ(r.top, e.rect.top) << e.control;
    EXPECT_EQ(r.right, e.rect.right) << e.control;
    EXPECT_EQ(r.bottom, e.rect.bottom) << e.control;
    HWND expected_parent = e.control == kFrame1 ? window : Window(kFrame1);
    EXPECT_EQ(GetParent(control), expected_parent) << e.control;
  }
  for (int edit : {kText1, kText2, kText3, kText4}) {
    LONG_PTR ex_style = GetWindowLongPtrW(Window(edit), GWL_EXSTYLE);
    LONG_PTR style = GetWindowLongPtrW(Window(edit), GWL_STYLE);
    EXPECT_TRUE(ex_style & WS_EX_CLIENTEDGE) << edit;
    EXPECT_FALSE(style & ES_MULTILINE) << edit;
    EXPECT_EQ((style & ES_READONLY) != 0, edit == kText4) << edit;
  }
  // Labels have no window; they sit at their design position.
  for (int label = kLabel1; label <= kLabel6; label = label == kLabel4 ? kLabel5 : label + 1) {
    EXPECT_EQ(Window(label), nullptr) << label;
    RECT r = form().LabelRect(label);
    EXPECT_GT(r.right - r.left, 0) << label;
    EXPECT_GT(r.bottom - r.top, 0) << label;
  }
  EXPECT_EQ(form().LabelRect(kLabel1).left, 9);
  EXPECT_EQ(form().LabelRect(kLabel1).top, 24);
  EXPECT_EQ(form().LabelRect(kLabel5).left, 96);
  EXPECT_EQ(form().LabelRect(kLabel5).top, 104);
  EXPECT_EQ(form().LabelRect(kLabel6).left, 224);
  EXPECT_EQ(form().LabelRect(kLabel6).top, 104);
}

TEST_F(Form1Test, CaptionTextsAndTooltips) {
  EXPECT_EQ(WindowText(form().window()), L"Tarnwick     BY:Quellin   2013.6.8");
  EXPECT_EQ(WindowText(Window(kFrame1)), L"已知厚度、宽度、单重，计算长度");
  EXPECT_EQ(WindowText(Window(kText1)), L"0.22");
  EXPECT_EQ(WindowText(Window(kText2)), L"1.81");
  EXPECT_EQ(WindowText(Window(kText3)), L"");
  EXPECT_EQ(WindowText(Window(kText4)), L"");
  EXPECT_EQ(WindowText(Window(kCommand1)), L"Enter");
  EXPECT_EQ(form().Text(kLabel1), L"厚度(单位:米)");
  EXPECT_EQ(form().Text(kLabel2), L"宽度(单位:米)");
  EXPECT_EQ(form().Text(kLabel3), L"单重(单位:吨)");
  EXPECT_EQ(form().Text(kLabel4), L"长度(单位:米)");
  EXPECT_EQ(form().Text(kLabel5), L"Marrowdale");
  EXPECT_EQ(form().Text(kLabel6), L"http://www.marrowdale.example");

  EXPECT_EQ(form().TextColor(kFrame1), 0x00FF80FFu);
  EXPECT_EQ(form().TextColor(kLabel3), 0x00FF00FFu);
  EXPECT_EQ(form().TextColor(kLabel5), 0x00008000u);
  EXPECT_EQ(form().TextColor(kLabel6), GetSysColor(COLOR_BTNTEXT));

  HWND tips = form().Tooltips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 5);
  const std::pair<int, const wchar_t*> expected[] = {
      {kText1, L"双击鼠标输入数据。"},       {kText2, L"双击鼠标输入数据。"},
      {kText3, L"请输入板坯重量数据。"},     {kText4, L"计算得出板坯的长度数据。"},
      {kCommand1, L"计算命令按钮。"},
  };
  for (const auto& [control, text] : expected) {
    wchar_t buffer[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = form().window();
    tool.uId = reinterpret_cast<UINT_PTR>(Window(control));
    tool.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(buffer, text) << control;
  }
}

TEST_F(Form1Test, FontsAreSimSunGb2312Regular) {
  struct Expected {
    int control;
    LONG height;
  };
  for (Expected e : {Expected{kFrame1, -12}, Expected{kText1, -16}, Expected{kText2, -16},
                     Expected{kText3, -16}, Expected{kText4, -16}, Expected{kCommand1, -12},
                     Expected{kLabel1, -12}, Expected{kLabel4, -12}, Expected{kLabel5, -14},
                     Expected{kLabel6, -14}}) {
    LOGFONTW lf{};
    if (HWND control = Window(e.control)) {
      auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
      ASSERT_NE(font, nullptr) << e.control;
      ASSERT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    } else {
      lf = form().ControlFont(e.control);
    }
    EXPECT_STREQ(lf.lfFaceName, L"宋体") << e.control;
    EXPECT_EQ(lf.lfCharSet, 134) << e.control;
    EXPECT_EQ(lf.lfHeight, e.height) << e.control;
    EXPECT_EQ(lf.lfWeight, FW_NORMAL) << e.control;
    EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut) << e.control;
  }
}

TEST_F(Form1Test, FocusStartsInText3AndTabCycles) {
  EXPECT_EQ(GetFocus(), Window(kText3));
  const int cycle[] = {kText1, kText2, kCommand1, kText4, kText3, kText1};
  for (int expected : cycle) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Window(expected)) << "expected control " << expected;
  }
  // Shift+Tab goes back.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE saved = keys[VK_SHIFT];
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PressKey(VK_TAB);
  keys[VK_SHIFT] = saved;
  SetKeyboardState(keys);
  EXPECT_EQ(GetFocus(), Window(kText3));
  // Tabbing into a box selects its text; the read-only box takes the focus
  // and lets its text be selected but not changed.
  PressKey(VK_TAB);
  DWORD start = 0, end = 0;
  SendMessageW(Window(kText1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
  SetWindowTextW(Window(kText4), L"1.00  米");
  form().SetFocusTo(kText4);
  TypeText(kText4, L"9");
  EXPECT_EQ(WindowText(Window(kText4)), L"1.00  米");
}

TEST_F(Form1Test, EnterInText3ComputesAndKeepsTheBoxReady) {
  TypeText(kText3, L"10");
  EXPECT_EQ(WindowText(Window(kText3)), L"10");
  PressKey(VK_RETURN);
  EXPECT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);
  EXPECT_EQ(WindowText(Window(kText3)), L"");
  EXPECT_EQ(GetFocus(), Window(kText3));
  EXPECT_TRUE(recorded_.messages.empty());

  TypeText(kText3, L"-10");
  PressKey(VK_RETURN);
  EXPECT_EQ(WindowText(Window(kText4)), L"-3.20" + kMetreSuffix);
  // The empty box reads as 0.
  PressKey(VK_RETURN);
  EXPECT_EQ(WindowText(Window(kText4)), L"0.00" + kMetreSuffix);
}

TEST_F(Form1Test, Command1ClicksByMouseSpaceAndEnterOnce) {
  SetWindowTextW(Window(kText3), L"10");
  SendMessageW(Window(kCommand1), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);
  EXPECT_EQ(GetFocus(), Window(kText3));

  // A second click would compute again from the emptied box and show 0.00.
  SetWindowTextW(Window(kText3), L"-10");
  form().SetFocusTo(kCommand1);
  PressKey(VK_RETURN);
  EXPECT_EQ(WindowText(Window(kText4)), L"-3.20" + kMetreSuffix);
  EXPECT_EQ(GetFocus(), Window(kText3));

  SetWindowTextW(Window(kText3), L"20");
  form().SetFocusTo(kCommand1);
  PressKey(VK_SPACE);
  EXPECT_EQ(WindowText(Window(kText4)), L"6.40" + kMetreSuffix);
  EXPECT_EQ(GetFocus(), Window(kText3));
}

// Holding Enter computes once, in the weight box as on Command1 (whose
// click moves the focus to the weight box, where the repeats then land);
// a refused computation keeps the focus and shows its message once. The
// next deliberate press computes again.
TEST_F(Form1Test, HeldEnterComputesOnceAndTheNextPressAgain) {
  struct Case {
    int focus;
    const wchar_t* thickness;
    const wchar_t* weight;
    const wchar_t* result;  // nullptr: refused, everything stays
  };
  const Case cases[] = {
      {kText3, L"0.22", L"10", L"3.20"},
      {kCommand1, L"0.22", L"-10", L"-3.20"},
      {kText3, L"0", L"10", nullptr},
      {kCommand1, L"0", L"10", nullptr},
  };
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountEnterChars, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  SetForegroundWindow(form().window());
  Pump();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "focus on control " << c.focus << ", thickness "
                                    << testing::PrintToString(std::wstring(c.thickness)));
    SetWindowTextW(Window(kText1), c.thickness);
    SetWindowTextW(Window(kText3), c.weight);
    SetWindowTextW(Window(kText4), L"");
    form().SetFocusTo(c.focus);
    recorded_.messages.clear();
    g_enter_chars = {};
    HoldKey(VK_RETURN, 4);
    EXPECT_EQ(g_enter_chars.repeated, (c.focus == kText3 || c.result) ? 4 : 0)
        << "repeats as the platform delivers them (a button takes no characters)";
    if (c.result) {
      EXPECT_EQ(WindowText(Window(kText4)), c.result + kMetreSuffix);
      EXPECT_EQ(WindowText(Window(kText3)), L"");
      EXPECT_EQ(GetFocus(), Window(kText3));
      EXPECT_TRUE(recorded_.messages.empty());
      HoldKey(VK_RETURN, 0);
      EXPECT_EQ(WindowText(Window(kText4)), L"0.00" + kMetreSuffix);
    } else {
      EXPECT_EQ(WindowText(Window(kText4)), L"");
      EXPECT_EQ(WindowText(Window(kText3)), c.weight);
      EXPECT_EQ(GetFocus(), Window(c.focus));
      EXPECT_EQ(recorded_.messages.size(), 1u);
      HoldKey(VK_RETURN, 0);
      EXPECT_EQ(recorded_.messages.size(), 2u);
    }
  }
  UnhookWindowsHookEx(hook);
}

// What an input method in full-width mode types reaches each box as
// characters and reads as the ASCII it stands for.
TEST_F(Form1Test, FullWidthInputReadsInAllThreeBoxes) {
  const struct {
    int control;
    const wchar_t* typed;
  } boxes[] = {{kText1, L"０．２２"}, {kText2, L"\x3000１．８１"}, {kText3, L"－１０吨"}};
  for (const auto& box : boxes) {
    SetWindowTextW(Window(box.control), L"");
    TypeText(box.control, box.typed);
    EXPECT_EQ(WindowText(Window(box.control)), box.typed);
  }
  SetForegroundWindow(form().window());
  form().SetFocusTo(kText3);
  HoldKey(VK_RETURN, 0);
  EXPECT_EQ(WindowText(Window(kText4)), L"-3.20" + kMetreSuffix);
  EXPECT_TRUE(recorded_.messages.empty());
}

TEST_F(Form1Test, DoubleClickEmptiesAndBadInputLeavesEverything) {
  SetWindowTextW(Window(kText3), L"10");
  PressKey(VK_RETURN);
  ASSERT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);

  SendMessageW(Window(kText1), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(Window(kText1), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(WindowText(Window(kText1)), L"");
  EXPECT_EQ(WindowText(Window(kText2)), L"1.81");

  TypeText(kText3, L"12");
  form().SetFocusTo(kText3);
  PressKey(VK_RETURN);
  ASSERT_EQ(recorded_.messages.size(), 1u);
  EXPECT_EQ(recorded_.messages[0], L"厚度或宽度为零，无法计算。请输入不为零的厚度和宽度。");
  EXPECT_EQ(recorded_.owners[0], form().window());
  EXPECT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);
  EXPECT_EQ(WindowText(Window(kText3)), L"12");
  EXPECT_EQ(GetFocus(), Window(kText3));

  SendMessageW(Window(kText2), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(WindowText(Window(kText2)), L"");

  // Overflow: 1E308 / 0.22 / 1.81 / 7.85 is beyond double.
  SetWindowTextW(Window(kText1), L"0.22");
  SetWindowTextW(Window(kText2), L"1.81");
  SetWindowTextW(Window(kText3), L"1E308");
  SendMessageW(Window(kCommand1), BM_CLICK, 0, 0);  // the mouse gives the button the focus
  Pump();
  ASSERT_EQ(recorded_.messages.size(), 2u);
  EXPECT_EQ(recorded_.messages[1], L"计算结果超出数值范围，无法计算。请检查输入的数据。");
  EXPECT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);
  EXPECT_EQ(WindowText(Window(kText3)), L"1E308");
  EXPECT_EQ(GetFocus(), Window(kCommand1));

  SetWindowTextW(Window(kText3), L"1E400");
  form().SetFocusTo(kText3);
  PressKey(VK_RETURN);
  ASSERT_EQ(recorded_.messages.size(), 3u);
  EXPECT_EQ(recorded_.messages[2], L"输入的数据超出数值范围，无法计算。请检查输入的数据。");
  EXPECT_EQ(WindowText(Window(kText4)), L"3.20" + kMetreSuffix);
  EXPECT_EQ(WindowText(Window(kText3)), L"1E400");
  EXPECT_EQ(GetFocus(), Window(kText3));
  EXPECT_TRUE(IsWindow(form().window()));
}

// Counts pixels of one colour inside a rectangle of the form's client area,
// read back from the screen.
int CountPixels(HWND window, RECT area, COLORREF color, int* full_rows) {
  int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  tarnwick::ScopedClientDC screen(window);
  tarnwick::OwnedBitmap dib(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  tarnwick::OwnedDC memory(CreateCompatibleDC(screen));
  {
    tarnwick::SelectGuard select(memory, dib.get());
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  }
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  DWORD wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  int count = 0;
  *full_rows = 0;
  for (int y = 0; y < height; ++y) {
    int row = 0;
    for (int x = 0; x < width; ++x) row += (pixels[y * width + x] & 0xFFFFFF) == wanted;
    count += row;
    if (row >= width * 9 / 10) ++*full_rows;
  }
  return count;
}

// One pixel of a window's client area as 0x00BBGGRR, read back from the screen.
COLORREF PixelAt(HWND window, int x, int y) {
  int full_rows = 0;
  for (COLORREF candidate : {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT),
                             GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE)}) {
    if (CountPixels(window, RECT{x, y, x + 1, y + 1}, candidate, &full_rows) == 1) return candidate;
  }
  return CLR_INVALID;
}

TEST_F(Form1Test, FrameAndResultBoxArePainted) {
  UpdateWindow(form().window());
  HWND frame = Window(kFrame1);
  // The etched group box: shadow outside, highlight inside, on the left
  // edge below the caption and on the bottom edge.
  EXPECT_EQ(PixelAt(frame, 0, 40), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(frame, 1, 40), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(PixelAt(frame, 200, 87), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelAt(frame, 200, 88), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(PixelAt(frame, 3, 40), GetSysColor(COLOR_BTNFACE));
  // The read-only result box keeps a white background.
  EXPECT_EQ(PixelAt(Window(kText4), 50, 10), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x00FFFFFFu);
}

TEST_F(Form1Test, LinkHoverLookFollowsTheMouse) {
  HWND window = form().window();
  POINT free_area{20, 112};
  POINT over_link = InsideLabel(kLabel6);
  POINT over_name = InsideLabel(kLabel5);
  EXPECT_FALSE(form().LabelUnderline(kLabel6));
  EXPECT_EQ(form().TextColor(kLabel6), GetSysColor(COLOR_BTNTEXT));

  MouseMove(window, over_name);
  MouseMove(Window(kFrame1), POINT{200, 5});
  EXPECT_FALSE(form().LabelUnderline(kLabel6));
  EXPECT_EQ(form().TextColor(kLabel6), GetSysColor(COLOR_BTNTEXT));

  MouseMove(window, free_area);
  EXPECT_TRUE(form().LabelUnderline(kLabel6));
  EXPECT_EQ(form().TextColor(kLabel6), GetSysColor(COLOR_BTNTEXT));
  MouseMove(window, over_name);
  MouseMove(Window(kFrame1), POINT{200, 5});
  EXPECT_TRUE(form().LabelUnderline(kLabel6));

  RECT link = form().LabelRect(kLabel6);
  int full_rows = 0;
  UpdateWindow(window);
  EXPECT_EQ(CountPixels(window, link, 0x00FF0000, &full_rows), 0);

  MouseMove(window, over_link);
  EXPECT_FALSE(form().LabelUnderline(kLabel6));
  EXPECT_EQ(form().TextColor(kLabel6), 0x00FF0000u);
  UpdateWindow(window);
  EXPECT_GT(CountPixels(window, link, 0x00FF0000, &full_rows), 10);
  EXPECT_EQ(full_rows, 0) << "no underline drawn";

  MouseMove(window, free_area);
  EXPECT_TRUE(form().LabelUnderline(kLabel6));
  EXPECT_EQ(form().TextColor(kLabel6), 0x00FF0000u);
  UpdateWindow(window);
  EXPECT_GT(CountPixels(window, link, 0x00FF0000, &full_rows), 10);
  EXPECT_GE(full_rows, 1) << "the underline spans the link";
}

TEST_F(Form1Test, LinkPointerAndClicks) {
  HWND window = form().window();
  POINT over_link = InsideLabel(kLabel6);
  POINT screen_point = over_link;
  ClientToScreen(window, &screen_point);
  SetCursorPos(screen_point.x, screen_point.y);
  EXPECT_TRUE(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  screen_point = POINT{20, 112};
  ClientToScreen(window, &screen_point);
  SetCursorPos(screen_point.x, screen_point.y);
  EXPECT_FALSE(SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));

  const std::wstring command =
      L"rundll32.exe url.dll,FileProtocolHandler \"http://www.marrowdale.example/\"";
  EXPECT_EQ(ForumCommandLine(), command);
  Click(window, over_link, over_link);
  ASSERT_EQ(recorded_.launches.size(), 1u);
  EXPECT_EQ(recorded_.launches[0], command);
  Click(window, over_link, over_link);
  EXPECT_EQ(recorded_.launches.size(), 2u);
  // Pressed on the link but released elsewhere, or on the forum's name: no click.
  Click(window, over_link, POINT{20, 112});
  Click(window, InsideLabel(kLabel5), InsideLabel(kLabel5));
  EXPECT_EQ(recorded_.launches.size(), 2u);
  EXPECT_TRUE(recorded_.messages.empty());

  recorded_.launch_result = false;
  Click(window, over_link, over_link);
  EXPECT_EQ(recorded_.launches.size(), 3u);
  ASSERT_EQ(recorded_.messages.size(), 1u);
  EXPECT_EQ(recorded_.messages[0], L"无法打开论坛网址，请稍后再试。");
  EXPECT_TRUE(IsWindow(window));
}

// The real message box: owned by the form, and when it closes the focus is
// back where it was.
HWND g_form_window = nullptr;
std::wstring g_box_text;
HWND g_box_owner = nullptr;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"Tarnwick");
  if (!box) return;
  KillTimer(nullptr, id);
  g_box_owner = GetWindow(box, GW_OWNER);
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);  // the static text of a message box
  g_box_text = text;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(Form1MessageBox, RealMessageBoxIsOwnedAndFocusReturns) {
  Form1 form1;
  ASSERT_TRUE(form1.Create(SW_SHOW));
  forms::PumpPendingMessages(form1.form());
  HWND text1 = form1.form().ControlWindow(kText1);
  SetWindowTextW(form1.form().ControlWindow(kText2), L"0");
  SetWindowTextW(form1.form().ControlWindow(kText3), L"5");
  form1.form().SetFocusTo(kText1);
  g_form_window = form1.form().window();
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMessageBox);
  form1.ComputeLength();
  KillTimer(nullptr, timer);
  forms::PumpPendingMessages(form1.form());
  EXPECT_EQ(g_box_owner, form1.form().window());
  EXPECT_EQ(g_box_text, L"厚度或宽度为零，无法计算。请输入不为零的厚度和宽度。");
  EXPECT_EQ(GetFocus(), text1);
  EXPECT_EQ(WindowText(form1.form().ControlWindow(kText3)), L"5");
  form1.form().Close();
}

TEST(Form1Startup, TimeToFirstPaint) {
  auto start = std::chrono::steady_clock::now();
  Form1 form1;
  ASSERT_TRUE(form1.Create(SW_SHOW));
  while (form1.form().paint_count() == 0) {
    forms::PumpPendingMessages(form1.form());
    ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    if (form1.form().paint_count() == 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("create to first paint of the form: %.1f ms\n", ms);
  RecordProperty("first_paint_ms", static_cast<int>(ms));
  form1.form().Close();
  // Closing must not end the thread's loop unless asked to.
  MSG msg{};
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
}  // namespace tarnwick
