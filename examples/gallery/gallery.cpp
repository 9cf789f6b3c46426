// Gallery: one window with a skinned control of every family the skin
// knows, for looking at the skin as a whole before reusing it.
#include <windows.h>

#include "gallery_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  HWND form = gallery::CreateGalleryWindow(show, true);
  if (!form) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
