// Thousands of toolkit calls must leave the process's GDI object count
// where it started.
#include <gtest/gtest.h>
#include <windows.h>

#include "gdi/gdi_toolkit.h"
#include "render/sprite_sheets.h"
#include "support/gdi_count.h"
#include "support/pixels.h"

namespace {

using testsupport::CountGdiObjects;

TEST(GdiCount, SeesObjectsComeAndGo) {
  DeleteDC(CreateCompatibleDC(nullptr));  // warm-up
  const int before = CountGdiObjects();
  ASSERT_GT(before, 0) << "no way to count GDI objects here";
  HBRUSH brushes[10];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(CountGdiObjects(), before + 11);
  for (HBRUSH b : brushes) DeleteObject(b);
  DeleteDC(dc);
  EXPECT_EQ(CountGdiObjects(), before);
}

TEST(GdiLeaks, ToolkitCallsFreeEverythingTheyMake) {
  testsupport::DibCanvas dest(80, 40);
  testsupport::DibCanvas source(16, 16);
  source.Fill(0x336699);
  source.Set(3, 3, 0xFF00FF);
  HDC screen = GetDC(nullptr);
  HPALETTE palette = CreateHalftonePalette(screen);
  ReleaseDC(nullptr, screen);

  auto round = [&] {
    skin::StretchSprite(dest.dc(), 0, 0, 75, 25, source.dc(), 0, 0, 7, 7, 3, 3, 3, 3);
    skin::StretchSprite(dest.dc(), 0, 0, 75, 25, source.dc(), 0, 0, 7, 7, 3, 3, 3, 3, 0xFF00FFu);
    skin::StretchSprite(dest.dc(), 0, 0, 0, 25, source.dc(), 0, 0, 7, 7, 3, 3, 3, 3);
    skin::TransparentBlit(dest.dc(), 2, 2, 16, 16, source.dc(), 0, 0, 0xFF00FF, nullptr);
    skin::TransparentBlit(dest.dc(), 2, 2, 16, 16, source.dc(), 0, 0, COLOR_BTNFACE | 0x80000000u, palette);
    skin::DeleteMemoryDC(skin::CreateMemoryDC(33, 12));
    skin::FillSolidRect(dest.dc(), 1, 1, 10, 10, 0x123456);
    skin::FrameSolidRect(dest.dc(), 1, 1, 10, 10, 0x654321);
  };
  round();  // first use of some paths allocates for good
  const int baseline = CountGdiObjects();
  ASSERT_GT(baseline, 0);
  for (int i = 0; i < 500; ++i) round();
  EXPECT_EQ(CountGdiObjects(), baseline);
  EXPECT_EQ(GetObjectType(palette), static_cast<DWORD>(OBJ_PAL));
  DeleteObject(palette);
}

// Holding the display DC and halftone palette for an attach cycle must not
// change a single pixel, nor leave anything behind once released.
TEST(GdiLeaks, HeldDisplayObjectsDrawTheSameAndAreFreed) {
  skin::BuildSpriteSheets();
  auto draw = [](testsupport::DibCanvas& canvas) {
    canvas.Fill(0x20A0F0);
    HDC sheet = skin::Sheet(skin::SheetOption);
    skin::StretchSprite(canvas.dc(), 0, 0, 13, 13, sheet, 0, 13, 13, 13, 5, 5, 5, 5, 0xFF00FFu);
    skin::StretchSprite(canvas.dc(), 20, 0, 40, 30, skin::Sheet(skin::SheetButton), 0, 21, 7, 21, 3, 3, 3, 3);
    skin::TransparentBlit(canvas.dc(), 2, 20, 9, 8, skin::Sheet(skin::SheetCheck), 0, 0, 0xFF00FF, nullptr);
    HDC memory = skin::CreateMemoryDC(16, 16);
    BitBlt(memory, 0, 0, 16, 16, sheet, 0, 0, SRCCOPY);
    BitBlt(canvas.dc(), 60, 0, 16, 16, memory, 0, 0, SRCCOPY);
    skin::DeleteMemoryDC(memory);
  };
  testsupport::DibCanvas per_call(80, 40), held(80, 40);
  draw(per_call);
  draw(held);  // warm-up of the held path's first uses
  const int baseline = CountGdiObjects();
  skin::HoldDisplayObjects();
  draw(held);
  const int holding = CountGdiObjects();
  EXPECT_GT(holding, baseline);
  skin::HoldDisplayObjects();  // holding twice makes nothing new
  draw(held);
  EXPECT_EQ(CountGdiObjects(), holding);
  skin::ReleaseDisplayObjects();
  EXPECT_EQ(CountGdiObjects(), baseline);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(held.Get(x, y), per_call.Get(x, y)) << x << "," << y << ": " << testsupport::Hex(held.Get(x, y));
  skin::FreeSpriteSheets();
}

TEST(GdiLeaks, SheetsBuiltAndFreedRepeatedly) {
  skin::BuildSpriteSheets();
  skin::FreeSpriteSheets();
  const int baseline = CountGdiObjects();
  for (int i = 0; i < 20; ++i) {
    skin::BuildSpriteSheets();
    skin::BuildSpriteSheets();  // a second build replaces, never orphans
    skin::FreeSpriteSheets();
  }
  EXPECT_EQ(CountGdiObjects(), baseline);
}

}  // namespace
