// Pixel tables of the sprite sheets, indexed [y][x].
#pragma once

#include <windows.h>

namespace skin {
namespace sprite_data {

extern const COLORREF kButton[84][7];
extern const COLORREF kComboButton[18][15];
extern const COLORREF kCheck[24][18];
extern const COLORREF kOption[52][13];
extern const COLORREF kHeader[20][9];

}  // namespace sprite_data
}  // namespace skin
