// Every painter of these families frees what it makes, on every path.
#include <skin/skin.h>

#include <commctrl.h>

#include "control_classes.h"
#include "support/family_fixture.h"
#include "render/glyph_painter.h"
#include "render/header_painter.h"
#include "support/gdi_count.h"

namespace skin_test {
namespace {

using testsupport::CountGdiObjects;

TEST_F(FamilyTest, PaintingEveryFamilyLeavesTheGdiObjectCountUnchanged) {
  HWND check = CreateChild(form_, gallery::kCheckBoxClass, L"c", BS_AUTO3STATE, 10, 10, 100, 17);
  HWND option = CreateChild(form_, gallery::kOptionButtonClass, L"o", BS_AUTORADIOBUTTON, 10, 40, 100, 17);
  HWND bar = CreateChild(form_, gallery::kProgressBarClass, L"", PBS_SMOOTH, 10, 70, 100, 12);
  HWND header = CreateChild(form_, WC_HEADERW, L"", HDS_BUTTONS, 10, 100, 200, 24);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.cxy = 60;
  item.pszText = const_cast<wchar_t*>(L"名称");
  SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(bar, PBM_SETPOS, 50, 0);
  Attach();

  auto paint_all = [&] {
    for (int state = 0; state < 3; ++state) {
      skin::PaintCheckBox(check, state, true);
      skin::PaintOptionButton(option, state, true);
      skin::PaintHeaderItem(header, nullptr, 0, state);
    }
    for (HWND w : {check, option, bar, header}) Repaint(w);
  };
  paint_all();
  const int baseline = CountGdiObjects();
  ASSERT_GT(baseline, 0);
  for (int i = 0; i < 20; ++i) paint_all();
  EXPECT_EQ(CountGdiObjects(), baseline);
}

}  // namespace
}  // namespace skin_test
