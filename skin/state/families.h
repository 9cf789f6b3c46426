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

// True for the two push-button types (BS_PUSHBUTTON, BS_DEFPUSHBUTTON) of a
// "button" window's style word: the only buttons the skin draws and animates.
// Check boxes, radio buttons, group boxes, user, owner-drawn, split and
// command-link buttons keep their own painting and behaviour.
bool IsPlainPushButtonStyle(LONG_PTR style);

}  // namespace skin
