// One message on its way through the dispatcher: what every handler gets.
#pragma once

#include <windows.h>

namespace skin {

struct Message {
  WNDPROC previous;  // the window procedure the window had before the skin
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;

  // Passes the message on, unchanged, to the previous procedure. The entry
  // point matches the window's character set so that no text is converted
  // through the ANSI code page on the way.
  LRESULT Forward() const {
    return IsWindowUnicode(window) ? CallWindowProcW(previous, window, message, wParam, lParam)
                                   : CallWindowProcA(previous, window, message, wParam, lParam);
  }
};

// A question the skin asks a window about itself (a check mark, a header
// item): put to the procedure below the skin when the caller knows it, so
// that it does not pass through the skin's own dispatcher, else sent. The W
// entry point either way, as SendMessageW would.
inline LRESULT AskWindow(HWND window, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam) {
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                  : SendMessageW(window, message, wParam, lParam);
}

}  // namespace skin
