#include "state/properties.h"

#include "gdi/call_counts.h"

namespace skin {
namespace {

std::string StateName(int state, const char* suffix) {
  std::string name(1, static_cast<char>('0' + state));
  name += suffix;
  return name;
}

}  // namespace

std::string StateDcName(int state) { return StateName(state, "HDC"); }
std::string StateBitmapName(int state) { return StateName(state, "BMP"); }

// A property holds a pointer-sized value. Integers are kept as their 32-bit
// pattern (zero-extended) and sign-extended on the way back, so -1 reads
// back as -1 in the 64-bit build too, where a plain cast through the handle
// would read 0xFFFFFFFF as 4294967295.
int32_t GetPropInt(HWND window, const char* name) {
  NotePropertyRead();
  const auto raw = reinterpret_cast<uintptr_t>(GetPropA(window, name));
  return static_cast<int32_t>(static_cast<uint32_t>(raw));
}

void SetPropInt(HWND window, const char* name, int32_t value) {
  const auto raw = static_cast<uintptr_t>(static_cast<uint32_t>(value));
  NotePropertyWrite();
  SetPropA(window, name, reinterpret_cast<HANDLE>(raw));
}

HANDLE GetPropHandle(HWND window, const char* name) {
  NotePropertyRead();
  return GetPropA(window, name);
}

void SetPropHandle(HWND window, const char* name, HANDLE value) {
  NotePropertyWrite();
  SetPropA(window, name, value);
}

void RemoveSkinProp(HWND window, const char* name) {
  NotePropertyWrite();
  RemovePropA(window, name);
}

bool IsAttached(HWND window) { return GetPropHandle(window, prop::kProcAddr) != nullptr; }

bool IsPlainPushButton(HWND window) {
  // The saved 32-bit style, widened with its sign as it was read.
  return IsPlainPushButtonStyle(static_cast<LONG>(GetPropInt(window, prop::kOldStyle)));
}

void SetFreshVisualState(HWND window, ControlFamily family) {
  switch (family) {
    case ControlFamily::PushButton:
      SetPropInt(window, prop::kMouseFlag, 0);
      SetPropInt(window, prop::kOldState, IsWindowEnabled(window) ? kStateNormal : kStateDisabled);
      SetPropInt(window, prop::kAlphaLevel, 0);
      break;
    case ControlFamily::ComboBox:
    case ControlFamily::DriveList:
    case ControlFamily::CheckBox:
    case ControlFamily::OptionButton:
      SetPropInt(window, prop::kMouseFlag, 0);
      SetPropInt(window, prop::kOldState, kStateNormal);
      break;
    case ControlFamily::Header:
      SetPropInt(window, prop::kMouseFlag, 0);
      SetPropInt(window, prop::kHdIndex, -1);
      SetPropInt(window, prop::kHmIndex, -1);
      break;
    default:
      break;
  }
}

ControlFamily SkinnedFamily(HWND window) {
  LONG saved_style = 0;
  return SkinnedFamily(window, saved_style);
}

ControlFamily SkinnedFamily(HWND window, LONG& saved_style) {
  saved_style = 0;
  const ControlFamily family = ClassifyWindow(window);
  if (family != ControlFamily::PushButton) return family;
  // The saved 32-bit style, widened with its sign as it was read.
  saved_style = static_cast<LONG>(GetPropInt(window, prop::kOldStyle));
  return IsPlainPushButtonStyle(saved_style) ? family : ControlFamily::Unclassified;
}

}  // namespace skin
