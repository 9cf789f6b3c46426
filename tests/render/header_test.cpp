// List headers: whole repaints and item states from real mouse messages.
#include <skin/skin.h>

#include <commctrl.h>

#include "support/family_fixture.h"
#include "interact/control_states.h"
#include "render/header_painter.h"
#include "render/sprite_sheets.h"

namespace skin_test {
namespace {

using testsupport::Hex;

constexpr int kItemWidth = 80;  // items span 0-80, 80-160, 160-240
constexpr int kHeaderWidth = 300, kHeaderHeight = 24;

// The pixel one inside the top edge of a cell's stretched centre column.
COLORREF CellPixel(int cell_x) { return skin::SheetPixel(skin::SheetHeader, cell_x + 1, 1); }
const COLORREF kNormal = CellPixel(0), kHot = CellPixel(3), kPressed = CellPixel(6);

class HeaderTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ASSERT_NE(kNormal, kHot);
    ASSERT_NE(kHot, kPressed);
    ASSERT_NE(kNormal, kPressed);
    header_ = CreateChild(form_, WC_HEADERW, L"", HDS_BUTTONS | HDS_HORZ, 10, 10, kHeaderWidth, kHeaderHeight);
    const wchar_t* texts[] = {L"", L"名称", L"Size"};
    for (int i = 0; i < 3; ++i) {
      HDITEMW item{};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.cxy = kItemWidth;
      item.fmt = HDF_LEFT | HDF_STRING;
      item.pszText = const_cast<wchar_t*>(texts[i]);
      SendMessageW(header_, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    Attach();
  }
  // Item i's look, read clear of its text near its left edge.
  COLORREF ItemLook(int i) { return WindowPixel(header_, i * kItemWidth + 2, 1); }
  void Move(int x, WPARAM keys = 0) { SendMessageW(header_, WM_MOUSEMOVE, keys, MAKELPARAM(x, 5)); }
  HWND header_ = nullptr;
};

TEST_F(HeaderTest, RepaintShowsPressedOverHot) {
  Repaint(header_);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ItemLook(i), kNormal) << i;
  EXPECT_EQ(WindowPixel(header_, kHeaderWidth - 5, 0), skin::SheetPixel(skin::SheetHeader, 1, 0))
      << "background right of the last item";

  skin::SetPropInt(header_, "HMINDEX", 1);
  skin::SetPropInt(header_, "HDINDEX", 2);
  Repaint(header_);
  EXPECT_EQ(ItemLook(0), kNormal);
  EXPECT_EQ(ItemLook(1), kHot);
  EXPECT_EQ(ItemLook(2), kPressed);

  skin::SetPropInt(header_, "HDINDEX", 1);
  Repaint(header_);
  EXPECT_EQ(ItemLook(1), kPressed) << "pressed wins on the same item";
  EXPECT_EQ(ItemLook(2), kNormal);
}

TEST_F(HeaderTest, PaintHeaderItemDrawsOneItemOnly) {
  FloodWindow(header_, kMagenta);
  EXPECT_EQ(skin::PaintHeaderItem(header_, nullptr, -1, 1), 0);
  EXPECT_EQ(ItemLook(0), kMagenta) << "a negative index draws nothing";
  skin::PaintHeaderItem(header_, nullptr, 1, 2);
  EXPECT_EQ(ItemLook(1), kPressed);
  EXPECT_EQ(WindowPixel(header_, kItemWidth - 1, 1), kMagenta);
  EXPECT_EQ(WindowPixel(header_, 2 * kItemWidth, 1), kMagenta);
  skin::PaintHeaderItem(header_, nullptr, 1, 7);
  EXPECT_EQ(ItemLook(1), kNormal) << "any other state is normal";
}

TEST_F(HeaderTest, HitTestTakesTheFirstItemOnASharedEdge) {
  EXPECT_EQ(skin::HeaderHitTest(header_, 0), 0);
  EXPECT_EQ(skin::HeaderHitTest(header_, kItemWidth), 0);
  EXPECT_EQ(skin::HeaderHitTest(header_, kItemWidth + 1), 1);
  EXPECT_EQ(skin::HeaderHitTest(header_, 3 * kItemWidth), 2);
  EXPECT_EQ(skin::HeaderHitTest(header_, 3 * kItemWidth + 1), -1);
  EXPECT_EQ(skin::HeaderHitTest(header_, -1), -1);
}

TEST_F(HeaderTest, HoverFollowsTheMouseAndLeavesNothingHot) {
  Move(2 * kItemWidth + 20);
  EXPECT_EQ(Prop(header_, "HMINDEX"), 2);
  EXPECT_EQ(Prop(header_, "MOUSEFLAG"), 1);
  EXPECT_EQ(ItemLook(2), kHot);

  // Onto the edge shared with item 1: item 1 is hit, item 2 turns normal.
  Move(2 * kItemWidth);
  EXPECT_EQ(Prop(header_, "HMINDEX"), 1);
  EXPECT_EQ(ItemLook(1), kHot);
  EXPECT_EQ(ItemLook(2), kNormal);

  // Past the last item nothing is hot and the old hot item is repainted.
  FloodWindow(header_, kMagenta);
  Move(3 * kItemWidth + 20);
  EXPECT_EQ(Prop(header_, "HMINDEX"), -1);
  EXPECT_EQ(ItemLook(1), kNormal);

  Move(20);
  SendMessageW(header_, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Prop(header_, "HMINDEX"), -1);
  EXPECT_EQ(Prop(header_, "HDINDEX"), -1);
  EXPECT_EQ(Prop(header_, "MOUSEFLAG"), 0);
  EXPECT_EQ(ItemLook(0), kNormal);
}

TEST_F(HeaderTest, WhileHeldOnlyThePressedItemReacts) {
  Move(20);  // item 0 hot
  SendMessageW(header_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kItemWidth + 20, 5));
  EXPECT_EQ(Prop(header_, "HDINDEX"), 1);
  EXPECT_EQ(ItemLook(1), kPressed);

  FloodWindow(header_, kMagenta);
  Move(2 * kItemWidth + 20, MK_LBUTTON);
  EXPECT_EQ(ItemLook(2), kMagenta) << "no other item becomes hot";
  EXPECT_EQ(ItemLook(0), kNormal) << "the item hot before the press is normal";
  EXPECT_EQ(Prop(header_, "HMINDEX"), 0);

  FloodWindow(header_, kMagenta);
  Move(kItemWidth + 30, MK_LBUTTON);
  EXPECT_EQ(ItemLook(1), kPressed) << "back over the pressed item";
  EXPECT_EQ(Prop(header_, "HMINDEX"), 0) << "kept while the button is held";

  CursorAway();
  SendMessageW(header_, WM_LBUTTONUP, 0, MAKELPARAM(kItemWidth + 30, 5));
  EXPECT_EQ(Prop(header_, "HDINDEX"), -1);
  EXPECT_EQ(ItemLook(1), kNormal) << "released with the cursor elsewhere";
}

TEST_F(HeaderTest, ReleaseOverTheHeaderShowsTheItemHot) {
  POINT item1{kItemWidth + 20, 5};
  ClientToScreen(header_, &item1);
  SetCursorPos(item1.x, item1.y);
  SendMessageW(header_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(kItemWidth + 20, 5));
  EXPECT_EQ(Prop(header_, "HDINDEX"), 1) << "a double-click presses too";
  EXPECT_EQ(ItemLook(1), kPressed);
  SendMessageW(header_, WM_LBUTTONUP, 0, MAKELPARAM(kItemWidth + 20, 5));
  EXPECT_EQ(Prop(header_, "HDINDEX"), -1);
  EXPECT_EQ(ItemLook(1), kHot) << Hex(ItemLook(1));

  // A press off every item presses nothing and release paints nothing.
  FloodWindow(header_, kMagenta);
  SendMessageW(header_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kHeaderWidth - 5, 5));
  EXPECT_EQ(Prop(header_, "HDINDEX"), -1);
  SendMessageW(header_, WM_LBUTTONUP, 0, MAKELPARAM(kHeaderWidth - 5, 5));
  EXPECT_EQ(ItemLook(0), kMagenta);
}

}  // namespace
}  // namespace skin_test
