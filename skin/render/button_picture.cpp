#include "render/button_picture.h"

#include "gdi/gdi_raii.h"
#include "gdi/rounding.h"
#include "state/message.h"

namespace skin {
namespace {

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return false;
  width = info.bmWidth;
  height = info.bmHeight;
  return true;
}

bool IconSize(HICON icon, int& width, int& height) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  // GetIconInfo hands over copies of both bitmaps.
  OwnedBitmap mask(info.hbmMask);
  OwnedBitmap colour(info.hbmColor);
  if (colour) return BitmapSize(colour, width, height);
  // A monochrome icon: its mask holds the AND and XOR halves one above the
  // other.
  if (!BitmapSize(mask, width, height)) return false;
  height /= 2;
  return true;
}

}  // namespace

std::optional<ButtonPicture> FindButtonPicture(HWND window, LONG style, WNDPROC previous) {
  ButtonPicture picture{};
  if (style & BS_ICON) {
    picture.kind = DST_ICON;
    picture.image = reinterpret_cast<HANDLE>(AskWindow(window, previous, BM_GETIMAGE, IMAGE_ICON, 0));
    if (picture.image && IconSize(static_cast<HICON>(picture.image), picture.width, picture.height)) return picture;
  } else if (style & BS_BITMAP) {
    picture.kind = DST_BITMAP;
    picture.image = reinterpret_cast<HANDLE>(AskWindow(window, previous, BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (picture.image && BitmapSize(static_cast<HBITMAP>(picture.image), picture.width, picture.height)) return picture;
  }
  return std::nullopt;
}

void DrawButtonPicture(HDC dc, const ButtonPicture& picture, int x, int y, int width, int height, bool greyed) {
  const int left = x + HalveToEven(width - picture.width);
  const int top = y + HalveToEven(height - picture.height);
  DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.image), 0, left, top, picture.width,
             picture.height, picture.kind | (greyed ? DSS_DISABLED : DSS_NORMAL));
}

}  // namespace skin
