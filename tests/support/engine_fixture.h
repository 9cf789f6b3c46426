// Windows for the engine's tests: a form of a form class with children of
// the platform's own classes, created and destroyed per test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "state/properties.h"
#include "state/skin_state.h"

namespace skin_test {

inline constexpr wchar_t kFormClass[] = L"ThunderRT6FormDC";

// Messages the form's own procedure saw, and what it does on a click.
struct FormLog {
  std::vector<UINT> messages;
  HWND focus_on_click = nullptr;
  int clicks = 0;
  bool props_gone_on_destroy = false;
  HWND watched_child = nullptr;
};

FormLog& Log();

void RegisterFormClass();

HWND CreateForm(int width = 300, int height = 200);
HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                 DWORD ex_style = 0);

// Dispatches whatever is queued, without waiting.
void Pump();

inline int32_t Prop(HWND window, const char* name) { return skin::GetPropInt(window, name); }

// One pixel of the window's whole rectangle, read from its window DC.
COLORREF WindowPixel(HWND window, int x, int y);
// Fills the window's whole rectangle on screen with one colour, so that a
// later read shows whether anything was drawn over it.
void FloodWindow(HWND window, COLORREF colour);
// The window's region equals the skin's rounded rectangle for w x h.
::testing::AssertionResult HasRoundedRegion(HWND window, int w, int h);

// A window with no skin property left on it.
::testing::AssertionResult HasNoSkinProps(HWND window);

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace skin_test
