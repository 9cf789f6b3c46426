// Thousands of toolkit calls must leave the process's GDI object count
// where it started.
#include <gtest/gtest.h>
#include <windows.h>

#include "render/gdi_toolkit.h"
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
