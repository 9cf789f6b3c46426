// Push buttons: their four images, the fade, and the visual-state rows
// driven by real messages.
#include <skin/skin.h>

#include "engine/attach.h"
#include "support/engine_fixture.h"
#include "interact/fade.h"
#include "render/button_painter.h"
#include "render/sprite_sheets.h"
#include "state/properties.h"
#include "support/pixels.h"

#include <functional>
#include <vector>

namespace skin_test {
namespace {

constexpr int kW = 75, kH = 23;

HDC ImageDC(HWND button, int state) {
  return static_cast<HDC>(GetPropA(button, (std::to_string(state) + "HDC").c_str()));
}

int CountPixels(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += GetPixel(dc, x, y) == colour;
  return n;
}

// All four images, pixel by pixel, one after the other.
std::vector<COLORREF> Faces(HWND button) {
  RECT r;
  GetWindowRect(button, &r);
  std::vector<COLORREF> pixels;
  for (int state = 0; state < 4; ++state) {
    const testsupport::PixelGrab grab =
        testsupport::ReadPixels(ImageDC(button, state), 0, 0, r.right - r.left, r.bottom - r.top);
    for (int y = 0; y < grab.height(); ++y)
      for (int x = 0; x < grab.width(); ++x) pixels.push_back(grab.At(x, y));
  }
  return pixels;
}

struct ButtonRow {
  int32_t state, alpha, mouse;
  bool timer;
};

::testing::AssertionResult RowIs(HWND b, ButtonRow want) {
  const ButtonRow got{Prop(b, "OLDSTATE"), Prop(b, "ALPHALEVEL"), Prop(b, "MOUSEFLAG"), Prop(b, "TIMERID") != 0};
  if (got.state == want.state && got.alpha == want.alpha && got.mouse == want.mouse && got.timer == want.timer)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "OLDSTATE/ALPHALEVEL/MOUSEFLAG/timer: got " << got.state << "/" << got.alpha
                                       << "/" << got.mouse << "/" << got.timer << ", want " << want.state << "/"
                                       << want.alpha << "/" << want.mouse << "/" << want.timer;
}

class ButtonTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    form_ = CreateForm(300, 200);
    button_ = CreateChild(form_, L"Button", L"Enter", BS_PUSHBUTTON | WS_TABSTOP, 20, 20, kW, kH);
    edit_ = CreateChild(form_, L"Edit", L"", 0, 20, 80, 100, 22, WS_EX_CLIENTEDGE);
    CursorAway();  // no stray mouse move from an earlier test's cursor
    ShowWindow(form_, SW_SHOW);
    UpdateWindow(form_);
    ASSERT_EQ(SkinAttach(form_), 1);
    Pump();
  }
  void TearDown() override {
    SkinDetach(form_);
    DestroyWindow(form_);
    EngineTest::TearDown();
  }
  // Moves the real cursor away from, or onto the middle of, the button.
  void CursorOver(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void CursorAway() { SetCursorPos(5, 900); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(10, 10)) {
    return SendMessageW(button_, message, wParam, lParam);
  }
  HWND form_ = nullptr, button_ = nullptr, edit_ = nullptr;
};

TEST_F(ButtonTest, ImagesComeFromTheirSheetCellWithCaption) {
  for (int state = 0; state < 4; ++state) {
    HDC dc = ImageDC(button_, state);
    const int cell_y = 21 * state;
    // Corners unscaled, sides stretched, from this state's cell.
    EXPECT_EQ(GetPixel(dc, 0, 0), skin::SheetPixel(skin::SheetButton, 0, cell_y)) << state;
    EXPECT_EQ(GetPixel(dc, kW - 1, 0), skin::SheetPixel(skin::SheetButton, 6, cell_y)) << state;
    EXPECT_EQ(GetPixel(dc, 0, kH - 1), skin::SheetPixel(skin::SheetButton, 0, cell_y + 20)) << state;
    EXPECT_EQ(GetPixel(dc, kW - 1, kH - 1), skin::SheetPixel(skin::SheetButton, 6, cell_y + 20)) << state;
    EXPECT_EQ(GetPixel(dc, 2, 1), skin::SheetPixel(skin::SheetButton, 2, cell_y + 1)) << state;
    EXPECT_EQ(GetPixel(dc, 40, 0), skin::SheetPixel(skin::SheetButton, 3, cell_y)) << state;
    EXPECT_EQ(GetPixel(dc, 0, 11), skin::SheetPixel(skin::SheetButton, 0, cell_y + 10)) << state;
  }
  EXPECT_EQ(GetPixel(ImageDC(button_, 0), 0, 0), 0xF9E1BFu);
  EXPECT_EQ(GetPixel(ImageDC(button_, 0), 3, 0), 0xD58F1Bu);
  // Caption: black in images 0-2, the disabled grey in image 3.
  EXPECT_GT(CountPixels(ImageDC(button_, 0), 3, 3, kW - 3, kH - 3, 0x000000), 10);
  EXPECT_EQ(CountPixels(ImageDC(button_, 3), 3, 3, kW - 3, kH - 3, 0x000000), 0);
  EXPECT_GT(CountPixels(ImageDC(button_, 3), 3, 3, kW - 3, kH - 3, 0x968A79), 10);
}

// After a caption, font or size change the images are, pixel for pixel,
// those a fresh attach renders for the button as it now is: every state,
// focused and not, one-line and wrapped captions.
TEST_F(ButtonTest, ImagesAfterAChangeAreThoseAFreshAttachRenders) {
  SkinDetach(form_);
  HWND wrapped = CreateChild(form_, L"Button", L"A caption long enough to wrap", BS_PUSHBUTTON | BS_MULTILINE, 120,
                             20, 75, 40);
  ASSERT_EQ(SkinAttach(form_), 1);
  HFONT big = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const struct {
    const char* name;
    std::function<void(HWND)> change;
  } rows[] = {
      {"WM_SETTEXT", [](HWND b) { SendMessageW(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"&Go \u8BA1\u7B97 on")); }},
      {"WM_SETFONT, redraw", [&](HWND b) { SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE); }},
      {"resize", [](HWND b) { SetWindowPos(b, nullptr, 0, 0, 90, 31, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); }},
      {"WM_SETFONT, no redraw",
       [](HWND b) { SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE); }},
      {"resize back", [](HWND b) { SetWindowPos(b, nullptr, 0, 0, kW, kH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); }},
  };
  for (HWND b : {button_, wrapped}) {
    for (bool focused : {false, true}) {
      for (const auto& row : rows) {
        SetFocus(focused ? b : edit_);
        row.change(b);
        Pump();
        const std::vector<COLORREF> changed = Faces(b);
        // Detaching the last window frees every face the skin kept, so the
        // attach composes all of them anew.
        SkinDetach(form_);
        ASSERT_EQ(SkinAttach(form_), 1);
        SetFocus(focused ? b : edit_);
        EXPECT_TRUE(changed == Faces(b)) << row.name << (focused ? ", focused" : "") << (b == wrapped ? ", wrapped" : "");
      }
    }
  }
  SkinDetach(form_);
  DeleteObject(big);
}

TEST_F(ButtonTest, FocusMarkOnlyOnTheFocusedButtonsImages) {
  auto row_differs = [&](HDC a, HDC b) {
    for (int x = 2; x < kW - 2; ++x)
      if (GetPixel(a, x, 2) != GetPixel(b, x, 2)) return true;
    return false;
  };
  HDC unfocused = CreateCompatibleDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(ImageDC(button_, 0), kW, kH);
  HGDIOBJ old = SelectObject(unfocused, copy);
  BitBlt(unfocused, 0, 0, kW, kH, ImageDC(button_, 1), 0, 0, SRCCOPY);
  SetFocus(button_);
  EXPECT_TRUE(row_differs(unfocused, ImageDC(button_, 1))) << "focused images carry the focus rectangle";
  SetFocus(edit_);
  EXPECT_FALSE(row_differs(unfocused, ImageDC(button_, 1))) << "and lose it with the focus";
  SelectObject(unfocused, old);
  DeleteDC(unfocused);
  DeleteObject(copy);
}

TEST_F(ButtonTest, FadeRunsEightySixOrSixtySixBlends) {
  EXPECT_NE(skin::StartFadeTimer(button_), 0u);
  EXPECT_EQ(skin::StartFadeTimer(button_), 0u) << "a running fade is not restarted";
  skin::SetPropInt(button_, "OLDSTATE", 1);
  skin::SetPropInt(button_, "ALPHALEVEL", 0);
  for (int tick = 1; tick <= 85; ++tick) Send(WM_TIMER, 1, 0);
  EXPECT_EQ(Prop(button_, "ALPHALEVEL"), 255) << "85 blends reach 252; the 86th is at 255";
  EXPECT_NE(Prop(button_, "TIMERID"), 0);
  Send(WM_TIMER, 1, 0);
  EXPECT_EQ(Prop(button_, "ALPHALEVEL"), 0);
  EXPECT_EQ(Prop(button_, "TIMERID"), 0);
  EXPECT_EQ(skin::StopFadeTimer(button_), 0);

  // The last blend leaves exactly the target image on screen.
  HDC screen = GetWindowDC(button_);
  for (int x : {0, 5, 37, kW - 1})
    for (int y : {0, 11, kH - 1}) EXPECT_EQ(GetPixel(screen, x, y), GetPixel(ImageDC(button_, 1), x, y));
  ReleaseDC(button_, screen);

  skin::SetPropInt(button_, "ALPHALEVEL", 60);
  skin::StartFadeTimer(button_);
  int ticks = 0;
  while (Prop(button_, "TIMERID") != 0 && ticks < 500) {
    Send(WM_TIMER, 1, 0);
    ++ticks;
  }
  EXPECT_EQ(ticks, 66);
}

// A paint, a caption change and a font change each end a running fade and
// leave the state's image on screen at full level. The font change with a
// redraw shows it at once and owes no paint.
TEST_F(ButtonTest, PaintAndChangesEndTheFadeAtFullLevel) {
  HFONT big = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const struct {
    const char* name;
    std::function<void()> change;
    bool no_paint_owed;
  } rows[] = {
      {"paint",
       [&] {
         InvalidateRect(button_, nullptr, FALSE);
         UpdateWindow(button_);
       },
       true},
      {"WM_SETTEXT", [&] { Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Apply")); }, false},
      {"WM_SETFONT, redraw", [&] { Send(WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE); }, true},
  };
  for (const auto& row : rows) {
    skin::SetPropInt(button_, "OLDSTATE", 1);
    skin::SetPropInt(button_, "ALPHALEVEL", 30);
    skin::StartFadeTimer(button_);
    row.change();
    EXPECT_EQ(Prop(button_, "TIMERID"), 0) << row.name;
    EXPECT_EQ(Prop(button_, "ALPHALEVEL"), 255) << row.name;
    if (row.no_paint_owed) {
      EXPECT_FALSE(GetUpdateRect(button_, nullptr, FALSE)) << row.name;
    }
    HDC screen = GetWindowDC(button_);
    for (int x : {1, 9, 37, kW - 2})
      for (int y : {1, 11, kH - 2})
        EXPECT_EQ(GetPixel(screen, x, y), GetPixel(ImageDC(button_, 1), x, y)) << row.name << " " << x << "," << y;
    ReleaseDC(button_, screen);
  }
  SkinDetach(form_);
  DeleteObject(big);
}

TEST_F(ButtonTest, MouseRows) {
  CursorOver(button_);
  Send(WM_MOUSEMOVE);
  EXPECT_TRUE(RowIs(button_, {1, 0, 1, true})) << "first move starts the hot fade";
  Send(WM_TIMER, 1, 0);
  Send(WM_MOUSEMOVE);
  EXPECT_TRUE(RowIs(button_, {1, 3, 1, true})) << "further moves over it change nothing";

  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_TRUE(RowIs(button_, {2, 0, 1, false}));
  // Captured moves with another window under the cursor show the state.
  CursorAway();
  Send(WM_MOUSEMOVE, MK_LBUTTON);
  EXPECT_TRUE(RowIs(button_, {2, 255, 1, false})) << "a pressed button stays pressed";
  CursorOver(button_);
  Send(WM_LBUTTONUP);
  EXPECT_TRUE(RowIs(button_, {0, 60, 0, true}));
  Send(WM_MOUSEMOVE);
  EXPECT_TRUE(RowIs(button_, {1, 0, 1, true})) << "the next move starts the hot fade again";

  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(RowIs(button_, {0, 0, 0, true}));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON);
  EXPECT_TRUE(RowIs(button_, {2, 0, 0, false})) << "a double-click shows pressed";
  ReleaseCapture();
}

TEST_F(ButtonTest, KeyFocusAndEnableRows) {
  Send(WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(RowIs(button_, {2, 0, 0, false}));
  Send(WM_KEYUP, VK_SPACE, 0);
  EXPECT_TRUE(RowIs(button_, {0, 0, 0, true}));
  skin::StopFadeTimer(button_);
  Send(WM_KEYDOWN, VK_RETURN, 0);
  Send(WM_KEYUP, 'A', 0);
  EXPECT_TRUE(RowIs(button_, {0, 0, 0, false})) << "other keys change nothing";

  skin::SetPropInt(button_, "ALPHALEVEL", 200);
  SetFocus(button_);
  EXPECT_TRUE(RowIs(button_, {0, 0, 0, true})) << "focus keeps the state and fades the new images in";

  SetFocus(edit_);  // disabling the focused button would move the focus too
  skin::StopFadeTimer(button_);
  skin::SetPropInt(button_, "ALPHALEVEL", 255);
  EnableWindow(button_, FALSE);
  EXPECT_TRUE(RowIs(button_, {3, 255, 0, false}));
  EnableWindow(button_, TRUE);
  EXPECT_TRUE(RowIs(button_, {0, 255, 0, false}));
}

// A button-class check box keeps its own states: no push-button row, no
// fade timer, nothing drawn.
TEST_F(ButtonTest, CheckBoxStyleKeepsItsOwnStatesAndIsNotDrawn) {
  HWND check = CreateChild(form_, L"Button", L"Check", BS_AUTOCHECKBOX, 20, 120, kW, kH);
  ASSERT_EQ(skin::AttachWindow(check), 1);
  CursorOver(check);
  SendMessageW(check, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(check, "OLDSTATE"), 0);
  EXPECT_EQ(Prop(check, "TIMERID"), 0);
  HDC dc = GetWindowDC(check);
  RECT all{0, 0, kW, kH};
  HBRUSH magenta = CreateSolidBrush(0xFF00FF);
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  const int before = CountPixels(dc, 0, 0, kW, kH, 0xFF00FF);
  EXPECT_EQ(before, kW * kH) << "no rounded region clips a check box";
  skin::SetPropInt(check, "ALPHALEVEL", 255);
  skin::BlendButtonImage(check, nullptr);
  SendMessageW(check, WM_TIMER, 1, 0);
  EXPECT_EQ(CountPixels(dc, 0, 0, kW, kH, 0xFF00FF), before) << "nothing is drawn for a check box";
  ReleaseDC(check, dc);
}

TEST_F(ButtonTest, DisabledButtonAlwaysShowsImageThree) {
  skin::SetPropInt(button_, "OLDSTATE", 1);
  EnableWindow(button_, FALSE);
  skin::SetPropInt(button_, "OLDSTATE", 1);
  InvalidateRect(button_, nullptr, FALSE);
  UpdateWindow(button_);
  EXPECT_EQ(Prop(button_, "OLDSTATE"), 3);
  HDC screen = GetWindowDC(button_);
  EXPECT_EQ(GetPixel(screen, 3, 0), GetPixel(ImageDC(button_, 3), 3, 0));
  EXPECT_EQ(GetPixel(screen, 3, 0), skin::SheetPixel(skin::SheetButton, 3, 63));
  ReleaseDC(button_, screen);
}

// Hover, press, release: the button's own click runs inside the release,
// moves the focus away, and the button fades back to its normal face.
TEST_F(ButtonTest, TheRoadOfOneClick) {
  Log().focus_on_click = edit_;
  SetFocus(button_);
  CursorOver(button_);
  Send(WM_MOUSEMOVE);
  while (Prop(button_, "TIMERID") != 0) Send(WM_TIMER, 1, 0);
  Send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(Prop(button_, "OLDSTATE"), 2);
  Send(WM_LBUTTONUP);
  EXPECT_EQ(Log().clicks, 1);
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_TRUE(RowIs(button_, {0, 60, 0, true}));
  while (Prop(button_, "TIMERID") != 0) Send(WM_TIMER, 1, 0);
  HDC screen = GetWindowDC(button_);
  for (int x = 0; x < kW; x += 3)
    for (int y = 0; y < kH; y += 2) ASSERT_EQ(GetPixel(screen, x, y), GetPixel(ImageDC(button_, 0), x, y));
  ReleaseDC(button_, screen);
}

}  // namespace
}  // namespace skin_test
