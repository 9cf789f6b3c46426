// The calculator and the gallery at the DPI this process runs at, and the
// calculator moved to monitors of other DPIs (WM_DPICHANGED): laid out from
// their designs, nothing clipped, the skin's button drawn for its new size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "control_classes.h"
#include "form1.h"
#include "gallery_window.h"
#include "state/properties.h"
#include "support/engine_fixture.h"

namespace {

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

LOGFONTW FontOf(HWND window) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

class Form1DpiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form1_.set_message_box([](HWND, const wchar_t*, const wchar_t*, UINT) { return IDOK; });
    ASSERT_TRUE(form1_.Create(SW_SHOW));
    Pump();
  }
  void TearDown() override {
    form().Close();
    Pump();
  }
  forms::Form& form() { return form1_.form(); }
  void Pump() { forms::PumpPendingMessages(form()); }

  // What the system sends when the window reaches a monitor of that DPI:
  // the new DPI and a window rectangle for it at the same place.
  void MoveToDpi(int dpi) {
    RECT window{};
    GetWindowRect(form().window(), &window);
    const forms::FormDesign& design = tarnwick::Form1Design();
    RECT suggested{0, 0, Px(design.client_width, dpi), Px(design.client_height, dpi)};
    AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongPtrW(form().window(), GWL_STYLE)), FALSE, 0);
    OffsetRect(&suggested, window.left - suggested.left, window.top - suggested.top);
    SendMessageW(form().window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump();
  }

  // Every rectangle and font of the design at dpi, and the skin's images
  // and region of Command1 at its size.
  void ExpectLaidOutAt(int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    EXPECT_EQ(form().Dpi(), dpi);
    const forms::FormDesign& design = tarnwick::Form1Design();
    RECT client{};
    GetClientRect(form().window(), &client);
    EXPECT_EQ(client.right, Px(design.client_width, dpi));
    EXPECT_EQ(client.bottom, Px(design.client_height, dpi));
    for (int i = 0; i < static_cast<int>(design.control_count); ++i) {
      const forms::ControlDesign& d = design.controls[i];
      SCOPED_TRACE(std::string(d.name, d.name + wcslen(d.name)));
      const forms::FontDesign& font = d.font ? *d.font : *design.font;
      EXPECT_EQ(form().ControlFont(i).lfHeight, -MulDiv(font.tenth_points, dpi, 720));
      HWND w = form().ControlWindow(i);
      const RECT r = w ? RectInParent(w) : form().LabelRect(i);
      EXPECT_EQ(r.left, Px(d.left, dpi));
      EXPECT_EQ(r.top, Px(d.top, dpi));
      if (w) {
        EXPECT_EQ(r.right - r.left, Px(d.width, dpi));
        EXPECT_EQ(r.bottom - r.top, Px(d.height, dpi));
        EXPECT_EQ(FontOf(w).lfHeight, -MulDiv(font.tenth_points, dpi, 720)) << "the window's own font";
      } else {
        // A label sizes itself to its text in its font.
        EXPECT_NEAR(r.bottom - r.top, MulDiv(font.tenth_points, dpi, 720), 1 + dpi / 48);
      }
    }
    HWND button = form().ControlWindow(tarnwick::kCommand1);
    const int w = Px(975, dpi), h = Px(735, dpi);
    for (const char* name : {"0BMP", "1BMP", "2BMP", "3BMP"}) {
      BITMAP bm{};
      ASSERT_TRUE(GetObjectW(skin::GetPropHandle(button, name), sizeof bm, &bm)) << name;
      EXPECT_EQ(bm.bmWidth, w) << name;
      EXPECT_EQ(bm.bmHeight, h) << name;
    }
    EXPECT_TRUE(skin_test::HasRoundedRegion(button, w, h));
    // The images carry the caption drawn in the button's new font.
    HDC image = static_cast<HDC>(skin::GetPropHandle(button, "0HDC"));
    LOGFONTW selected{};
    GetObjectW(GetCurrentObject(image, OBJ_FONT), sizeof selected, &selected);
    EXPECT_EQ(selected.lfHeight, -MulDiv(90, dpi, 720));
  }

  tarnwick::Form1 form1_;
};

TEST_F(Form1DpiTest, StartsAtTheSystemDpiAndFollowsEveryMonitorsDpi) {
  const int start = SystemDpi();
  ExpectLaidOutAt(start);
  const LOGFONTW tips_at_start = FontOf(form().Tooltips());
  for (int dpi : {144, 192, 120, start}) {
    MoveToDpi(dpi);
    ExpectLaidOutAt(dpi);
    // The tool tips' font follows, from the system's font for the DPI.
    const LOGFONTW tips = FontOf(form().Tooltips());
    if (tips_at_start.lfHeight != 0) {
      EXPECT_NEAR(std::abs(tips.lfHeight), std::abs(tips_at_start.lfHeight) * dpi / double(start), 1.5)
          << "tool tips at " << dpi;
    }
  }
}

TEST(GalleryDpiTest, NothingIsClippedAtTheSystemDpi) {
  HWND gallery_window = gallery::CreateGalleryWindow(SW_SHOW, false);
  ASSERT_NE(gallery_window, nullptr);
  const int dpi = SystemDpi();
  RECT client{};
  GetClientRect(gallery_window, &client);
  EXPECT_EQ(client.right, MulDiv(640, dpi, 96));
  std::vector<HWND> children;
  for (HWND child = GetWindow(gallery_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_GT(children.size(), 20u);
  const int glyph = GetSystemMetrics(SM_CYMENUCHECK);
  for (HWND child : children) {
    wchar_t cls[64] = {}, text[128] = {};
    GetClassNameW(child, cls, 64);
    GetWindowTextW(child, text, 128);
    const std::wstring name = std::wstring(cls) + L" " + text;
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    const RECT r = RectInParent(child);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, client.right);
    EXPECT_LE(r.bottom, client.bottom);
    const std::wstring c = cls;
    if (c == gallery::kCheckBoxClass || c == gallery::kOptionButtonClass) {
      EXPECT_GE(r.bottom - r.top, glyph + 2) << "taller than the glyph";
    }
    if (c == L"Static" || c == gallery::kCheckBoxClass || c == gallery::kOptionButtonClass || c == L"Button") {
      // The text fits beside the glyph (or inside the button).
      HDC dc = GetDC(child);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
      SIZE extent{};
      GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
      SelectObject(dc, old);
      ReleaseDC(child, dc);
      const int room = r.right - r.left - (c == L"Static" || c == L"Button" ? 0 : glyph + 4);
      EXPECT_LE(extent.cx, room);
      EXPECT_LE(extent.cy, r.bottom - r.top);
    }
  }
  SendMessageW(gallery_window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(gallery_window));
}

}  // namespace
