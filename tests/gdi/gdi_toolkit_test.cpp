// The drawing toolkit against real DCs and windows, checked pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "gdi/gdi_toolkit.h"
#include "support/pixels.h"

namespace {

using testsupport::DibCanvas;
using testsupport::Hex;

constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kMagenta = 0xFF00FF;

// A source whose every pixel has its own colour, so a read-back pixel tells
// exactly which source pixel it came from.
COLORREF SourceColour(int x, int y) { return RGB(20 + x * 30, 5 + y * 10, 100); }

void PaintSource(DibCanvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) canvas.Set(x, y, SourceColour(x, y));
  }
}

// Row of the source that a destination pixel came from, -1 if none.
int SourceRowOf(COLORREF pixel, int x) {
  for (int y = 0; y < 64; ++y) {
    if (SourceColour(x, y) == pixel) return y;
  }
  return -1;
}

void ExpectUnchangedOutside(const DibCanvas& canvas, RECT inside, COLORREF background) {
  int wrong = 0;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const POINT p{x, y};
      if (PtInRect(&inside, p)) continue;
      if (canvas.Get(x, y) != background && wrong++ < 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << " outside the target is " << Hex(canvas.Get(x, y));
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

// Made for the call from a display DC, and from the held display objects
// (a memory DC holding a display-format bitmap): the same kind of bitmap.
TEST(MemoryDC, HoldsABitmapOfTheRequestedSizeInTheDisplayFormat) {
  for (const bool held : {false, true}) {
    SCOPED_TRACE(held ? "held display objects" : "display DC per call");
    if (held) skin::HoldDisplayObjects();
    HDC dc = skin::CreateMemoryDC(37, 11);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    BITMAP info{};
    ASSERT_EQ(GetObject(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 37);
    EXPECT_EQ(info.bmHeight, 11);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);

    // Drawable: every colour set reads back exactly.
    SetPixel(dc, 36, 10, 0x123456);
    EXPECT_EQ(GetPixel(dc, 36, 10), 0x123456u);

    // Deleting frees the DC and the bitmap it held, not just the DC.
    skin::DeleteMemoryDC(dc);
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    skin::DeleteMemoryDC(nullptr);  // ignored
    if (held) skin::ReleaseDisplayObjects();
  }
}

TEST(StretchSprite, ZeroSizesDrawNothingAndReturnZero) {
  DibCanvas source(7, 21);
  PaintSource(source);
  DibCanvas dest(40, 40);
  const int sizes[][4] = {{0, 25, 7, 21}, {30, 0, 7, 21}, {30, 25, 0, 21}, {30, 25, 7, 0}};
  for (const auto& s : sizes) {
    dest.Fill(kGrey);
    EXPECT_EQ(skin::StretchSprite(dest.dc(), 2, 2, s[0], s[1], source.dc(), 0, 0, s[2], s[3], 3, 3, 3, 3), 0);
    EXPECT_EQ(skin::StretchSprite(dest.dc(), 2, 2, s[0], s[1], source.dc(), 0, 0, s[2], s[3], 3, 3, 3, 3, kMagenta),
              0);
    ExpectUnchangedOutside(dest, RECT{0, 0, 0, 0}, kGrey);
  }
}

TEST(StretchSprite, NineSliceKeepsCornersAndStretchesSidesAndCentre) {
  // A 7 x 21 cell at (0, 21) of a taller sheet, into 75 x 25 at (10, 5).
  DibCanvas source(7, 42);
  PaintSource(source);
  DibCanvas dest(100, 40);
  dest.Fill(kGrey);
  EXPECT_NE(skin::StretchSprite(dest.dc(), 10, 5, 75, 25, source.dc(), 0, 21, 7, 21, 3, 3, 3, 3), 0);

  auto at = [&](int x, int y) { return dest.Get(10 + x, 5 + y); };
  // Corners: unscaled.
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(at(i, j), SourceColour(i, 21 + j)) << "top-left " << i << "," << j;
      EXPECT_EQ(at(72 + i, j), SourceColour(4 + i, 21 + j)) << "top-right " << i << "," << j;
      EXPECT_EQ(at(i, 22 + j), SourceColour(i, 39 + j)) << "bottom-left " << i << "," << j;
      EXPECT_EQ(at(72 + i, 22 + j), SourceColour(4 + i, 39 + j)) << "bottom-right " << i << "," << j;
    }
  }
  // Top and bottom sides and the centre: the 1-pixel centre column fills
  // the 69-pixel band.
  for (int x = 3; x < 72; ++x) {
    for (int j = 0; j < 3; ++j) {
      ASSERT_EQ(at(x, j), SourceColour(3, 21 + j)) << "top side " << x << "," << j << " " << Hex(at(x, j));
      ASSERT_EQ(at(x, 22 + j), SourceColour(3, 39 + j)) << "bottom side " << x << "," << j;
    }
  }
  // Left side, right side and centre rows: the 15 source rows 24..38 fill
  // the 19-pixel band in order, each at least once, first and last in place.
  std::vector<int> rows;
  for (int y = 3; y < 22; ++y) {
    const int row = SourceRowOf(at(0, y), 0);
    ASSERT_GE(row, 24) << "left side row " << y << " " << Hex(at(0, y));
    ASSERT_LE(row, 38) << "left side row " << y;
    rows.push_back(row);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(at(i, y), SourceColour(i, row)) << "left side " << i << "," << y;
      EXPECT_EQ(at(72 + i, y), SourceColour(4 + i, row)) << "right side " << i << "," << y;
    }
    for (int x = 3; x < 72; ++x) ASSERT_EQ(at(x, y), SourceColour(3, row)) << "centre " << x << "," << y;
  }
  EXPECT_EQ(rows.front(), 24);
  EXPECT_EQ(rows.back(), 38);
  for (size_t i = 1; i < rows.size(); ++i) {
    EXPECT_GE(rows[i], rows[i - 1]);
    EXPECT_LE(rows[i], rows[i - 1] + 1) << "source row skipped";
  }
  ExpectUnchangedOutside(dest, RECT{10, 5, 85, 30}, kGrey);
}

TEST(StretchSprite, OnlyLeftEdgeDrawsLeftSideAndCentre) {
  DibCanvas source(7, 21);
  PaintSource(source);
  DibCanvas dest(30, 50);
  dest.Fill(kGrey);
  EXPECT_NE(skin::StretchSprite(dest.dc(), 1, 2, 20, 42, source.dc(), 0, 0, 7, 21, 5, 0, 0, 0), 0);
  // Twice the height: every source row shows in two destination rows, and
  // the left 5 columns are unscaled horizontally.
  for (int y = 0; y < 42; ++y) {
    for (int i = 0; i < 5; ++i) {
      ASSERT_EQ(dest.Get(1 + i, 2 + y), SourceColour(i, y / 2)) << "left side " << i << "," << y;
    }
    for (int x = 5; x < 20; ++x) {
      const COLORREF pixel = dest.Get(1 + x, 2 + y);
      ASSERT_TRUE(pixel == SourceColour(5, y / 2) || pixel == SourceColour(6, y / 2))
          << "centre " << x << "," << y << " " << Hex(pixel);
    }
  }
  ExpectUnchangedOutside(dest, RECT{1, 2, 21, 44}, kGrey);
}

TEST(StretchSprite, NoEdgesIsOnePlainStretchOfTheCell) {
  DibCanvas source(4, 4);
  PaintSource(source);
  DibCanvas dest(10, 10);
  dest.Fill(kGrey);
  // The 2 x 2 cell at (1, 1) tripled.
  EXPECT_NE(skin::StretchSprite(dest.dc(), 2, 2, 6, 6, source.dc(), 1, 1, 2, 2, 0, 0, 0, 0), 0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(dest.Get(2 + x, 2 + y), SourceColour(1 + x / 3, 1 + y / 3)) << x << "," << y;
    }
  }
  ExpectUnchangedOutside(dest, RECT{2, 2, 8, 8}, kGrey);
}

// Drawn straight into an off-screen destination, or composed in a
// temporary image and copied (the keyed path, with a key the cell does not
// contain): the same pixels, growing or shrinking, and nothing outside the
// rectangle.
TEST(StretchSprite, DirectAndComposedDrawingAgree) {
  DibCanvas cell(7, 21);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 7; ++x) cell.Set(x, y, RGB(30 * x, 10 * y, 255 - 12 * y));
  const int sizes[][2] = {{75, 25}, {7, 21}, {6, 8}, {40, 10}, {3, 30}};
  for (const auto& size : sizes) {
    DibCanvas direct(90, 40), composed(90, 40);
    direct.Fill(0x00FF00);
    composed.Fill(0x00FF00);
    skin::StretchSprite(direct.dc(), 4, 3, size[0], size[1], cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3);
    skin::StretchSprite(composed.dc(), 4, 3, size[0], size[1], cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3, 0x010203u);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 90; ++x)
        ASSERT_EQ(direct.Get(x, y), composed.Get(x, y))
            << size[0] << "x" << size[1] << " at " << x << "," << y << ": " << Hex(direct.Get(x, y));
  }
}

TEST(StretchSprite, KeyedDrawLeavesKeyPixelsTransparentEvenWhenStretched) {
  // A ring-like cell: blue frame around a magenta centre, magenta corners.
  DibCanvas source(5, 5);
  source.Fill(0xC00000);
  for (int y = 1; y < 4; ++y) {
    for (int x = 1; x < 4; ++x) source.Set(x, y, kMagenta);
  }
  source.Set(0, 0, kMagenta);
  source.Set(4, 4, kMagenta);
  DibCanvas dest(40, 40);
  dest.Fill(kGrey);
  EXPECT_EQ(skin::StretchSprite(dest.dc(), 5, 5, 30, 20, source.dc(), 0, 0, 5, 5, 1, 1, 1, 1, kMagenta), 1);
  EXPECT_EQ(dest.Get(5, 5), kGrey) << "key corner";
  EXPECT_EQ(dest.Get(34, 24), kGrey) << "key corner";
  EXPECT_EQ(dest.Get(34, 5), 0xC00000u);
  EXPECT_EQ(dest.Get(5, 24), 0xC00000u);
  for (int y = 6; y < 24; ++y) {
    for (int x = 6; x < 34; ++x) ASSERT_EQ(dest.Get(x, y), kGrey) << "stretched key " << x << "," << y;
  }
  for (int x = 6; x < 34; ++x) {
    EXPECT_EQ(dest.Get(x, 5), 0xC00000u) << x;
    EXPECT_EQ(dest.Get(x, 24), 0xC00000u) << x;
  }
  ExpectUnchangedOutside(dest, RECT{5, 5, 35, 25}, kGrey);

  // Without a key the whole rectangle is replaced, magenta included.
  dest.Fill(kGrey);
  EXPECT_NE(skin::StretchSprite(dest.dc(), 5, 5, 30, 20, source.dc(), 0, 0, 5, 5, 1, 1, 1, 1), 0);
  EXPECT_EQ(dest.Get(5, 5), kMagenta);
  EXPECT_EQ(dest.Get(20, 15), kMagenta);
}

class TransparentBlitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A destination with a pattern, so "unchanged" is a real check.
    for (int y = 0; y < dest_.height(); ++y) {
      for (int x = 0; x < dest_.width(); ++x) dest_.Set(x, y, RGB(x * 7, y * 7, 0x40));
    }
  }
  COLORREF Background(int x, int y) const { return RGB(x * 7, y * 7, 0x40); }
  DibCanvas dest_{24, 24};
  DibCanvas source_{16, 16};
};

TEST_F(TransparentBlitTest, AllKeySourceLeavesDestinationUnchanged) {
  source_.Fill(kMagenta);
  skin::TransparentBlit(dest_.dc(), 3, 4, 12, 10, source_.dc(), 2, 2, kMagenta, nullptr);
  for (int y = 0; y < dest_.height(); ++y) {
    for (int x = 0; x < dest_.width(); ++x) ASSERT_EQ(dest_.Get(x, y), Background(x, y)) << x << "," << y;
  }
}

TEST_F(TransparentBlitTest, KeyFreeSourceIsAPlainCopy) {
  PaintSource(source_);
  skin::TransparentBlit(dest_.dc(), 3, 4, 5, 8, source_.dc(), 2, 1, kMagenta, nullptr);
  for (int y = 0; y < dest_.height(); ++y) {
    for (int x = 0; x < dest_.width(); ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 4 && y < 12;
      const COLORREF want = inside ? SourceColour(x - 3 + 2, y - 4 + 1) : Background(x, y);
      ASSERT_EQ(dest_.Get(x, y), want) << x << "," << y;
    }
  }
}

TEST_F(TransparentBlitTest, MixedSourceCopiesOnlyNonKeyPixels) {
  // Colours close to the key must still be copied.
  const COLORREF near_key[] = {0xFE00FF, 0xFF01FF, 0xFF00FE, 0x000000, 0xFFFFFF};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) source_.Set(x, y, ((x + y) % 2) ? kMagenta : near_key[(x + y * 3) % 5]);
  }
  skin::TransparentBlit(dest_.dc(), 0, 0, 16, 16, source_.dc(), 0, 0, kMagenta, nullptr);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const COLORREF want = ((x + y) % 2) ? Background(x, y) : near_key[(x + y * 3) % 5];
      ASSERT_EQ(dest_.Get(x, y), want) << x << "," << y;
    }
  }
}

TEST_F(TransparentBlitTest, PassedPaletteSurvivesTheCall) {
  HDC screen = GetDC(nullptr);
  HPALETTE palette = CreateHalftonePalette(screen);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(palette, nullptr);
  source_.Fill(0x00A000);
  source_.Set(0, 0, kMagenta);
  skin::TransparentBlit(dest_.dc(), 0, 0, 4, 4, source_.dc(), 0, 0, kMagenta, palette);
  EXPECT_EQ(dest_.Get(0, 0), Background(0, 0));
  EXPECT_EQ(dest_.Get(1, 0), 0x00A000u);
  // Still a palette, still selectable and still deletable by its owner.
  EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
  PALETTEENTRY entry{};
  EXPECT_EQ(GetPaletteEntries(palette, 0, 1, &entry), 1u);
  HDC probe = CreateCompatibleDC(nullptr);
  HPALETTE old = SelectPalette(probe, palette, TRUE);
  EXPECT_NE(old, nullptr);
  SelectPalette(probe, old, TRUE);
  DeleteDC(probe);
  EXPECT_TRUE(DeleteObject(palette));
}

TEST_F(TransparentBlitTest, SystemColourKeyIsTranslated) {
  const COLORREF window_colour = GetSysColor(COLOR_WINDOW);
  ASSERT_NE(window_colour, kMagenta);
  source_.Fill(window_colour);
  source_.Set(1, 1, kMagenta);
  source_.Set(2, 2, 0x0000C0);
  skin::TransparentBlit(dest_.dc(), 0, 0, 4, 4, source_.dc(), 0, 0, COLOR_WINDOW | 0x80000000u, nullptr);
  EXPECT_EQ(dest_.Get(0, 0), Background(0, 0)) << "system-colour pixel should be transparent";
  EXPECT_EQ(dest_.Get(3, 3), Background(3, 3));
  EXPECT_EQ(dest_.Get(1, 1), kMagenta) << "magenta is no key here";
  EXPECT_EQ(dest_.Get(2, 2), 0x0000C0u);
}

TEST(SolidRects, FillCoversTheRectangleAndFrameOnlyItsEdge) {
  DibCanvas dest(12, 12);
  dest.Fill(kGrey);
  EXPECT_NE(skin::FillSolidRect(dest.dc(), 2, 3, 5, 4, 0x3399CC), 0);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
      EXPECT_EQ(dest.Get(x, y), inside ? 0x3399CCu : kGrey) << x << "," << y;
    }
  }
  dest.Fill(kGrey);
  EXPECT_NE(skin::FrameSolidRect(dest.dc(), 2, 3, 5, 4, 0xD5A554), 0);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
      const bool edge = inside && (x == 2 || x == 6 || y == 3 || y == 6);
      EXPECT_EQ(dest.Get(x, y), edge ? 0xD5A554u : kGrey) << x << "," << y;
    }
  }
}

TEST(WindowGeometry, BoundsOfALiveAndADestroyedWindow) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 30, 40, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  skin::WindowBounds b;
  EXPECT_TRUE(skin::GetWindowBounds(w, b));
  EXPECT_EQ(b.Left, 30);
  EXPECT_EQ(b.Top, 40);
  EXPECT_EQ(b.Right, 230);
  EXPECT_EQ(b.Bottom, 140);
  EXPECT_EQ(b.Width, 200);
  EXPECT_EQ(b.Height, 100);

  DestroyWindow(w);
  skin::WindowBounds gone{1, 2, 3, 4, 5, 6};
  EXPECT_FALSE(skin::GetWindowBounds(w, gone));
  EXPECT_EQ(gone.Left, 0);
  EXPECT_EQ(gone.Top, 0);
  EXPECT_EQ(gone.Right, 0);
  EXPECT_EQ(gone.Bottom, 0);
  EXPECT_EQ(gone.Width, 0);
  EXPECT_EQ(gone.Height, 0);
}

// A window whose non-client area is whatever the test asks for: left, top,
// right, bottom borders in pixels, taken from its creation parameters.
struct Borders {
  int left, top, right, bottom;
};

LRESULT CALLBACK BorderedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCCALCSIZE) {
    const auto* borders = reinterpret_cast<const Borders*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (borders) {
      // Either form starts with the proposed window rectangle.
      RECT& r = wparam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : *reinterpret_cast<RECT*>(lparam);
      r.left += borders->left;
      r.top += borders->top;
      r.right -= borders->right;
      r.bottom -= borders->bottom;
      return 0;
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

class ClientOffset : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BorderedProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TarnwickBordered";
    RegisterClassW(&wc);
  }
  HWND Create(Borders* borders, DWORD style = WS_POPUP) {
    return CreateWindowExW(0, L"TarnwickBordered", L"", style, 0, 0, 120, 80, nullptr, nullptr,
                           GetModuleHandleW(nullptr), borders);
  }
};

TEST_F(ClientOffset, TwoPixelBorderWithVerticalScrollBar) {
  HWND w = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_POPUP | WS_VSCROLL, 0, 0, 120, 80, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  RECT wr, cr;
  GetWindowRect(w, &wr);
  GetClientRect(w, &cr);
  ASSERT_EQ((wr.right - wr.left) - cr.right, 4 + GetSystemMetrics(SM_CXVSCROLL)) << "unexpected non-client width";
  int x = -1, y = -1;
  EXPECT_EQ(skin::GetClientOffset(w, x, y), 1);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 2);
  DestroyWindow(w);

  // The horizontal bar counts against the height the same way.
  w = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_POPUP | WS_HSCROLL, 0, 0, 120, 80, nullptr, nullptr,
                      nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(skin::GetClientOffset(w, x, y), 1);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 2);
  DestroyWindow(w);
}

TEST_F(ClientOffset, OddTotalsHalveToTheEvenNeighbour) {
  struct {
    Borders borders;
    int x, y;
  } cases[] = {
      {{2, 1, 3, 0}, 2, 0},  // totals 5 and 1
      {{3, 2, 4, 1}, 4, 2},  // totals 7 and 3
      {{0, 4, 0, 5}, 0, 4},  // totals 0 and 9
  };
  for (auto& c : cases) {
    HWND w = Create(&c.borders);
    ASSERT_NE(w, nullptr);
    int x = -1, y = -1;
    EXPECT_EQ(skin::GetClientOffset(w, x, y), 1);
    EXPECT_EQ(x, c.x) << c.borders.left << "+" << c.borders.right;
    EXPECT_EQ(y, c.y) << c.borders.top << "+" << c.borders.bottom;
    DestroyWindow(w);
  }
}

TEST(PackedWords, HalvesAreSignExtended) {
  EXPECT_EQ(skin::LowWord(0x0001FFFF), -1);
  EXPECT_EQ(skin::HighWord(0x0001FFFF), 1);
  EXPECT_EQ(skin::LowWord(0xFFFF0000), 0);
  EXPECT_EQ(skin::HighWord(0xFFFF0000), -1);
  EXPECT_EQ(skin::LowWord(0x80007FFF), 32767);
  EXPECT_EQ(skin::HighWord(0x80007FFF), -32768);
  // A mouse position left of and above a window, as the platform packs it.
  const LPARAM packed = MAKELPARAM(-12, -3);
  EXPECT_EQ(skin::LowWord(static_cast<uint32_t>(packed)), -12);
  EXPECT_EQ(skin::HighWord(static_cast<uint32_t>(packed)), -3);
}

}  // namespace
