// Progress bars: the client area is white with a flat fill.
#include <skin/skin.h>

#include <commctrl.h>

#include "control_classes.h"
#include "support/family_fixture.h"
#include "gdi/colors.h"

namespace skin_test {
namespace {

using testsupport::Hex;
constexpr COLORREF kFill = skin::kColorProgressFill;
constexpr COLORREF kWhite = skin::kColorWhite;

class ProgressTest : public FamilyTest {
 protected:
  HWND Bar(int x, int y, int w, int h, DWORD style = PBS_SMOOTH) {
    HWND bar = CreateChild(form_, gallery::kProgressBarClass, L"", style, x, y, w, h);
    SendMessageW(bar, PBM_SETRANGE32, 0, 30000);
    return bar;
  }
  void Show(HWND bar, int position) {
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    Repaint(bar);
  }
  COLORREF At(HWND bar, int x, int y) {
    HDC dc = GetDC(bar);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(bar, dc);
    return c;
  }
};

TEST_F(ProgressTest, HorizontalBarsFillFromTheLeft) {
  HWND bar = Bar(10, 10, 100, 12);
  Attach();
  Show(bar, 0);
  EXPECT_EQ(At(bar, 0, 6), kWhite);
  EXPECT_EQ(At(bar, 99, 6), kWhite);

  Show(bar, 15000);
  EXPECT_EQ(At(bar, 0, 0), kFill);
  EXPECT_EQ(At(bar, 49, 11), kFill);
  EXPECT_EQ(At(bar, 50, 0), kWhite) << Hex(At(bar, 50, 0));

  Show(bar, 30000);
  EXPECT_EQ(At(bar, 99, 11), kFill);
}

TEST_F(ProgressTest, VerticalBarsFillFromTheBottom) {
  HWND bar = Bar(10, 10, 20, 100, PBS_SMOOTH | PBS_VERTICAL);
  HWND thin = Bar(40, 10, 20, 5, PBS_SMOOTH | PBS_VERTICAL);
  Attach();
  Show(bar, 7500);
  EXPECT_EQ(At(bar, 10, 74), kWhite);
  EXPECT_EQ(At(bar, 10, 75), kFill);
  EXPECT_EQ(At(bar, 10, 99), kFill);

  // 5 x 0.5 = 2.5 rounds to 2 both as the height and as the start.
  Show(thin, 15000);
  EXPECT_EQ(At(thin, 10, 1), kWhite);
  EXPECT_EQ(At(thin, 10, 2), kFill);
  EXPECT_EQ(At(thin, 10, 3), kFill);
  EXPECT_EQ(At(thin, 10, 4), kWhite);
}

TEST_F(ProgressTest, ARangeBeyondFullFillsTheBarAndNoMore) {
  HWND bar = Bar(10, 10, 100, 12);
  HWND tall = Bar(120, 10, 20, 60, PBS_SMOOTH | PBS_VERTICAL);
  HWND below = Bar(10, 100, 100, 12);
  SendMessageW(bar, PBM_SETRANGE32, 0, 90000);
  SendMessageW(tall, PBM_SETRANGE32, 0, 90000);
  SendMessageW(below, PBM_SETRANGE32, -30000, 30000);
  Attach();
  Show(bar, 90000);
  Show(tall, 90000);
  Show(below, -15000);
  EXPECT_EQ(At(bar, 0, 0), kFill);
  EXPECT_EQ(At(bar, 99, 11), kFill);
  EXPECT_EQ(At(tall, 10, 0), kFill);
  EXPECT_EQ(At(tall, 10, 59), kFill);
  EXPECT_EQ(At(below, 0, 6), kWhite) << "a position below 0 shows an empty bar";
}

}  // namespace
}  // namespace skin_test
