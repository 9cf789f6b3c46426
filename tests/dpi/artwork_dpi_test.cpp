// The skin's artwork at the DPI this process runs at (CTest runs this
// executable at 96, 120, 144 and 192 DPI): every glyph inside its control,
// the option ring round, the marks grown with the square of the scale.
#include <skin/skin.h>

#include <cmath>
#include <iterator>
#include <string>

#include "control_classes.h"
#include "gdi/area_scaling.h"
#include "gdi/colors.h"
#include "render/dpi_scaling.h"
#include "render/glyph_painter.h"
#include "render/sprite_sheets.h"
#include "support/family_fixture.h"

namespace skin_test {
namespace {

using skin::SheetPixel;
using testsupport::Hex;

// The ink of a colour over white: 0 for white, 1 for black. Over white a
// mark blended with coverage a leaves a times its own ink, so summed over a
// picture it measures the mark's area weighted by its darkness.
double Ink(COLORREF c) { return (765.0 - GetRValue(c) - GetGValue(c) - GetBValue(c)) / 765.0; }

double CellInk(skin::SpriteSheet sheet, int sx, int sy, int w, int h) {
  double ink = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = SheetPixel(sheet, sx + x, sy + y);
      if (c != skin::kColorKey) ink += Ink(c);
    }
  }
  return ink;
}

double WindowInk(HWND window, const RECT& area) {
  double ink = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) ink += Ink(WindowPixel(window, x, y));
  }
  return ink;
}

// Pixels of the window outside `keep` that are not the flood colour.
int ChangedOutside(HWND window, const RECT& keep) {
  RECT r;
  GetWindowRect(window, &r);
  int changed = 0;
  for (int y = 0; y < r.bottom - r.top; ++y) {
    for (int x = 0; x < r.right - r.left; ++x) {
      const POINT p{x, y};
      if (!PtInRect(&keep, p) && WindowPixel(window, x, y) != kMagenta) ++changed;
    }
  }
  return changed;
}

// Area averaging on its own: whole factors repeat pixels, other factors
// keep the artwork's total coverage, key pixels stay transparent.
TEST(AreaScaling, RepeatsConservesAndLeavesTheKeyOut) {
  const uint32_t K = 0xFF00FF, G = 0x00FF00;
  const uint32_t cell[] = {K, G, G, K};  // 2 x 2
  struct Case {
    double size;
    int canvas;
    double coverage;  // summed alpha of the result
  };
  const Case cases[] = {{2, 2, 2}, {4, 4, 8}, {3.1, 4, 2 * (3.1 * 3.1) / 4}, {6, 6, 18}};
  for (const Case& c : cases) {
    SCOPED_TRACE("size " + std::to_string(c.size));
    skin::CoverageImage image(c.canvas, c.canvas);
    image.Compose({cell, 2, 0, 0, 2, 2, K}, 0, 0, c.size, c.size);
    double sum = 0;
    for (int y = 0; y < c.canvas; ++y) {
      for (int x = 0; x < c.canvas; ++x) sum += image.Alpha(x, y);
    }
    EXPECT_NEAR(sum, c.coverage, 1e-9);
    EXPECT_EQ(image.Alpha(0, 0), 0.0) << "a key corner is transparent";
  }
  skin::CoverageImage doubled(4, 4);
  doubled.Compose({cell, 2, 0, 0, 2, 2, K}, 0, 0, 4, 4);
  const std::vector<uint32_t> bgra = doubled.PremultipliedBgra();
  EXPECT_EQ(bgra[2], 0xFF00FF00u) << "the green pixel, repeated whole";
  EXPECT_EQ(bgra[3 * 4 + 0], 0xFF00FF00u);
  EXPECT_EQ(bgra[0], 0u);
}

class ArtworkDpiTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    cx_ = GetSystemMetrics(SM_CXMENUCHECK);
    cy_ = GetSystemMetrics(SM_CYMENUCHECK);
    height_ = cy_ + 4;
    top_ = (height_ - cy_) / 2;
    scale_x_ = skin::ArtworkScale(cx_, 13);
    scale_y_ = skin::ArtworkScale(cy_, 13);
  }
  HWND Make(const wchar_t* cls, DWORD style, int y, LRESULT check) {
    HWND w = CreateChild(form_, cls, L"Glyph", style, 10, y, 150, height_);
    SendMessageW(w, BM_SETCHECK, static_cast<WPARAM>(check), 0);
    return w;
  }
  RECT Glyph() const { return RECT{0, top_, cx_, top_ + cy_}; }
  // The column the skin covers with the control's background before it
  // places its glyph, so that nothing of the platform's glyph shows.
  RECT Column() const { return RECT{0, 0, cx_, height_}; }
  int cx_ = 0, cy_ = 0, height_ = 0, top_ = 0;
  double scale_x_ = 1, scale_y_ = 1;
};

TEST_F(ArtworkDpiTest, CheckMarksStayInsideTheFrameAndGrowWithTheSquareOfTheScale) {
  struct Case {
    const char* name;
    LRESULT check;
    bool enabled;
    int sx, sy, w, h;  // the 96-DPI artwork
  };
  const Case cases[] = {
      {"check mark", BST_CHECKED, true, 0, 0, 9, 8},
      {"pale check mark", BST_CHECKED, false, 9, 0, 9, 8},
      {"indeterminate square", BST_INDETERMINATE, true, 1, 9, 7, 7},
      {"pale square", BST_INDETERMINATE, false, 10, 9, 7, 7},
  };
  HWND boxes[4];
  for (int i = 0; i < 4; ++i) {
    boxes[i] = Make(gallery::kCheckBoxClass, BS_AUTO3STATE, 10 + (height_ + 4) * i, cases[i].check);
    if (!cases[i].enabled) EnableWindow(boxes[i], FALSE);
  }
  Attach();
  for (int i = 0; i < 4; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.name) + " in a " + std::to_string(cx_) + " x " + std::to_string(cy_) + " glyph");
    FloodWindow(boxes[i], kMagenta);
    ASSERT_EQ(skin::PaintCheckBox(boxes[i], 0, true), 1);
    EXPECT_EQ(ChangedOutside(boxes[i], Column()), 0) << "the glyph stays inside its column";
    // The one-pixel frame is whole: no mark reaches it.
    const COLORREF frame = c.enabled ? skin::kColorFrameEnabled : skin::kColorFrameDisabled;
    for (int k = 0; k < cx_; ++k) {
      ASSERT_EQ(WindowPixel(boxes[i], k, top_), frame) << k;
      ASSERT_EQ(WindowPixel(boxes[i], k, top_ + cy_ - 1), frame) << k;
    }
    for (int k = 0; k < cy_; ++k) {
      ASSERT_EQ(WindowPixel(boxes[i], 0, top_ + k), frame) << k;
      ASSERT_EQ(WindowPixel(boxes[i], cx_ - 1, top_ + k), frame) << k;
    }
    // The inside is white but for the mark, whose ink grows with the square
    // of the artwork's scale (within 3 %), and with the square of the
    // glyph's own growth over 13 pixels within 10 %.
    const double ink = WindowInk(boxes[i], RECT{1, top_ + 1, cx_ - 1, top_ + cy_ - 1});
    const double base = CellInk(skin::SheetCheck, c.sx, c.sy, c.w, c.h);
    EXPECT_NEAR(ink / base, scale_x_ * scale_y_, 0.03 * scale_x_ * scale_y_);
    EXPECT_NEAR(ink / base, cx_ * cy_ / 169.0, 0.10 * cx_ * cy_ / 169.0);
  }
}

TEST_F(ArtworkDpiTest, OptionRingsStayRoundWithTheDotInTheirMiddle) {
  struct Case {
    const char* name;
    bool enabled, checked;
  };
  const Case cases[] = {{"checked", true, true}, {"unchecked", true, false}, {"disabled, checked", false, true}};
  HWND options[3];
  for (int i = 0; i < 3; ++i) {
    options[i] = Make(gallery::kOptionButtonClass, BS_RADIOBUTTON, 10 + (height_ + 4) * i,
                      cases[i].checked ? BST_CHECKED : BST_UNCHECKED);
    if (!cases[i].enabled) EnableWindow(options[i], FALSE);
  }
  Attach();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(cases[i].name);
    HWND option = options[i];
    FloodWindow(option, kMagenta);
    ASSERT_EQ(skin::PaintOptionButton(option, 0, true), 1);
    EXPECT_EQ(ChangedOutside(option, Column()), 0) << "the ring stays inside its column";
    // Round: the corners show the background (as the column above the
    // glyph), the middles of the sides the ring.
    const COLORREF background = WindowPixel(option, 0, 0);
    for (POINT corner : {POINT{0, 0}, POINT{cx_ - 1, 0}, POINT{0, cy_ - 1}, POINT{cx_ - 1, cy_ - 1}}) {
      EXPECT_EQ(WindowPixel(option, corner.x, top_ + corner.y), background)
          << "corner (" << corner.x << ", " << corner.y << ")";
    }
    for (POINT side : {POINT{cx_ / 2, 0}, POINT{0, cy_ / 2}, POINT{cx_ - 1, cy_ / 2}, POINT{cx_ / 2, cy_ - 1}}) {
      EXPECT_NE(WindowPixel(option, side.x, top_ + side.y), background)
          << "side (" << side.x << ", " << side.y << ")";
    }
    // The dot: its ink centred on the ring's centre within a quarter pixel.
    double ink = 0, mx = 0, my = 0;
    for (int y = 0; y < cy_; ++y) {
      for (int x = 0; x < cx_; ++x) {
        const COLORREF c = WindowPixel(option, x, top_ + y);
        // Green over the ring's bluish white: the dot's colours alone have
        // more green than red or blue.
        const double green =
            std::max(0, static_cast<int>(GetGValue(c)) - std::max<int>(GetRValue(c), GetBValue(c)));
        if (x < 2 || y < 2 || x >= cx_ - 2 || y >= cy_ - 2) continue;
        ink += green;
        mx += green * (x + 0.5);
        my += green * (y + 0.5);
      }
    }
    if (!cases[i].checked) {
      EXPECT_EQ(ink, 0) << "no dot";
      continue;
    }
    ASSERT_GT(ink, 0) << "a dot";
    EXPECT_NEAR(mx / ink, cx_ / 2.0, 0.25);
    EXPECT_NEAR(my / ink, cy_ / 2.0, 0.25);
  }
}

// The window's whole rectangle as its window DC shows it.
testsupport::PixelGrab GrabWindow(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HDC dc = GetWindowDC(window);
  testsupport::PixelGrab grab = testsupport::ReadPixels(dc, 0, 0, r.right - r.left, r.bottom - r.top);
  ReleaseDC(window, dc);
  return grab;
}

::testing::AssertionResult SamePixels(const testsupport::PixelGrab& want, const testsupport::PixelGrab& got) {
  if (want.width() != got.width() || want.height() != got.height()) return ::testing::AssertionFailure() << "sizes";
  for (int y = 0; y < want.height(); ++y) {
    for (int x = 0; x < want.width(); ++x) {
      if (want.At(x, y) != got.At(x, y)) {
        return ::testing::AssertionFailure() << "at (" << x << ", " << y << ") " << Hex(got.At(x, y))
                                             << " instead of " << Hex(want.At(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// The painters keep each glyph once composed and copy it after: the copy
// shows exactly the pixels of composing it anew on the window, for every
// state, mark, enabled state and placing (an even and an odd top).
TEST_F(ArtworkDpiTest, KeptGlyphsShowThePixelsOfComposingAnew) {
  struct Row {
    const wchar_t* cls;
    DWORD style;
    LRESULT mark;
    bool enabled;
  };
  const Row rows[] = {
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_UNCHECKED, true},
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_CHECKED, true},
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_INDETERMINATE, true},
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_UNCHECKED, false},
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_CHECKED, false},
      {gallery::kCheckBoxClass, BS_AUTO3STATE, BST_INDETERMINATE, false},
      {gallery::kOptionButtonClass, BS_RADIOBUTTON, BST_UNCHECKED, true},
      {gallery::kOptionButtonClass, BS_RADIOBUTTON, BST_CHECKED, true},
      {gallery::kOptionButtonClass, BS_3STATE, BST_INDETERMINATE, true},
      {gallery::kOptionButtonClass, BS_RADIOBUTTON, BST_UNCHECKED, false},
      {gallery::kOptionButtonClass, BS_RADIOBUTTON, BST_CHECKED, false},
  };
  constexpr size_t kRows = std::size(rows);
  const int heights[] = {height_, height_ + 3};
  HWND windows[kRows][2];
  for (size_t i = 0; i < kRows; ++i) {
    for (int h = 0; h < 2; ++h) {
      // Four columns of six: every control whole inside the form.
      const int column = 2 * static_cast<int>(i / 6) + h, row = static_cast<int>(i % 6);
      windows[i][h] = CreateChild(form_, rows[i].cls, L"Glyph", rows[i].style, 4 + 104 * column,
                                  4 + (height_ + 6) * row, 100, heights[h]);
      SendMessageW(windows[i][h], BM_SETCHECK, static_cast<WPARAM>(rows[i].mark), 0);
      if (!rows[i].enabled) EnableWindow(windows[i][h], FALSE);
    }
  }
  Attach();
  struct KeepGlyphs {
    ~KeepGlyphs() { skin::State().glyphs.keep = true; }
  } restore;
  for (size_t i = 0; i < kRows; ++i) {
    for (int h = 0; h < 2; ++h) {
      HWND w = windows[i][h];
      const bool check = rows[i].cls == gallery::kCheckBoxClass;
      auto paint = [&](int state) {
        FloodWindow(w, kMagenta);
        if (check) {
          skin::PaintCheckBox(w, state, true);
        } else {
          skin::PaintOptionButton(w, state, true);
        }
        return GrabWindow(w);
      };
      // State 7 stands for any the painters do not know: no ring.
      for (int state : {0, 1, 2, 7}) {
        SCOPED_TRACE(std::string(check ? "check box" : "option button") + ", mark " + std::to_string(rows[i].mark) +
                     (rows[i].enabled ? "" : ", disabled") + ", height " + std::to_string(heights[h]) +
                     ", state " + std::to_string(state));
        skin::State().glyphs.keep = false;
        const testsupport::PixelGrab anew = paint(state);
        skin::State().glyphs.keep = true;
        skin::ForgetComposedGlyphs();
        EXPECT_TRUE(SamePixels(anew, paint(state))) << "composed and kept";
        EXPECT_TRUE(SamePixels(anew, paint(state))) << "copied from the kept picture";
      }
    }
  }
}

TEST_F(ArtworkDpiTest, ComboArrowGrowsWithTheDropButton) {
  HWND combo = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 200, 200);
  HWND disabled = CreateChild(form_, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 100, 200, 200);
  EnableWindow(disabled, FALSE);
  Attach();
  const int strip = GetSystemMetrics(SM_CXVSCROLL) + 1;
  const double scale = skin::ArtworkScale(strip, 18);
  for (HWND w : {combo, disabled}) {
    const bool enabled = w == combo;
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    Repaint(w);
    RECT r;
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const RECT area{width - strip - 1, 1, width - 1, height - 1};
    // The arrow is the only ink of the white strip, all of it inside.
    RECT ink_box{area.right, area.bottom, area.left, area.top};
    double ink = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const double i = Ink(WindowPixel(w, x, y));
        if (i < 0.02) continue;
        ink += i;
        ink_box = RECT{std::min<LONG>(ink_box.left, x), std::min<LONG>(ink_box.top, y),
                       std::max<LONG>(ink_box.right, x + 1), std::max<LONG>(ink_box.bottom, y + 1)};
      }
    }
    EXPECT_GT(ink_box.left, area.left);
    EXPECT_LT(ink_box.right, area.right);
    EXPECT_GT(ink_box.top, area.top);
    EXPECT_LT(ink_box.bottom, area.bottom);
    const double base = CellInk(skin::SheetComboButton, 8, enabled ? 0 : 4, 7, 4);
    EXPECT_NEAR(ink / base, scale * scale, 0.03 * scale * scale);
  }
}

}  // namespace
}  // namespace skin_test
