// The picture of a BS_ICON or BS_BITMAP push button, drawn on its faces
// where the platform would draw it.
#pragma once

#include <windows.h>

#include <optional>

namespace skin {

struct ButtonPicture {
  HANDLE image;  // the icon or bitmap, owned by the host
  UINT kind;     // DST_ICON or DST_BITMAP
  int width;
  int height;
};

// The picture the button shows instead of its caption: set with
// BM_SETIMAGE and asked for by the style. None for a text button. Asked of
// previous, the procedure below the skin, when the caller knows it.
std::optional<ButtonPicture> FindButtonPicture(HWND window, LONG style, WNDPROC previous = nullptr);

// Centred in (x, y, width, height); greyed as the platform greys the
// picture of a disabled button.
void DrawButtonPicture(HDC dc, const ButtonPicture& picture, int x, int y, int width, int height, bool greyed);

}  // namespace skin
