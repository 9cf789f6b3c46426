// The sprite sheets as built into real memory DCs and read back with
// GetPixel: the artwork that is fixed pixel for pixel, the key layout every
// painter relies on, and the build/free cycle.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "gdi/gdi_raii.h"
#include "gdi/gdi_toolkit.h"
#include "render/sprite_sheets.h"
#include "state/skin_state.h"
#include "support/pixels.h"

namespace {

using skin::SpriteSheet;
using testsupport::Hex;

constexpr COLORREF kKey = 0xFF00FF;

// The fixed cells, one text row per pixel row, "key" for the key colour.
// y: x0 x1 ...
const char* const kButtonCell0[] = {
    "F9E1BF E3B36B D8972C D58F1B D8972C E3B36B F9E1BF",  // 0
    "E2B269 E7C07E FBF3E7 FFFFFF FBF3E7 E7C07E E2B269",  // 1
    "D79529 FCF6EC FFFFFF FFFFFF FFFFFF FCF6EC D79529",  // 2
    "D58F1B FDFAF5 FCF8F1 FCF8F1 FCF8F1 FDFAF5 D58F1B",  // 3
    "D58F1B FCF9F3 FBF6EE FBF6EE FBF6EE FCF9F3 D58F1B",  // 4
    "D58F1B FCF7F0 FBF4EA FBF4EA FBF4EA FCF7F0 D58F1B",  // 5
    "D58F1B FCF6EE FBF2E6 FBF2E6 FBF2E6 FCF6EE D58F1B",  // 6
    "D58F1B FCF5EB FAF0E2 FAF0E2 FAF0E2 FCF5EB D58F1B",  // 7
    "D58F1B FCF3E8 FAEEDE FAEEDE FAEEDE FCF3E8 D58F1B",  // 8
    "D58F1B FBF2E5 F9ECDA F9ECDA F9ECDA FBF2E5 D58F1B",  // 9
    "D58F1B FBF0E3 F9EAD7 F9EAD7 F9EAD7 FBF0E3 D58F1B",  // 10
    "D58F1B F8EBDB F5E2CC F5E2CC F5E2CC F8EBDB D58F1B",  // 11
    "D58F1B F7E9D9 F3DFC8 F3DFC8 F3DFC8 F7E9D9 D58F1B",  // 12
    "D58F1B F5E7D5 F1DCC3 F1DCC3 F1DCC3 F5E7D5 D58F1B",  // 13
    "D58F1B F4E4D2 EFD8BE EFD8BE EFD8BE F4E4D2 D58F1B",  // 14
    "D58F1B F2E2CD EDD5B8 EDD5B8 EDD5B8 F2E2CD D58F1B",  // 15
    "D58F1B F1E0CB EBD2B4 EBD2B4 EBD2B4 F1E0CB D58F1B",  // 16
    "D58F1B F0DEC9 EAD0B1 EAD0B1 EAD0B1 F0DEC9 D58F1B",  // 17
    "D79528 EED7BA ECD6BB E9CFB0 ECD5BB EED7BA D79528",  // 18
    "E2B064 E1B268 EED8BB F1E0CC EED8BB E1B268 E1AF62",  // 19
    "FBE7CA E1AE60 D8962A D58F1B D8962A E1AE60 FBE7CA",  // 20
};

// y: x0 x1 ...
const char* const kComboHot[] = {
    "D1A04E FFF9E8 FFF9E8 FFF9E8",  // 0
    "D1A04E FEF8E6 FDEEC1 FEF8E6",  // 1
    "D1A04E FEF7E4 FCEBBC FEF7E4",  // 2
    "D1A04E FDF6E2 FAE8B7 FDF6E2",  // 3
    "D1A04E FDF5E0 F9E5B2 FDF5E0",  // 4
    "D1A04E FCF3DE F7E1AC FCF3DE",  // 5
    "D1A04E FBF1DB F5DDA5 FBF1DB",  // 6
    "D1A04E FAF0D9 F3D99F FAF0D9",  // 7
    "D1A04E F9EED6 F1D598 F9EED6",  // 8
    "D1A04E F9EDD3 EFD191 F9EDD3",  // 9
    "D1A04E F8EBD0 EECD8A F8EBD0",  // 10
    "D1A04E F7E9CD ECC983 F7E9CD",  // 11
    "D1A04E F7E8CB EAC57C F7E8CB",  // 12
    "D1A04E F6E7C8 E8C276 F6E7C8",  // 13
    "D1A04E F5E5C6 E6BE70 F5E5C6",  // 14
    "D1A04E F5E4C3 E5BB6A F5E4C3",  // 15
    "D1A04E F4E3C1 E3B865 F4E3C1",  // 16
    "D1A04E F3E1C0 F3E1C0 F3E1C0",  // 17
};

// y: x0 x1 ...
const char* const kOptionCell0[] = {
    "key key key E7CFBC D9B395 D3A886 D2A683 D3A886 D9B395 E7CFBC key key key",  // 0
    "key key DBB89D DFC2A9 ECDFD1 F0E7DD F1E9DF F0E7DD ECDFD1 DFC2A9 DBB89D key key",  // 1
    "key DBB89D E5CEB9 F3ECE3 F4EDE5 F4EEE7 F4EEE7 F4EEE7 F4EDE5 F3ECE3 E5CEB9 DBB89D key",  // 2
    "E7CFBC DFC2A9 F4EDE5 F7F2ED FAF7F3 FBF9F7 FBF9F7 FBF9F7 FAF7F3 F7F2ED F4EDE5 DFC2A9 E7CFBC",  // 3
    "D9B395 EFE2D6 F8F4EF FCFBF9 FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FCFBF9 F8F4EF EFE2D6 D9B395",  // 4
    "D3A886 F6F0EB FCFBF9 FFFEFE FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFEFE FCFBF9 F6F0EB D3A886",  // 5
    "D2A683 FAF7F3 FEFEFD FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FEFEFD FAF7F3 D2A683",  // 6
    "D3A886 FAF7F4 FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FAF7F4 D3A886",  // 7
    "D9B395 F5EDE6 FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF F5EDE6 D9B395",  // 8
    "E7CFBC E3C8B3 FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF E3C8B3 E7CFBC",  // 9
    "key DBB89D ECD9CA FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF ECD9CA DBB89D key",  // 10
    "key key DBB89D E5CAB6 F8F2ED FEFDFC FFFFFF FEFDFC F8F2ED E5CAB6 DBB89D key key",  // 11
    "key key key E7CFBC D9B395 D3A886 D2A683 D3A886 D9B395 E7CFBC key key key",  // 12
};

// y: x0 x1 ...
const char* const kHeaderCell0[] = {
    "FEF5EA FEF5EA FEF5EA",  // 0
    "FEF4E9 FEF4E9 FEF4E9",  // 1
    "FDF4E9 FDF3E8 FAEFE0",  // 2
    "FDF3E9 FDF2E6 F7E8D6",  // 3
    "FDF5EB FCF1E4 EFD9BC",  // 4
    "FDF5EC FCF0E2 EBD1AE",  // 5
    "FDF6ED FBEFE0 E6C79F",  // 6
    "FDF6EF FBEDDF E2BF94",  // 7
    "FDF7F1 FAECDD DCB582",  // 8
    "FBF5ED F6E5D3 D9B07A",  // 9
    "FBF4ED F6E5D3 D9B07A",  // 10
    "FBF3EB F6E5D3 DAB27D",  // 11
    "FAF0E5 F6E5D3 DFBA8C",  // 12
    "F9EEE2 F6E5D3 E3C197",  // 13
    "F8ECDE F6E5D3 E6C8A3",  // 14
    "F8E9DA F6E5D3 EACFAF",  // 15
    "F6E6D5 F6E5D3 F1DCC4",  // 16
    "F6E5D3 F6E5D3 F3E1CC",  // 17
    "F6E5D3 F6E5D3 F6E5D3",  // 18
    "F2DAC0 F2DAC0 F2DAC0",  // 19
};

std::vector<COLORREF> ParseRow(const char* text) {
  std::vector<COLORREF> row;
  std::istringstream in(text);
  std::string word;
  while (in >> word) row.push_back(word == "key" ? kKey : std::strtoul(word.c_str(), nullptr, 16));
  return row;
}

// Compares a block of the built sheet with text rows placed at (x0, y0).
template <size_t N>
void ExpectBlock(SpriteSheet sheet, int x0, int y0, const char* const (&rows)[N], const char* what) {
  HDC dc = skin::Sheet(sheet);
  for (size_t y = 0; y < N; ++y) {
    const std::vector<COLORREF> row = ParseRow(rows[y]);
    for (size_t x = 0; x < row.size(); ++x) {
      const COLORREF got = GetPixel(dc, x0 + static_cast<int>(x), y0 + static_cast<int>(y));
      EXPECT_EQ(got, row[x]) << what << " x " << x << " y " << y << ": " << Hex(got) << " instead of "
                             << Hex(row[x]);
    }
  }
}

class SpriteSheets : public ::testing::Test {
 protected:
  void SetUp() override { skin::BuildSpriteSheets(); }
  void TearDown() override { skin::FreeSpriteSheets(); }

  static std::vector<COLORREF> Contents(SpriteSheet sheet) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < skin::SheetHeight(sheet); ++y) {
      for (int x = 0; x < skin::SheetWidth(sheet); ++x) pixels.push_back(GetPixel(skin::Sheet(sheet), x, y));
    }
    return pixels;
  }
};

const SpriteSheet kAll[] = {skin::SheetButton, skin::SheetComboButton, skin::SheetCheck, skin::SheetOption,
                            skin::SheetHeader};

TEST_F(SpriteSheets, SizesAndEveryPixelAsTheArtworkSays) {
  const int sizes[][2] = {{7, 84}, {15, 18}, {18, 24}, {13, 52}, {9, 20}};
  int total = 0;
  for (int s = 0; s < skin::kSheetCount; ++s) {
    const SpriteSheet sheet = kAll[s];
    ASSERT_EQ(skin::SheetWidth(sheet), sizes[s][0]);
    ASSERT_EQ(skin::SheetHeight(sheet), sizes[s][1]);
    HDC dc = skin::Sheet(sheet);
    ASSERT_NE(dc, nullptr) << "sheet " << s;
    BITMAP info{};
    GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, sizes[s][0]);
    EXPECT_EQ(info.bmHeight, sizes[s][1]);
    for (int y = 0; y < sizes[s][1]; ++y) {
      for (int x = 0; x < sizes[s][0]; ++x, ++total) {
        ASSERT_EQ(GetPixel(dc, x, y), skin::SheetPixel(sheet, x, y)) << "sheet " << s << " at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(total, 2146);
  EXPECT_EQ(skin::SheetPixel(skin::SheetButton, 7, 0), CLR_INVALID);
  EXPECT_EQ(skin::SheetPixel(skin::SheetHeader, 0, -1), CLR_INVALID);
}

TEST_F(SpriteSheets, FixedCellsHoldExactlyTheirPixels) {
  ExpectBlock(skin::SheetButton, 0, 0, kButtonCell0, "button cell 0");
  ExpectBlock(skin::SheetComboButton, 0, 0, kComboHot, "combo hot background");
  ExpectBlock(skin::SheetOption, 0, 0, kOptionCell0, "option ring 0");
  ExpectBlock(skin::SheetHeader, 0, 0, kHeaderCell0, "header item 0");
}

TEST_F(SpriteSheets, CheckGlyphsAndEverythingElseOfTheirSheetIsKey) {
  struct GlyphRow {
    int y;
    std::vector<int> columns;
    COLORREF enabled, disabled;
  };
  const GlyphRow rows[] = {
      {0, {8}, 0x1DB754, 0x8CDAA8},
      {1, {7, 8}, 0x1BB451, 0x8BD9A6},
      {2, {6, 7, 8}, 0x17AF4D, 0x89D6A4},
      {3, {0, 1, 5, 6, 7}, 0x13A948, 0x87D3A2},
      {4, {0, 1, 2, 4, 5, 6}, 0x0FA243, 0x85D09F},
      {5, {1, 2, 3, 4, 5}, 0x0A9C3E, 0x82CD9D},
      {6, {2, 3, 4}, 0x069639, 0x80C99A},
      {7, {3}, 0x029135, 0x7EC798},
      {9, {1, 2, 3, 4, 5, 6, 7}, 0x1BB451, 0x8BD9A6},
      {10, {1, 2, 3, 4, 5, 6, 7}, 0x18B04E, 0x89D6A4},
      {11, {1, 2, 3, 4, 5, 6, 7}, 0x14AB49, 0x87D4A3},
      {12, {1, 2, 3, 4, 5, 6, 7}, 0x10A445, 0x86D1A0},
      {13, {1, 2, 3, 4, 5, 6, 7}, 0x0C9E40, 0x83CE9E},
      {14, {1, 2, 3, 4, 5, 6, 7}, 0x07983B, 0x81CA9B},
      {15, {1, 2, 3, 4, 5, 6, 7}, 0x069639, 0x80C99A},
  };
  const char* const dots_enabled[] = {
      "key 60CC87 28BA5C 60CC87 key",         "5EC883 19B14F 19B14F 19B14F 5EC883",
      "1DAC50 12A847 12A847 12A847 1DAC50",   "54BA78 0B9D3F 0B9D3F 0B9D3F 54BA78",
      "key 4FB473 109940 4FB473 key",
  };
  const char* const dots_disabled[] = {
      "key AFE5C3 93DCAD AFE5C3 key",         "AEE3C1 8CD8A7 8CD8A7 8CD8A7 AEE3C1",
      "8ED5A7 88D3A3 88D3A3 88D3A3 8ED5A7",   "A9DCBB 85CE9F 85CE9F 85CE9F A9DCBB",
      "key A7D9B9 87CC9F A7D9B9 key",
  };
  COLORREF expected[24][18];
  for (auto& row : expected) {
    for (COLORREF& pixel : row) pixel = kKey;
  }
  for (const GlyphRow& row : rows) {
    for (int x : row.columns) {
      expected[row.y][x] = row.enabled;
      expected[row.y][x + 9] = row.disabled;
    }
  }
  for (int y = 0; y < 5; ++y) {
    const std::vector<COLORREF> enabled = ParseRow(dots_enabled[y]);
    const std::vector<COLORREF> disabled = ParseRow(dots_disabled[y]);
    for (int x = 0; x < 5; ++x) {
      expected[18 + y][2 + x] = enabled[x];
      expected[18 + y][11 + x] = disabled[x];
    }
  }
  HDC dc = skin::Sheet(skin::SheetCheck);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 18; ++x) {
      EXPECT_EQ(GetPixel(dc, x, y), expected[y][x]) << "check sheet " << x << "," << y;
    }
  }
  // The combo sheet's arrows and the unused block below them.
  HDC combo = skin::Sheet(skin::SheetComboButton);
  const int widths[] = {7, 5, 3, 1};
  for (int y = 0; y < 18; ++y) {
    for (int x = 8; x < 15; ++x) {
      COLORREF want = kKey;
      if (y < 8) {
        const int w = widths[y % 4];
        const int first = 8 + (7 - w) / 2;
        if (x >= first && x < first + w) want = y < 4 ? 0x5F5519 : 0xACA584;
      }
      EXPECT_EQ(GetPixel(combo, x, y), want) << "combo sheet " << x << "," << y;
    }
  }
}

TEST_F(SpriteSheets, KeyCountsAndTheSameKeyCornersInEveryRing) {
  const int key_counts[] = {0, 94, 240, 96, 0};
  for (int s = 0; s < skin::kSheetCount; ++s) {
    int keys = 0;
    for (COLORREF pixel : Contents(kAll[s])) keys += pixel == kKey;
    EXPECT_EQ(keys, key_counts[s]) << "sheet " << s;
  }
  HDC dc = skin::Sheet(skin::SheetOption);
  for (int cell = 0; cell < 4; ++cell) {
    int keys = 0;
    for (int y = 0; y < 13; ++y) {
      const int corner = (y == 0 || y == 12) ? 3 : (y == 1 || y == 11) ? 2 : (y == 2 || y == 10) ? 1 : 0;
      for (int x = 0; x < 13; ++x) {
        const bool want_key = x < corner || x >= 13 - corner;
        const COLORREF pixel = GetPixel(dc, x, cell * 13 + y);
        EXPECT_EQ(pixel == kKey, want_key) << "ring " << cell << " at " << x << "," << y << " " << Hex(pixel);
        keys += pixel == kKey;
      }
    }
    EXPECT_EQ(keys, 24) << "ring " << cell;
  }
}

TEST_F(SpriteSheets, DrawnCellsFollowTheirDescribedLook) {
  HDC button = skin::Sheet(skin::SheetButton);
  // Cells 1 and 2 share cell 0's outline; cell 3 is its washed-out form.
  for (int cell = 1; cell < 3; ++cell) {
    for (int y = 0; y < 21; ++y) {
      for (int x = 0; x < 7; ++x) {
        if (x != 0 && x != 6 && y != 0 && y != 20) continue;
        EXPECT_EQ(GetPixel(button, x, cell * 21 + y), GetPixel(button, x, y)) << "cell " << cell << " " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(GetPixel(button, 1, 21 + 5), 0xFBC34Cu) << "hot inner rim";
  EXPECT_EQ(GetPixel(button, 5, 42 + 5), 0xF8B62Eu) << "pressed inner rim";
  EXPECT_EQ(GetPixel(button, 0, 63), 0xFBF7F2u);
  EXPECT_EQ(GetPixel(button, 6, 83), 0xFBF7F2u);
  EXPECT_EQ(GetPixel(button, 0, 63 + 10), 0xE8C387u);
  EXPECT_EQ(GetPixel(button, 3, 63 + 0), 0xE8C387u);

  HDC combo = skin::Sheet(skin::SheetComboButton);
  auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  for (int y = 0; y < 18; ++y) EXPECT_EQ(GetPixel(combo, 4, y), 0xD1A04Eu) << "pressed border " << y;
  EXPECT_LT(brightness(GetPixel(combo, 6, 1)), brightness(GetPixel(combo, 6, 16))) << "pressed darkest on top";
  EXPECT_LT(brightness(GetPixel(combo, 6, 8)), brightness(GetPixel(combo, 5, 8))) << "darker face line";

  HDC option = skin::Sheet(skin::SheetOption);
  const COLORREF extremes[] = {0xD2A683, 0xD2A683, 0xC18964, 0xE8D2C1};
  for (int cell = 0; cell < 4; ++cell) {
    EXPECT_EQ(GetPixel(option, 6, cell * 13), extremes[cell]) << "ring " << cell;
    EXPECT_EQ(GetPixel(option, 0, cell * 13 + 6), extremes[cell]) << "ring " << cell;
    EXPECT_EQ(GetPixel(option, 12, cell * 13 + 6), extremes[cell]) << "ring " << cell;
    EXPECT_EQ(GetPixel(option, 6, cell * 13 + 12), extremes[cell]) << "ring " << cell;
  }
  EXPECT_EQ(GetPixel(option, 6, 39 + 6), 0xFFFFFFu) << "disabled ring is white inside";
  // The hot ramp runs from the top left, the pressed one from the bottom
  // left; the check box's fills are cut from the same rows.
  EXPECT_EQ(GetPixel(option, 4, 13 + 1), 0xF8EAC3u) << "hot ramp start";
  EXPECT_EQ(GetPixel(option, 1, 13 + 4), 0xF8EAC3u) << "hot ramp start, fill's first pixel";
  EXPECT_EQ(GetPixel(option, 9, 13 + 10), 0xFDF5E1u) << "hot ramp end";
  EXPECT_EQ(GetPixel(option, 1, 26 + 8), 0xF5E1ADu) << "pressed ramp start, fill's last row";
  EXPECT_EQ(GetPixel(option, 8, 26 + 1), 0xFDF1D5u) << "pressed ramp end";
  // The check-box fills (rows 4-8, columns 1-11 of the hot and pressed
  // rings) lie fully inside the rings: no key, no ring colour.
  for (int cell = 1; cell <= 2; ++cell) {
    for (int y = 4; y <= 8; ++y) {
      for (int x = 1; x <= 11; ++x) {
        const COLORREF pixel = GetPixel(option, x, cell * 13 + y);
        EXPECT_NE(pixel, kKey);
        EXPECT_GT(brightness(pixel), brightness(0xE8D2C1)) << "fill " << cell << " " << x << "," << y;
      }
    }
  }

  HDC header = skin::Sheet(skin::SheetHeader);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(GetPixel(header, x, 19), 0xF2DAC0u) << "bottom line " << x;
  EXPECT_EQ(GetPixel(header, 3, 5), 0xFAC25Eu);
  EXPECT_EQ(GetPixel(header, 6, 5), 0xFAC25Eu);
  EXPECT_EQ(GetPixel(header, 7, 0), 0xFBD797u);
}

TEST_F(SpriteSheets, FreeingInvalidatesAllFiveAndRebuildingGivesTheSameContents) {
  std::vector<std::vector<COLORREF>> before;
  HDC old_dcs[skin::kSheetCount];
  HGDIOBJ old_bitmaps[skin::kSheetCount];
  for (int s = 0; s < skin::kSheetCount; ++s) {
    before.push_back(Contents(kAll[s]));
    old_dcs[s] = skin::Sheet(kAll[s]);
    old_bitmaps[s] = GetCurrentObject(old_dcs[s], OBJ_BITMAP);
  }
  skin::FreeSpriteSheets();
  for (int s = 0; s < skin::kSheetCount; ++s) {
    EXPECT_EQ(GetObjectType(old_dcs[s]), 0u) << "sheet " << s << " DC still alive";
    EXPECT_EQ(GetObjectType(old_bitmaps[s]), 0u) << "sheet " << s << " bitmap still alive";
    EXPECT_EQ(skin::Sheet(kAll[s]), nullptr) << "freed handle left behind";
  }
  skin::FreeSpriteSheets();  // a second free finds nothing to do

  skin::BuildSpriteSheets();
  for (int s = 0; s < skin::kSheetCount; ++s) {
    ASSERT_NE(skin::Sheet(kAll[s]), nullptr);
    EXPECT_EQ(Contents(kAll[s]), before[s]) << "sheet " << s;
  }
}

TEST_F(SpriteSheets, KeyedRingDrawnOverABackgroundKeepsTheCorners) {
  testsupport::DibCanvas dest(20, 20);
  dest.Fill(0x0000C0);
  EXPECT_EQ(skin::StretchSprite(dest.dc(), 0, 0, 13, 13, skin::Sheet(skin::SheetOption), 0, 13, 13, 13, 5, 5, 5, 5,
                                kKey),
            1);
  EXPECT_EQ(dest.Get(0, 0), 0x0000C0u);
  EXPECT_EQ(dest.Get(12, 12), 0x0000C0u);
  EXPECT_EQ(dest.Get(6, 0), 0xD2A683u);
  EXPECT_EQ(dest.Get(6, 6), skin::SheetPixel(skin::SheetOption, 6, 19));
}

TEST_F(SpriteSheets, ButtonFaceStretchedOntoAShownWindow) {
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 90, 30, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);
  {
    skin::ScopedWindowDC dc(window);
    ASSERT_NE(dc.get(), nullptr);
    EXPECT_NE(skin::StretchSprite(dc, 0, 0, 90, 30, skin::Sheet(skin::SheetButton), 0, 21, 7, 21, 3, 3, 3, 3), 0);
    const testsupport::PixelGrab grab = testsupport::ReadPixels(dc, 0, 0, 90, 30);
    ASSERT_FALSE(grab.empty());
    for (int j = 0; j < 3; ++j) {
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(grab.At(i, j), skin::SheetPixel(skin::SheetButton, i, 21 + j)) << i << "," << j;
        EXPECT_EQ(grab.At(87 + i, 27 + j), skin::SheetPixel(skin::SheetButton, 4 + i, 39 + j)) << i << "," << j;
      }
    }
    EXPECT_EQ(grab.At(45, 15), skin::SheetPixel(skin::SheetButton, 3, 21 + 10));
    EXPECT_EQ(grab.At(1, 15), 0xFBC34Cu) << "hot rim on the stretched left side";
  }
  DestroyWindow(window);
}

}  // namespace
