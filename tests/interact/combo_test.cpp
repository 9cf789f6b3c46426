// Combo boxes: the flat frame and the drop button, pixels read back.
#include <skin/skin.h>

#include "support/engine_fixture.h"
#include "render/combo_painter.h"
#include "render/sprite_sheets.h"
#include "state/properties.h"

namespace skin_test {
namespace {

constexpr int kW = 120;

class ComboTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    form_ = CreateForm(400, 300);
    list_ = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, kW, 150);
    edit_ = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL, 10, 50, kW, 150);
    simple_ = CreateChild(form_, L"ComboBox", L"", CBS_SIMPLE, 200, 10, kW, 80);
    for (HWND c : {list_, edit_, simple_}) SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    ShowWindow(form_, SW_SHOW);
    ASSERT_EQ(SkinAttach(form_), 1);
    Pump();
    RECT r;
    GetWindowRect(list_, &r);
    height_ = r.bottom - r.top;
    strip_ = GetSystemMetrics(SM_CXVSCROLL) + 1;
  }
  void TearDown() override {
    SkinDetach(form_);
    DestroyWindow(form_);
    EngineTest::TearDown();
  }
  // A pixel of the strip's background, clear of the arrow.
  COLORREF StripPixel(HWND combo) { return WindowPixel(combo, kW - strip_ - 1 + 1, 2); }
  HWND form_ = nullptr, list_ = nullptr, edit_ = nullptr, simple_ = nullptr;
  int height_ = 0, strip_ = 0;
};

TEST_F(ComboTest, StatesOfTheDropButton) {
  int state = skin::kStateHot;
  skin::PaintComboButton(list_, nullptr, state, false);
  EXPECT_EQ(skin::GetPropInt(list_, "OLDSTATE"), 1);
  EXPECT_EQ(StripPixel(list_), skin::SheetPixel(skin::SheetComboButton, 1, 1));

  // The same state again, unforced, draws nothing; forced, it redraws.
  FloodWindow(list_, 0xFF00FF);
  skin::PaintComboButton(list_, nullptr, state, false);
  EXPECT_EQ(StripPixel(list_), 0xFF00FFu);
  skin::PaintComboButton(list_, nullptr, state, true);
  EXPECT_EQ(StripPixel(list_), skin::SheetPixel(skin::SheetComboButton, 1, 1));

  // Geometry: the strip ends one pixel before the window's right edge.
  EXPECT_EQ(WindowPixel(list_, kW - 1, height_ / 2), 0xFF00FFu);
  EXPECT_NE(WindowPixel(list_, kW - 2, height_ / 2), 0xFF00FFu);
  EXPECT_EQ(WindowPixel(list_, kW - strip_ - 2, height_ / 2), 0xFF00FFu);

  state = skin::kStateNormal;
  skin::PaintComboButton(list_, nullptr, state, false);
  EXPECT_EQ(StripPixel(list_), 0xFFFFFFu);
  // Arrow: centred, enabled colour.
  const int ax = kW - strip_ - 1 + (strip_ - 7) / 2 + 3;
  EXPECT_EQ(WindowPixel(list_, ax, 1 + (height_ - 6 + 1) / 2), 0x5F5519u);
}

TEST_F(ComboTest, OpenListKeepsTheButtonPressed) {
  SendMessageW(list_, CB_SHOWDROPDOWN, TRUE, 0);
  int state = skin::kStateHot;
  skin::PaintComboButton(list_, nullptr, state, false);
  EXPECT_EQ(state, skin::kStatePressed) << "the caller's state becomes pressed";
  EXPECT_EQ(skin::GetPropInt(list_, "OLDSTATE"), 2);
  EXPECT_EQ(StripPixel(list_), skin::SheetPixel(skin::SheetComboButton, 5, 1));
  SendMessageW(list_, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboTest, SimpleComboHasNoDropButton) {
  skin::SetPropInt(simple_, "OLDSTATE", 0);
  int state = skin::kStateHot;
  skin::PaintComboButton(simple_, nullptr, state, true);
  EXPECT_EQ(skin::GetPropInt(simple_, "OLDSTATE"), 0) << "left as it was";
  InvalidateRect(simple_, nullptr, TRUE);
  UpdateWindow(simple_);
  EXPECT_EQ(WindowPixel(simple_, 0, 0), 0xD5A554u) << "but it is framed";
}

TEST_F(ComboTest, PaintFramesBothStylesAndShowsDisabledLook) {
  InvalidateRect(edit_, nullptr, TRUE);
  UpdateWindow(edit_);
  EXPECT_EQ(WindowPixel(edit_, 0, 0), 0xD5A554u);
  EXPECT_EQ(WindowPixel(edit_, 1, 1), 0xFFFFFFu) << "the editable drop-down is filled white by the skin";

  EnableWindow(list_, FALSE);
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
  EXPECT_EQ(WindowPixel(list_, 0, 0), 0xE9CFA4u);
  EXPECT_EQ(WindowPixel(list_, 1, 1), 0xFFFFFFu);
  const int ax = kW - strip_ - 1 + (strip_ - 7) / 2 + 3;
  EXPECT_EQ(WindowPixel(list_, ax, 1 + (height_ - 6 + 1) / 2), 0xACA584u) << "the pale arrow";
}

TEST_F(ComboTest, MovingAHotComboShowsItNormal) {
  int state = skin::kStateHot;
  skin::PaintComboButton(list_, nullptr, state, false);
  WINDOWPOS pos{list_, nullptr, 12, 12, kW, 150, SWP_NOZORDER};
  SendMessageW(list_, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  EXPECT_EQ(skin::GetPropInt(list_, "OLDSTATE"), 0);
  EXPECT_EQ(StripPixel(list_), 0xFFFFFFu);

  FloodWindow(list_, 0xFF00FF);
  SendMessageW(list_, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  EXPECT_EQ(StripPixel(list_), 0xFF00FFu) << "a normal one is not redrawn";
}

}  // namespace
}  // namespace skin_test
