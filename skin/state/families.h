// Control families: what kind of control a window is, decided from its
// window class name alone and looked up anew on every use.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace skin {

enum class ControlFamily {
  Form,
  PushButton,
  ComboBox,
  DriveList,
  CheckBox,
  OptionButton,
  ProgressBar,
  Header,
  DataList,
  DropList,
  Grid,
  Unclassified,
};

// The window's class name (ANSI), or "" when it cannot be read.
std::string GetWindowClassName(HWND window);

// Classification of a class name: lower-cased, compared exactly, with
// "apexgrid*" as the one prefix pattern. Pure; no window needed.
ControlFamily ClassifyClassName(std::string_view class_name);

ControlFamily ClassifyWindow(HWND window);

const char* FamilyName(ControlFamily family);

}  // namespace skin
