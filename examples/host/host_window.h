// The example host: a main window of the host's own class with ordinary
// standard controls, skinned through the engine's public header only.
#pragma once

#include <windows.h>

namespace host {

enum ControlId : int {
  kPushId = 100,
  kSkinToggleId,
  kRadio1Id,
  kRadio2Id,
  kCheck1Id,
  kCheck2Id,
  kEditId,
  kSubclassedEditId,
  kComboId,
  kListId,
  kDialogId,
  kMessageBoxId,
  kRememberId = 200,  // in the Options dialog
  kInfoId,            // its picture button
  kPanelId,           // its right-to-left panel
  kPanelButtonId,
};

struct HostWindow {
  HWND main = nullptr;
  HWND push = nullptr;
  HWND skin_toggle = nullptr;  // "Skin off" / "Skin on": detaches and attaches inside its click
  HWND radio1 = nullptr, radio2 = nullptr;
  HWND check1 = nullptr, check2 = nullptr;
  HWND edit = nullptr;             // with a client edge
  HWND subclassed_edit = nullptr;  // the host's own subclass, installed after attach
  HWND combo = nullptr;            // drop-down
  HWND list = nullptr;             // list view in report mode
  HWND dialog_button = nullptr;    // opens a dialog from an in-memory template
  HWND message_box_button = nullptr;
  INT_PTR dialog_result = 0;  // what the Options dialog last ended with
  bool skinned = false;
  int subclass_messages = 0;  // messages the host's edit subclass has seen
};

// Registers the class, creates the window and its controls, attaches the
// skin and installs the host's own subclass on one edit. Returns the main
// window, or null.
HWND CreateHostWindow(HINSTANCE instance, HostWindow& host);

// The host's "skin off/on" button in code: what its click does.
void ToggleSkin(HostWindow& host);

}  // namespace host
