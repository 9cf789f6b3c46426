#include "render/sprite_sheets.h"

#include <cstdint>
#include <vector>

#include "gdi/gdi_toolkit.h"
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

HDC BuildSpriteSheet(SpriteSheet sheet) {
  HDC& dc = State().sheets[sheet];
  // Building over a live sheet would orphan its DC and bitmap.
  DeleteMemoryDC(dc);
  const int w = SheetWidth(sheet), h = SheetHeight(sheet);
  dc = CreateMemoryDC(w, h);
  // Every pixel is written, in one transfer of the rows (a new bitmap's
  // contents are undefined); a failed sheet (null DC) stays blank. One
  // transfer instead of a call per pixel makes the first use cheaper; the
  // display format converts the colours just as SetPixel does.
  std::vector<uint32_t> rows(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = SheetPixel(sheet, x, y);
      // A top-down 32-bit DIB holds 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
      rows[static_cast<size_t>(y) * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  const BITMAPINFO info = TopDownBitmapInfo(w, h);
  SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, rows.data(), &info, DIB_RGB_COLORS);
  return dc;
}

void BuildSpriteSheets() {
  for (int s = 0; s < kSheetCount; ++s) BuildSpriteSheet(static_cast<SpriteSheet>(s));
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
