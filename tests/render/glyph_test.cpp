// Check boxes and option buttons: the skin's glyph over the control's own
// painting, read back from the window.
#include <skin/skin.h>

#include <string>

#include "control_classes.h"
#include "support/family_fixture.h"
#include "gdi/colors.h"
#include "render/glyph_painter.h"
#include "render/sprite_sheets.h"

namespace skin_test {
namespace {

using skin::SheetCheck;
using skin::SheetOption;
using skin::SheetPixel;
using testsupport::Hex;

constexpr int kGlyph = 13;  // SM_CXMENUCHECK at 96 DPI

class GlyphTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ASSERT_EQ(GetSystemMetrics(SM_CXMENUCHECK), kGlyph);
    ASSERT_EQ(GetSystemMetrics(SM_CYMENUCHECK), kGlyph);
  }
  HWND Check(int y, int height, DWORD style = BS_AUTO3STATE) {
    return CreateChild(form_, gallery::kCheckBoxClass, L"Check", style, 10, y, 150, height);
  }
  HWND Option(int y, int height, DWORD style = BS_AUTORADIOBUTTON) {
    return CreateChild(form_, gallery::kOptionButtonClass, L"Option", style, 200, y, 150, height);
  }
};

// Every non-key pixel of a sheet cell shows at (x, y) of the window, except
// inside the window rectangle `covered` (where something is drawn over it).
::testing::AssertionResult CellShownAt(HWND window, int x, int y, skin::SpriteSheet sheet, int sx, int sy, int w,
                                       int h, RECT covered = {}) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const COLORREF want = SheetPixel(sheet, sx + i, sy + j);
      if (want == skin::kColorKey) continue;
      const POINT at{x + i, y + j};
      if (PtInRect(&covered, at)) continue;
      const COLORREF got = WindowPixel(window, x + i, y + j);
      if (got != want) {
        return ::testing::AssertionFailure() << "at (" << x + i << ", " << y + j << ") " << Hex(got) << " instead of "
                                             << Hex(want);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Where a 13 x 13 option glyph at y top has its 5 x 5 dot.
RECT DotRect(int top) { return RECT{4, top + 4, 9, top + 9}; }

TEST_F(GlyphTest, GlyphsSitWhereTheControlHeightPutsThem) {
  struct Case {
    int height, top;
  };
  // 17: (17 - 13) / 2 = 2; 18: 2.5 goes to 2; 20: 3.5 goes to 4.
  const Case cases[] = {{17, 2}, {18, 2}, {20, 4}};
  HWND checks[3], squares[3], options[3];
  for (int k = 0; k < 3; ++k) {
    checks[k] = Check(10 + 30 * k, cases[k].height);
    squares[k] = Check(100 + 30 * k, cases[k].height);
    options[k] = Option(10 + 30 * k, cases[k].height, BS_RADIOBUTTON);
    SendMessageW(checks[k], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(squares[k], BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageW(options[k], BM_SETCHECK, BST_CHECKED, 0);
  }
  Attach();
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE("height " + std::to_string(cases[k].height));
    const int top = cases[k].top;
    // The plain repaint of the control goes through the skin's routing.
    Repaint(checks[k]);
    Repaint(squares[k]);
    Repaint(options[k]);
    EXPECT_TRUE(CellShownAt(checks[k], 2, top + 2, SheetCheck, 0, 0, 9, 8)) << "check mark";
    EXPECT_TRUE(CellShownAt(squares[k], 3, top + 3, SheetCheck, 1, 9, 7, 7)) << "indeterminate square";
    EXPECT_TRUE(CellShownAt(options[k], 0, top, SheetOption, 0, 0, kGlyph, kGlyph, DotRect(top))) << "ring, unscaled";
    EXPECT_TRUE(CellShownAt(options[k], 4, top + 4, SheetCheck, 2, 18, 5, 5)) << "dot";

    // The check-box glyph is opaque and replaces 13 x 13 pixels; the rest
    // of its column gets the control's background, whatever the control
    // drew there.
    const COLORREF background = WindowPixel(checks[k], 140, 0);
    FloodWindow(checks[k], kMagenta);
    EXPECT_EQ(skin::PaintCheckBox(checks[k], 0, true), 1);
    EXPECT_EQ(WindowPixel(checks[k], 0, top), skin::kColorFrameEnabled);
    EXPECT_EQ(WindowPixel(checks[k], kGlyph - 1, top + kGlyph - 1), skin::kColorFrameEnabled);
    EXPECT_EQ(WindowPixel(checks[k], 1, top + 1), skin::kColorWhite);
    EXPECT_EQ(WindowPixel(checks[k], 0, top - 1), background);
    EXPECT_EQ(WindowPixel(checks[k], kGlyph, top), kMagenta);
    EXPECT_EQ(WindowPixel(checks[k], 0, top + kGlyph), background);
  }
}

TEST_F(GlyphTest, DisabledControlsLookPaleInEveryState) {
  HWND check = Check(10, 17);
  HWND option = Option(10, 17, BS_RADIOBUTTON);
  EnableWindow(check, FALSE);
  EnableWindow(option, FALSE);
  Attach();
  const int top = 2;
  for (int mark : {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE}) {
    SendMessageW(check, BM_SETCHECK, static_cast<WPARAM>(mark), 0);
    for (int state = 0; state <= 2; ++state) {
      SCOPED_TRACE("check " + std::to_string(mark) + ", state " + std::to_string(state));
      FloodWindow(check, kMagenta);
      skin::PaintCheckBox(check, state, true);
      EXPECT_EQ(WindowPixel(check, 0, top), skin::kColorFrameDisabled);
      EXPECT_EQ(WindowPixel(check, 6, top), skin::kColorFrameDisabled);
      // Hot and pressed would fill the inside from the sheet; disabled stays
      // white (corner pixels are clear of mark and square).
      EXPECT_EQ(WindowPixel(check, 1, top + 1), skin::kColorWhite);
      EXPECT_EQ(WindowPixel(check, 11, top + 11), skin::kColorWhite);
      if (mark == BST_CHECKED) {
        EXPECT_TRUE(CellShownAt(check, 2, top + 2, SheetCheck, 9, 0, 9, 8));
      } else if (mark == BST_INDETERMINATE) {
        EXPECT_TRUE(CellShownAt(check, 3, top + 3, SheetCheck, 10, 9, 7, 7));
      } else {
        EXPECT_EQ(WindowPixel(check, 6, top + 6), skin::kColorWhite);
      }
    }
  }
  for (int mark : {BST_UNCHECKED, BST_CHECKED}) {
    SendMessageW(option, BM_SETCHECK, static_cast<WPARAM>(mark), 0);
    for (int state = 0; state <= 2; ++state) {
      SCOPED_TRACE("option " + std::to_string(mark) + ", state " + std::to_string(state));
      skin::PaintOptionButton(option, state, true);
      EXPECT_TRUE(CellShownAt(option, 0, top, SheetOption, 0, 39, kGlyph, kGlyph, DotRect(top)));
      if (mark == BST_CHECKED) {
        EXPECT_TRUE(CellShownAt(option, 4, top + 4, SheetCheck, 11, 18, 5, 5)) << "pale dot";
      } else {
        EXPECT_EQ(WindowPixel(option, 6, top + 6), skin::kColorWhite) << "no dot";
      }
    }
  }
}

TEST_F(GlyphTest, HotAndPressedInsidesAndFrames) {
  HWND check = Check(10, 17);
  Attach();
  const int top = 2;
  skin::PaintCheckBox(check, 1, true);
  EXPECT_EQ(WindowPixel(check, 0, top), skin::kColorFrameEnabled);
  // The 11 x 5 inside cell stretched over 11 x 11: its first and last rows.
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(WindowPixel(check, 1 + i, top + 1), SheetPixel(SheetOption, 1 + i, 17)) << i;
    EXPECT_EQ(WindowPixel(check, 1 + i, top + 11), SheetPixel(SheetOption, 1 + i, 21)) << i;
  }
  skin::PaintCheckBox(check, 2, true);
  EXPECT_EQ(WindowPixel(check, 0, top), skin::kColorFramePressed);
  EXPECT_EQ(WindowPixel(check, 6, top + 1), SheetPixel(SheetOption, 6, 30));
}

TEST_F(GlyphTest, IndeterminateShowsTheSquareButAnOptionShowsNoDot) {
  HWND check = Check(10, 17);
  // An option button whose control reports the third check state.
  HWND option = Option(10, 17, BS_3STATE);
  SendMessageW(check, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageW(option, BM_SETCHECK, BST_INDETERMINATE, 0);
  ASSERT_EQ(SendMessageW(option, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  Attach();
  Repaint(check);
  Repaint(option);
  EXPECT_TRUE(CellShownAt(check, 3, 5, SheetCheck, 1, 9, 7, 7));
  EXPECT_TRUE(CellShownAt(option, 0, 2, SheetOption, 0, 0, kGlyph, kGlyph)) << "the ring alone";
}

TEST_F(GlyphTest, MouseMovesAlwaysDrawButRepeatsOfAStateDoNot) {
  HWND check = Check(10, 17);
  Attach();
  const int top = 2;
  const COLORREF hot_inside = SheetPixel(SheetOption, 6, 17);

  EXPECT_EQ(skin::PaintCheckBox(check, 1, false), 1);
  FloodWindow(check, kMagenta);
  EXPECT_EQ(skin::PaintCheckBox(check, 1, false), 0) << "same state, not forced";
  EXPECT_EQ(WindowPixel(check, 6, top + 1), kMagenta) << "nothing drawn";

  // Real mouse messages: every move redraws the hot glyph, forced.
  for (int round = 0; round < 2; ++round) {
    FloodWindow(check, kMagenta);
    SendMessageW(check, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(WindowPixel(check, 6, top + 1), hot_inside) << "move " << round;
  }
  EXPECT_EQ(Prop(check, "MOUSEFLAG"), 1);

  // Leaving draws the normal glyph once; a second leave draws nothing.
  FloodWindow(check, kMagenta);
  SendMessageW(check, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(check, 6, top + 1), skin::kColorWhite);
  EXPECT_EQ(Prop(check, "MOUSEFLAG"), 0);
  FloodWindow(check, kMagenta);
  SendMessageW(check, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(check, 6, top + 1), kMagenta);

  // The space key presses and releases the glyph.
  SendMessageW(check, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(WindowPixel(check, 0, top), skin::kColorFramePressed);
  SendMessageW(check, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(WindowPixel(check, 0, top), skin::kColorFrameEnabled);
}

TEST_F(GlyphTest, FocusRedrawsOptionButtonsOnly) {
  HWND check = Check(10, 17);
  HWND option = Option(10, 17);
  Attach();
  FloodWindow(option, kMagenta);
  FloodWindow(check, kMagenta);
  SendMessageW(option, WM_SETFOCUS, 0, 0);
  SendMessageW(check, WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(CellShownAt(option, 0, 2, SheetOption, 0, 0, kGlyph, kGlyph)) << "forced although OLDSTATE is 0";
  EXPECT_EQ(WindowPixel(check, 0, 2), kMagenta);
}

TEST_F(GlyphTest, ClickingOneOptionRedrawsTheDotItsNeighbourLost) {
  HWND first = Option(10, 17, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND second = Option(40, 17);
  HWND check = Check(10, 17);
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  Attach();
  Repaint(first);
  ASSERT_TRUE(CellShownAt(first, 4, 6, SheetCheck, 2, 18, 5, 5));

  // Whatever the first option's own procedure does about losing its mark,
  // only the skin can put its ring back before anything is repainted.
  FloodWindow(first, kMagenta);
  FloodWindow(check, kMagenta);
  SendMessageW(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(second, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(SendMessageW(second, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_EQ(SendMessageW(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  EXPECT_TRUE(CellShownAt(first, 0, 2, SheetOption, 0, 0, kGlyph, kGlyph)) << "redrawn in the normal state";
  EXPECT_EQ(WindowPixel(first, 6, 8), skin::kColorWhite) << "without its dot";
  EXPECT_TRUE(CellShownAt(second, 4, 6, SheetCheck, 2, 18, 5, 5)) << "the clicked one shows the dot";
  EXPECT_EQ(WindowPixel(check, 0, 2), skin::kColorFrameEnabled) << "check boxes of the group are redrawn too";
  EXPECT_EQ(Prop(first, "OLDSTATE"), 0);
}

// The form answers WM_CTLCOLORSTATIC with whatever brush the test puts here.
HBRUSH g_background = nullptr;
WNDPROC g_form_procedure = nullptr;

LRESULT CALLBACK ColouringFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC && g_background) return reinterpret_cast<LRESULT>(g_background);
  return CallWindowProcW(g_form_procedure, window, message, wParam, lParam);
}

TEST_F(GlyphTest, KeptGlyphsFollowTheBackgroundTheParentGives) {
  HWND option = Option(10, 17, BS_RADIOBUTTON);
  HWND check = Check(40, 17);
  SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
  // Below the skin, as the form's own procedure.
  g_form_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(form_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColouringFormProc)));
  Attach();
  const int top = 2;
  for (COLORREF colour : {COLORREF{0x3366CC}, COLORREF{0x22AA44}, COLORREF{0x3366CC}}) {
    SCOPED_TRACE(Hex(colour));
    HBRUSH brush = CreateSolidBrush(colour);
    g_background = brush;
    skin::PaintOptionButton(option, 0, true);
    skin::PaintCheckBox(check, 0, true);
    g_background = nullptr;
    DeleteObject(brush);
    // The ring's corners and the column above both glyphs.
    EXPECT_EQ(WindowPixel(option, 0, top), colour);
    EXPECT_EQ(WindowPixel(option, kGlyph - 1, top + kGlyph - 1), colour);
    EXPECT_EQ(WindowPixel(option, 0, 0), colour);
    EXPECT_EQ(WindowPixel(check, 0, 0), colour);
    EXPECT_TRUE(CellShownAt(option, 4, top + 4, SheetCheck, 2, 18, 5, 5)) << "dot";
  }
}

}  // namespace
}  // namespace skin_test
