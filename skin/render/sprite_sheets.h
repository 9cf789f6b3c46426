// The five sprite sheets: all of the skin's artwork, built pixel by pixel
// into memory DCs, each on its first use after the first attach (Sheet),
// and freed at the last detach.
#pragma once

#include <windows.h>

#include <cstdint>

#include "state/skin_state.h"

namespace skin {

int SheetWidth(SpriteSheet sheet);
int SheetHeight(SpriteSheet sheet);

// The artwork itself: the colour of one pixel (COLORREF), without any DC;
// CLR_INVALID outside the sheet.
COLORREF SheetPixel(SpriteSheet sheet, int x, int y);

// Creates the sheet's DC, sets every pixel once, row by row, and stores
// it in the state; returns it. A sheet still held is freed first.
HDC BuildSpriteSheet(SpriteSheet sheet);
// The five in order, each as BuildSpriteSheet.
void BuildSpriteSheets();
// Deletes the DCs built, in sheet order, and zeroes the handles.
void FreeSpriteSheets();

}  // namespace skin
