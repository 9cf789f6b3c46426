#include "render/sprite_sheets.h"

#include "render/gdi_toolkit.h"
#include "render/sprite_data.h"

namespace skin {
namespace {

struct SheetTable {
  int width;
  int height;
  const COLORREF* pixels;  // row-major, width per row
};

SheetTable Table(SpriteSheet sheet) {
  using namespace sprite_data;
  switch (sheet) {
    case SheetButton: return {7, 84, &kButton[0][0]};
    case SheetComboButton: return {15, 18, &kComboButton[0][0]};
    case SheetCheck: return {18, 24, &kCheck[0][0]};
    case SheetOption: return {13, 52, &kOption[0][0]};
    case SheetHeader: return {9, 20, &kHeader[0][0]};
    case kSheetCount: break;
  }
  return {0, 0, nullptr};
}

}  // namespace

int SheetWidth(SpriteSheet sheet) { return Table(sheet).width; }
int SheetHeight(SpriteSheet sheet) { return Table(sheet).height; }

COLORREF SheetPixel(SpriteSheet sheet, int x, int y) {
  const SheetTable table = Table(sheet);
  if (!table.pixels || x < 0 || y < 0 || x >= table.width || y >= table.height) return CLR_INVALID;
  return table.pixels[y * table.width + x];
}

void BuildSpriteSheets() {
  // Building over live sheets would orphan their DCs and bitmaps.
  FreeSpriteSheets();
  SkinState& state = State();
  for (int s = 0; s < kSheetCount; ++s) {
    const auto sheet = static_cast<SpriteSheet>(s);
    state.sheets[s] = CreateMemoryDC(SheetWidth(sheet), SheetHeight(sheet));
  }
  // Every pixel is written exactly once: a new bitmap's contents are
  // undefined, and a failed sheet (null DC) just stays blank.
  for (int s = 0; s < kSheetCount; ++s) {
    const auto sheet = static_cast<SpriteSheet>(s);
    const HDC dc = state.sheets[s];
    for (int y = 0; y < SheetHeight(sheet); ++y) {
      for (int x = 0; x < SheetWidth(sheet); ++x) SetPixel(dc, x, y, SheetPixel(sheet, x, y));
    }
  }
}

void FreeSpriteSheets() {
  // The handles are zeroed so that no painter can blit from a deleted DC
  // (whose handle value the system may already have given to another DC).
  SkinState& state = State();
  for (HDC& sheet : state.sheets) {
    DeleteMemoryDC(sheet);
    sheet = nullptr;
  }
}

}  // namespace skin
