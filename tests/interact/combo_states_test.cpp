// Combo boxes and drive lists: the drop button follows the mouse.
#include <skin/skin.h>

#include "control_classes.h"
#include "support/family_fixture.h"
#include "interact/control_states.h"
#include "render/sprite_sheets.h"

namespace skin_test {
namespace {

using testsupport::Hex;
constexpr int kW = 140;

class ComboStatesTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    edit_ = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL, 10, 10, kW, 150);
    list_ = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 60, kW, 150);
    drives_ = CreateChild(form_, gallery::kDriveListClass, L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 110, kW, 150);
    for (HWND c : {edit_, list_, drives_}) SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"c:"));
    Attach();
    RECT r;
    GetWindowRect(edit_, &r);
    height_ = r.bottom - r.top;
    strip_ = GetSystemMetrics(SM_CXVSCROLL) + 1;
  }
  void TearDown() override {
    for (HWND c : {edit_, list_, drives_}) SendMessageW(c, CB_SHOWDROPDOWN, FALSE, 0);
    FamilyTest::TearDown();
  }
  // The strip's background one pixel in from its left edge, clear of the
  // arrow.
  COLORREF Strip(HWND combo) { return WindowPixel(combo, kW - strip_, 2); }
  LPARAM OnButton() const { return MAKELPARAM(kW - 8, height_ / 2); }
  LPARAM OffButton() const { return MAKELPARAM(10, height_ / 2); }

  HWND edit_ = nullptr, list_ = nullptr, drives_ = nullptr;
  int height_ = 0, strip_ = 0;
  const COLORREF hot_ = skin::SheetPixel(skin::SheetComboButton, 1, 1);
  const COLORREF pressed_ = skin::SheetPixel(skin::SheetComboButton, 5, 1);
};

TEST_F(ComboStatesTest, DropButtonRectangleOfAnEditableCombo) {
  const int s = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_TRUE(skin::IsOnDropButton(edit_, kW - s - 2, 2));
  EXPECT_TRUE(skin::IsOnDropButton(edit_, kW - 2, height_ - 2));
  EXPECT_FALSE(skin::IsOnDropButton(edit_, kW - s - 3, 5));
  EXPECT_FALSE(skin::IsOnDropButton(edit_, kW - 1, 5));
  EXPECT_FALSE(skin::IsOnDropButton(edit_, kW - 8, 1));
  EXPECT_FALSE(skin::IsOnDropButton(edit_, kW - 8, height_ - 1));
}

TEST_F(ComboStatesTest, EditableDropDownReactsOnlyOnItsButton) {
  SendMessageW(edit_, WM_MOUSEMOVE, 0, OnButton());
  EXPECT_EQ(Strip(edit_), hot_) << Hex(Strip(edit_));
  EXPECT_EQ(Prop(edit_, "MOUSEFLAG"), 1);
  SendMessageW(edit_, WM_MOUSEMOVE, 0, OffButton());
  EXPECT_EQ(Strip(edit_), 0xFFFFFFu) << "off the button it shows normal";
  SendMessageW(edit_, WM_MOUSEMOVE, MK_LBUTTON, OnButton());
  EXPECT_EQ(Strip(edit_), pressed_) << "held over the button";
  SendMessageW(edit_, WM_MOUSEMOVE, 0, OffButton());

  FloodWindow(edit_, kMagenta);
  SendMessageW(edit_, WM_LBUTTONDOWN, MK_LBUTTON, OffButton());
  EXPECT_EQ(Strip(edit_), kMagenta) << "a press off the button paints nothing";
  EXPECT_EQ(Prop(edit_, "OLDSTATE"), 0);
  SendMessageW(edit_, WM_LBUTTONUP, 0, OffButton());

  SendMessageW(edit_, WM_LBUTTONDOWN, MK_LBUTTON, OnButton());
  EXPECT_EQ(Strip(edit_), pressed_) << "a press on it paints pressed";
  EXPECT_EQ(Prop(edit_, "OLDSTATE"), 2);
}

TEST_F(ComboStatesTest, DropDownListPressesAnywhere) {
  SendMessageW(list_, WM_MOUSEMOVE, 0, OffButton());
  EXPECT_EQ(Strip(list_), hot_) << "the whole control is the button";
  SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, OffButton());
  EXPECT_EQ(Strip(list_), pressed_);
  EXPECT_EQ(Prop(list_, "OLDSTATE"), 2);
}

TEST_F(ComboStatesTest, ReleaseShowsHotOverTheControlAndNormalAway) {
  for (HWND combo : {drives_, list_}) {
    SendMessageW(combo, WM_MOUSEMOVE, MK_LBUTTON, OffButton());
    ASSERT_EQ(Strip(combo), pressed_);
    CursorOnto(combo);
    SendMessageW(combo, WM_LBUTTONUP, 0, OffButton());
    EXPECT_EQ(Strip(combo), hot_) << "cursor over it";

    SendMessageW(combo, WM_MOUSEMOVE, MK_LBUTTON, OffButton());
    CursorAway();
    SendMessageW(combo, WM_LBUTTONUP, 0, OffButton());
    EXPECT_EQ(Strip(combo), 0xFFFFFFu) << "cursor elsewhere";

    SendMessageW(combo, WM_MOUSEMOVE, 0, OffButton());
    SendMessageW(combo, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Strip(combo), 0xFFFFFFu);
    EXPECT_EQ(Prop(combo, "MOUSEFLAG"), 0);
  }
}

}  // namespace
}  // namespace skin_test
