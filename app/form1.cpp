#include "form1.h"

#include <skin/skin.h>

#include <vector>

#include "compute_length.h"
#include "length_format.h"
#include "resource_ids.h"

namespace tarnwick {
namespace {

using forms::ControlDesign;
using forms::ControlKind;
using forms::FontDesign;
using forms::kDefaultColor;
using forms::kOnForm;

constexpr BYTE kGb2312Charset = 134;
constexpr wchar_t kSimSun[] = L"宋体";
constexpr FontDesign kFont9{kSimSun, 90, kGb2312Charset};
constexpr FontDesign kFont105{kSimSun, 105, kGb2312Charset};
constexpr FontDesign kFont12{kSimSun, 120, kGb2312Charset};

constexpr wchar_t kMessageCaption[] = L"Tarnwick";
constexpr wchar_t kZeroDivisorMessage[] = L"厚度或宽度为零，无法计算。请输入不为零的厚度和宽度。";
constexpr wchar_t kOverflowMessage[] = L"计算结果超出数值范围，无法计算。请检查输入的数据。";
constexpr wchar_t kInputRangeMessage[] = L"输入的数据超出数值范围，无法计算。请检查输入的数据。";
constexpr wchar_t kLaunchFailedMessage[] = L"无法打开论坛网址，请稍后再试。";

constexpr wchar_t kDoubleClickTip[] = L"双击鼠标输入数据。";

// Twips, in the order of the enum in form1.h.
constexpr ControlDesign kControls[kForm1ControlCount] = {
    {L"Frame1", ControlKind::kFrame, kOnForm, L"已知厚度、宽度、单重，计算长度", 120, 120, 6855, 1335,
     0x00FF80FF, nullptr, nullptr, 0, false},
    {L"Label1", ControlKind::kLabel, kFrame1, L"厚度(单位:米)", 135, 360, 1170, 180, 0x00FF0000,
     nullptr, nullptr, 6, false},
    {L"Label2", ControlKind::kLabel, kFrame1, L"宽度(单位:米)", 1515, 360, 1185, 180, 0x00FF0000,
     nullptr, nullptr, 7, false},
    {L"Label3", ControlKind::kLabel, kFrame1, L"单重(单位:吨)", 2895, 360, 1185, 180, 0x00FF00FF,
     nullptr, nullptr, 8, false},
    {L"Label4", ControlKind::kLabel, kFrame1, L"长度(单位:米)", 4395, 360, 1170, 180, 0x000000FF,
     nullptr, nullptr, 9, false},
    {L"Text1", ControlKind::kTextBox, kFrame1, L"0.22", 120, 720, 1215, 375, 0x00FF0000, &kFont12,
     kDoubleClickTip, 2, false},
    {L"Text2", ControlKind::kTextBox, kFrame1, L"1.81", 1440, 720, 1335, 375, 0x00FF0000, &kFont12,
     kDoubleClickTip, 3, false},
    {L"Text3", ControlKind::kTextBox, kFrame1, L"", 2880, 720, 1215, 375, 0x00FF00FF, &kFont12,
     L"请输入板坯重量数据。", 1, false},
    {L"Text4", ControlKind::kTextBox, kFrame1, L"", 4200, 720, 1455, 375, 0x000000FF, &kFont12,
     L"计算得出板坯的长度数据。", 5, true},
    {L"Command1", ControlKind::kCommandButton, kFrame1, L"Enter", 5760, 360, 975, 735, kDefaultColor,
     nullptr, L"计算命令按钮。", 4, false},
    {L"Label5", ControlKind::kLabel, kOnForm, L"Marrowdale", 1440, 1560, 1050, 210, 0x00008000,
     &kFont105, nullptr, 10, false},
    {L"Label6", ControlKind::kLabel, kOnForm, kForumAddress, 3360, 1560, 2415, 210, kDefaultColor,
     &kFont105, nullptr, 11, false},
};

constexpr forms::FormDesign kDesign{
    L"Tarnwick     BY:Quellin   2013.6.8", 7095, 1860, &kFont9, IDI_TARNWICK, kControls,
    kForm1ControlCount};

}  // namespace

const forms::FormDesign& Form1Design() { return kDesign; }

std::wstring ForumCommandLine() {
  return std::wstring(L"rundll32.exe url.dll,FileProtocolHandler \"") + kForumAddress + L"/\"";
}

bool LaunchDetached(const std::wstring& command_line) {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::vector<wchar_t> buffer(command_line.begin(), command_line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  // Not waited for and not kept.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

Form1::Form1()
    : message_box_([](HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
        return MessageBoxW(owner, text, caption, type);
      }),
      launcher_(LaunchDetached) {}

// Unload while every handler's object is still whole, not from the form
// member's destructor.
Form1::~Form1() { form_.Close(); }

bool Form1::Create(int show_command) {
  // Shared, so it is never destroyed by us; absent in a bare test program.
  link_cursor_ = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(IDC_LINK_POINTER), IMAGE_CURSOR,
                                                 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  if (!link_cursor_) link_cursor_ = LoadCursorW(nullptr, IDC_ARROW);
  return form_.Create(kDesign, this, show_command);
}

void Form1::OnLoad(forms::Form& form) { SkinAttach(form.window()); }

void Form1::OnUnload(forms::Form& form) { SkinDetach(form.window()); }

void Form1::OnClick(forms::Form&, int control) {
  if (control == kCommand1) ComputeLength();
  else if (control == kLabel6) OpenForum();
}

void Form1::OnDoubleClick(forms::Form& form, int control) {
  if (control == kText1 || control == kText2) form.SetText(control, L"");
}

// Enter held down a moment too long must not compute again on the box it
// has just emptied and replace the result with 0.00: only a press counts.
void Form1::OnKeyPress(forms::Form&, int control, wchar_t ch, bool repeated) {
  if (control == kText3 && ch == L'\r' && !repeated) ComputeLength();
}

void Form1::OnMouseMove(forms::Form& form, int control, POINT) {
  if (control == forms::kNoControl) {
    form.SetLabelUnderline(kLabel6, true);
  } else if (control == kLabel6) {
    form.SetLabelUnderline(kLabel6, false);
    form.SetTextColor(kLabel6, kLinkVisitedColor);
  }
}

HCURSOR Form1::LabelCursor(forms::Form&, int control) {
  return control == kLabel6 ? link_cursor_ : nullptr;
}

void Form1::ShowError(const wchar_t* text) {
  if (message_box_) message_box_(form_.window(), text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

void Form1::ComputeLength() {
  LengthResult result =
      ComputeLengthFromTexts(form_.Text(kText3), form_.Text(kText1), form_.Text(kText2));
  switch (result.status) {
    case LengthStatus::kOk:
      break;
    case LengthStatus::kZeroDivisor:
      return ShowError(kZeroDivisorMessage);
    case LengthStatus::kOverflow:
      return ShowError(kOverflowMessage);
    case LengthStatus::kInputOutOfRange:
      return ShowError(kInputRangeMessage);
  }
  form_.SetText(kText4, FormatLength(result.metres));
  form_.SetText(kText3, L"");
  form_.SetFocusTo(kText3);
}

void Form1::OpenForum() {
  if (!launcher_ || !launcher_(ForumCommandLine())) ShowError(kLaunchFailedMessage);
}

}  // namespace tarnwick
