#include "control_classes.h"

#include <commctrl.h>

namespace gallery {
namespace {

// A superclass keeps the base class's procedure, extra bytes and styles;
// only the name and the owning module change.
bool RegisterSuperclass(const wchar_t* base, const wchar_t* name) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, name, &existing)) return true;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(nullptr, base, &wc)) return false;
  wc.hInstance = instance;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

bool RegisterControlClasses() {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&icc);

  bool ok = true;
  ok &= RegisterSuperclass(L"Button", kCheckBoxClass);
  ok &= RegisterSuperclass(L"Button", kOptionButtonClass);
  ok &= RegisterSuperclass(L"ComboBox", kDriveListClass);
  ok &= RegisterSuperclass(PROGRESS_CLASSW, kProgressBarClass);
  ok &= RegisterSuperclass(L"ListBox", kDataListClass);
  ok &= RegisterSuperclass(L"ListBox", kGridClass);
  return ok;
}

}  // namespace gallery
