// The example host program. "/selftest" makes it check, without a user,
// that the installed engine attaches and detaches its window tree.
#include <skin/skin.h>

#include <cwchar>

#include "host_window.h"

namespace {

int SelfTest(host::HostWindow& host) {
  if (!host.skinned) return 2;
  host::ToggleSkin(host);  // the "skin off" click
  if (host.skinned || GetPropA(host.push, "PROCADDR") || GetPropA(host.main, "PROCADDR")) return 3;
  host::ToggleSkin(host);  // and on again
  if (!host.skinned || !GetPropA(host.push, "PROCADDR")) return 4;
  SendMessageW(host.main, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
  host::HostWindow host;
  if (!host::CreateHostWindow(instance, host)) return 1;
  ShowWindow(host.main, show);
  UpdateWindow(host.main);
  if (command_line && std::wcscmp(command_line, L"/selftest") == 0) return SelfTest(host);
  MSG msg;
  while (IsWindow(host.main) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(host.main, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return 0;
}
