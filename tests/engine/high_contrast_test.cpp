// High-contrast mode while attached: on, every control shows the platform's
// look pixel for pixel; off, the skin's look returns pixel for pixel; and
// switching loses no window and frees or leaks no drawing object.
#include <skin/skin.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "control_classes.h"
#include "support/family_fixture.h"
#include "support/gdi_count.h"
#include "support/simulated_high_contrast.h"

namespace skin_test {
namespace {

using testsupport::PixelGrab;

void RedrawAll(HWND form) {
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
}

PixelGrab Grab(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HDC dc = GetWindowDC(window);
  PixelGrab grab = testsupport::ReadPixels(dc, 0, 0, r.right - r.left, r.bottom - r.top);
  ReleaseDC(window, dc);
  return grab;
}

int Differences(const PixelGrab& a, const PixelGrab& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += a.At(x, y) != b.At(x, y);
  }
  return count;
}

// What the system sends to top-level windows when the mode changes.
void AnnounceModeChange(HWND form) {
  SendMessageW(form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
}

TEST_F(FamilyTest, HighContrastShowsThePlatformsLookAndTheSkinsComesBackExactly) {
  testsupport::SimulatedHighContrast mode;
  ASSERT_TRUE(mode.installed());
  struct Control {
    const wchar_t* cls;
    DWORD style, ex_style;
    int x, y, w, h;
    bool skin_differs;  // the skin draws something of its own here
  };
  const Control table[] = {
      {L"Button", BS_PUSHBUTTON, 0, 10, 10, 90, 26, true},
      {gallery::kCheckBoxClass, BS_AUTOCHECKBOX, 0, 10, 50, 120, 17, true},
      {gallery::kOptionButtonClass, BS_AUTORADIOBUTTON, 0, 10, 80, 120, 17, true},
      {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0, 150, 10, 150, 120, true},
      {L"ComboBox", CBS_DROPDOWN | WS_VSCROLL, 0, 150, 50, 150, 120, true},
      {gallery::kProgressBarClass, PBS_SMOOTH, 0, 150, 90, 150, 16, true},
      {L"Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 150, 120, 150, 22, true},
      {WC_HEADERW, HDS_BUTTONS, 0, 10, 160, 290, 24, true},
  };
  std::vector<HWND> windows;
  for (const Control& c : table) {
    windows.push_back(CreateChild(form_, c.cls, L"样式 Look", c.style, c.x, c.y, c.w, c.h, c.ex_style));
  }
  HWND disabled = CreateChild(form_, L"Button", L"Off", BS_PUSHBUTTON, 10, 200, 90, 26);
  EnableWindow(disabled, FALSE);
  windows.push_back(disabled);
  SendMessageW(windows[1], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(windows[2], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(windows[5], PBM_SETPOS, 40, 0);
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.cxy = 80;
  item.pszText = const_cast<wchar_t*>(L"名称");
  SendMessageW(windows[7], HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  SetFocus(form_);

  RedrawAll(form_);
  std::vector<PixelGrab> platform, skinned;
  for (HWND w : windows) platform.push_back(Grab(w));
  Attach();
  RedrawAll(form_);
  for (HWND w : windows) skinned.push_back(Grab(w));
  for (size_t i = 0; i < std::size(table); ++i) {
    EXPECT_GT(Differences(platform[i], skinned[i]), 0) << "control " << i << " is skinned";
  }
  const int attached = skin::State().attached_count;

  // One round to warm up the paths that allocate for good, then count.
  int objects = 0;
  for (int round = 0; round < 3; ++round) {
    if (round == 1) objects = testsupport::CountGdiObjects();
    SCOPED_TRACE("round " + std::to_string(round));
    mode.Set(true);
    AnnounceModeChange(form_);
    RedrawAll(form_);
    // Mouse and keys reach the controls, and the skin still draws nothing.
    SendMessageW(windows[1], WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(windows[0], WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    SendMessageW(windows[1], WM_MOUSELEAVE, 0, 0);
    SendMessageW(windows[0], WM_MOUSELEAVE, 0, 0);
    RedrawAll(form_);
    for (size_t i = 0; i < windows.size(); ++i) {
      EXPECT_EQ(Differences(Grab(windows[i]), platform[i]), 0) << "control " << i << " in the platform's look";
      EXPECT_TRUE(skin::IsAttached(windows[i])) << "control " << i << " stays attached";
    }
    EXPECT_EQ(skin::State().attached_count, attached);

    mode.Set(false);
    AnnounceModeChange(form_);
    RedrawAll(form_);
    for (size_t i = 0; i < windows.size(); ++i) {
      EXPECT_EQ(Differences(Grab(windows[i]), skinned[i]), 0) << "control " << i << " in the skin's look";
    }
    EXPECT_TRUE(HasRoundedRegion(windows[0], 90, 26));
  }
  ASSERT_GT(objects, 0);
  EXPECT_EQ(testsupport::CountGdiObjects(), objects);

  // Detached while the mode is on: everything the window had comes back.
  mode.Set(true);
  AnnounceModeChange(form_);
  EXPECT_EQ(SkinDetach(form_), 1);
  attached_ = false;
  for (HWND w : windows) EXPECT_TRUE(HasNoSkinProps(w));
  EXPECT_EQ(GetWindowLongPtrW(windows[0], GWL_STYLE) & 0xF, BS_PUSHBUTTON);
}

}  // namespace
}  // namespace skin_test
