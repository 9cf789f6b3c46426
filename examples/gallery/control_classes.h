// The class names the form designer gives its controls, registered as
// superclasses of the platform's standard controls so that a plain Win32
// program can host every control family the skin knows.
#pragma once

#include <windows.h>

namespace gallery {

inline constexpr wchar_t kCheckBoxClass[] = L"ThunderRT6CheckBox";
inline constexpr wchar_t kOptionButtonClass[] = L"ThunderRT6OptionButton";
inline constexpr wchar_t kDriveListClass[] = L"ThunderRT6DriveListBox";
inline constexpr wchar_t kProgressBarClass[] = L"ProgressBar20WndClass";
inline constexpr wchar_t kDataListClass[] = L"DataListWndClass";
inline constexpr wchar_t kGridClass[] = L"ApexGridOleDB32";

// Registers every class above once per process (later calls do nothing).
// Returns false when one of them could not be registered.
bool RegisterControlClasses();

}  // namespace gallery
