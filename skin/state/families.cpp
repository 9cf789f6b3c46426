#include "state/families.h"

#include <cstddef>

namespace skin {
namespace {

struct FamilyRow {
  ControlFamily family;
  const char* names[4];  // lower case; unused slots null
};

// First row whose names hold the class name wins.
constexpr FamilyRow kFamilies[] = {
    {ControlFamily::Form, {"#32770", "thunderformdc", "thunderrt6formdc", "form"}},
    {ControlFamily::PushButton, {"thundercommandbutton", "thunderrt6commandbutton", "button", nullptr}},
    {ControlFamily::ComboBox, {"thundercombobox", "thunderrt6combobox", "combo", "combobox"}},
    {ControlFamily::DriveList, {"thunderdrivelistbox", "thunderrt6drivelistbox", nullptr, nullptr}},
    {ControlFamily::CheckBox, {"thundercheckbox", "thunderrt6checkbox", nullptr, nullptr}},
    {ControlFamily::OptionButton, {"thunderoptionbutton", "thunderrt6optionbutton", nullptr, nullptr}},
    {ControlFamily::ProgressBar, {"progressbar20wndclass", "progressbarwndclass", nullptr, nullptr}},
    {ControlFamily::Header, {"msvb_lib_header", "sysheader32", nullptr, nullptr}},
    {ControlFamily::DataList, {"datalistwndclass", "dblistwndclass", nullptr, nullptr}},
    {ControlFamily::DropList, {"combolbox", nullptr, nullptr, nullptr}},
};

constexpr std::string_view kGridPrefix = "apexgrid";

// ASCII only: every name in the table is ASCII, and a locale-dependent
// lower-casing could map some other byte onto one of them.
std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

std::string GetWindowClassName(HWND window) {
  // One spare character beyond the 255 asked for keeps the text terminated
  // whatever the platform writes.
  char buffer[256] = {};
  if (GetClassNameA(window, buffer, 255) <= 0) return std::string();
  return std::string(buffer);
}

ControlFamily ClassifyClassName(std::string_view class_name) {
  if (class_name.empty()) return ControlFamily::Unclassified;
  const std::string name = AsciiLower(class_name);
  for (const FamilyRow& row : kFamilies) {
    for (const char* candidate : row.names) {
      if (candidate && name == candidate) return row.family;
    }
  }
  if (name.compare(0, kGridPrefix.size(), kGridPrefix) == 0) return ControlFamily::Grid;
  return ControlFamily::Unclassified;
}

ControlFamily ClassifyWindow(HWND window) { return ClassifyClassName(GetWindowClassName(window)); }

const char* FamilyName(ControlFamily family) {
  switch (family) {
    case ControlFamily::Form: return "Form";
    case ControlFamily::PushButton: return "PushButton";
    case ControlFamily::ComboBox: return "ComboBox";
    case ControlFamily::DriveList: return "DriveList";
    case ControlFamily::CheckBox: return "CheckBox";
    case ControlFamily::OptionButton: return "OptionButton";
    case ControlFamily::ProgressBar: return "ProgressBar";
    case ControlFamily::Header: return "Header";
    case ControlFamily::DataList: return "DataList";
    case ControlFamily::DropList: return "DropList";
    case ControlFamily::Grid: return "Grid";
    case ControlFamily::Unclassified: return "Unclassified";
  }
  return "Unclassified";
}

bool IsPlainPushButtonStyle(LONG_PTR style) {
  const LONG_PTR type = style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace skin
