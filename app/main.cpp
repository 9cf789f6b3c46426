#include <windows.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command) {
  tarnwick::Form1 form1;
  form1.form().set_quit_on_destroy(true);
  if (!form1.Create(show_command)) return 1;
  return forms::RunMessageLoop(form1.form());
}
