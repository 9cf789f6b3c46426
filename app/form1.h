// Tarnwick's one window: the slab length calculator and the forum link.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "form_engine.h"

namespace tarnwick {

// Indices into the window's design table.
enum Form1Control : int {
  kFrame1,
  kLabel1,
  kLabel2,
  kLabel3,
  kLabel4,
  kText1,  // thickness, metres
  kText2,  // width, metres
  kText3,  // unit weight, tonnes
  kText4,  // length, metres (read-only)
  kCommand1,
  kLabel5,  // forum name
  kLabel6,  // forum link
  kForm1ControlCount,
};

constexpr wchar_t kForumAddress[] = L"http://www.marrowdale.example";
constexpr COLORREF kLinkVisitedColor = 0x00FF0000;

// The window's design: what Form1 shows, for programs that build the same
// window around other handlers (the benchmark, without the skin).
const forms::FormDesign& Form1Design();

// The shell command that opens the forum's root page.
std::wstring ForumCommandLine();

// Starts a command line in a normal, activated window without waiting.
bool LaunchDetached(const std::wstring& command_line);

using MessageBoxFunction = std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type)>;
using LaunchFunction = std::function<bool(const std::wstring& command_line)>;

class Form1 final : public forms::FormEvents {
 public:
  Form1();
  ~Form1();
  bool Create(int show_command);
  forms::Form& form() { return form_; }

  // Replaceable so that tests can record instead of blocking or launching.
  void set_message_box(MessageBoxFunction show) { message_box_ = std::move(show); }
  void set_launcher(LaunchFunction launch) { launcher_ = std::move(launch); }

  void ComputeLength();
  void OpenForum();

 private:
  void OnLoad(forms::Form& form) override;
  void OnUnload(forms::Form& form) override;
  void OnClick(forms::Form& form, int control) override;
  void OnDoubleClick(forms::Form& form, int control) override;
  void OnKeyPress(forms::Form& form, int control, wchar_t ch, bool repeated) override;
  void OnMouseMove(forms::Form& form, int control, POINT point) override;
  HCURSOR LabelCursor(forms::Form& form, int control) override;

  void ShowError(const wchar_t* text);

  forms::Form form_;
  MessageBoxFunction message_box_;
  LaunchFunction launcher_;
  HCURSOR link_cursor_ = nullptr;
};

}  // namespace tarnwick
