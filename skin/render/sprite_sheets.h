// The five sprite sheets: all of the skin's artwork, built pixel by pixel
// into memory DCs on the first attach and freed at the last detach.
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

// Creates the five DCs in order and sets every pixel once, row by row.
// Sheets still held from an earlier build are freed first.
void BuildSpriteSheets();
// Deletes the five DCs in the order they were built and zeroes the handles.
void FreeSpriteSheets();

}  // namespace skin
