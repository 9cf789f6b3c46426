#include "support/engine_fixture.h"

#include <skin/skin.h>

namespace skin_test {
namespace {

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormLog& log = Log();
  log.messages.push_back(message);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    ++log.clicks;
    if (log.focus_on_click) SetFocus(log.focus_on_click);
    return 0;
  }
  if (message == WM_DESTROY) {
    log.props_gone_on_destroy = !GetPropA(window, "PROCADDR") &&
                                (!log.watched_child || !GetPropA(log.watched_child, "PROCADDR"));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

FormLog& Log() {
  static FormLog log;
  return log;
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassW(&wc);
  registered = true;
}

HWND CreateForm(int width, int height) {
  RegisterFormClass();
  HWND form = CreateWindowExW(0, kFormClass, L"form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, width, height,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return form;
}

HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                 DWORD ex_style) {
  static int next_id = 100;
  return CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id++)), GetModuleHandleW(nullptr),
                         nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

COLORREF WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

void FloodWindow(HWND window, COLORREF colour) {
  HDC dc = GetWindowDC(window);
  RECT r;
  GetWindowRect(window, &r);
  RECT all{0, 0, r.right - r.left, r.bottom - r.top};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
}

::testing::AssertionResult HasRoundedRegion(HWND window, int w, int h) {
  HRGN actual = CreateRectRgn(0, 0, 0, 0);
  HRGN expected = CreateRoundRectRgn(0, 0, w + 1, h + 1, 3, 3);
  const bool has = GetWindowRgn(window, actual) != ERROR;
  const bool equal = has && EqualRgn(actual, expected);
  DeleteObject(actual);
  DeleteObject(expected);
  if (equal) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << (has ? "region differs from " : "no region, want ") << "(0, 0, " << w + 1
                                       << ", " << h + 1 << ") with 3 x 3 corners";
}

::testing::AssertionResult HasNoSkinProps(HWND window) {
  static const char* const names[] = {"PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE", "ALPHALEVEL",
                                      "HDINDEX",  "HMINDEX",  "0HDC",      "1HDC",    "2HDC",     "3HDC",
                                      "0BMP",     "1BMP",     "2BMP",      "3BMP",    "HOSTATTACHED"};
  for (const char* name : names) {
    if (GetPropA(window, name)) return ::testing::AssertionFailure() << name << " still set";
  }
  return ::testing::AssertionSuccess();
}

void EngineTest::SetUp() {
  Log() = FormLog{};
  ASSERT_EQ(skin::State().attached_count, 0);
}

void EngineTest::TearDown() {
  Pump();
  // Every test leaves the engine as it found it.
  EXPECT_EQ(skin::State().attached_count, 0);
  EXPECT_FALSE(skin::State().initialised);
}

}  // namespace skin_test
