#include "support/real_input.h"

#include "support/engine_fixture.h"

namespace skin_test {

void Settle(int ms) {
  for (int waited = 0; waited < ms; waited += 5) {
    Pump();
    Sleep(5);
  }
  Pump();
}

void MoveTo(HWND window, int x, int y) {
  RECT r;
  GetWindowRect(window, &r);
  SetCursorPos(r.left + x, r.top + y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a relative move of 0: the move event itself
  SendInput(1, &input, sizeof(input));
  Settle();
}
void MoveOnto(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MoveTo(window, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}
void Mouse(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof(input));
  Settle();
}
void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
  Settle();
}

}  // namespace skin_test
