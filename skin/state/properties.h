// Named window properties: all per-window skin state lives on the window.
// Names are ASCII and go through the A entry points. An absent property
// reads as 0; integers are stored as their 32-bit two's complement.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "state/families.h"

namespace skin {
namespace prop {
inline constexpr char kProcAddr[] = "PROCADDR";
inline constexpr char kOldStyle[] = "OLDSTYLE";
inline constexpr char kMouseFlag[] = "MOUSEFLAG";
inline constexpr char kTimerId[] = "TIMERID";
inline constexpr char kOldState[] = "OLDSTATE";
inline constexpr char kAlphaLevel[] = "ALPHALEVEL";
inline constexpr char kHdIndex[] = "HDINDEX";
inline constexpr char kHmIndex[] = "HMINDEX";
// The procedure below the skin of a window that was detached while another
// subclass sat above the skin: the skin stays in the chain, passing every
// message on, until the window is destroyed or the skin is on top again.
inline constexpr char kPassProc[] = "PASSPROC";
// A top-level window that the host attached itself (SkinAttach), not one
// the skin followed on an owner's behalf: detaching its owner leaves it.
inline constexpr char kHostAttached[] = "HOSTATTACHED";
}  // namespace prop

// VisualState values kept in OLDSTATE.
enum VisualState : int32_t {
  kStateNormal = 0,
  kStateHot = 1,
  kStatePressed = 2,
  kStateDisabled = 3,
};

// "0HDC".."3HDC" and "0BMP".."3BMP": the digit first, nothing between.
std::string StateDcName(int state);
std::string StateBitmapName(int state);

int32_t GetPropInt(HWND window, const char* name);
void SetPropInt(HWND window, const char* name, int32_t value);

// Pointer-sized values (window procedures, DC and bitmap handles).
HANDLE GetPropHandle(HWND window, const char* name);
void SetPropHandle(HWND window, const char* name, HANDLE value);

void RemoveSkinProp(HWND window, const char* name);

// A window is attached exactly while it carries a non-zero PROCADDR.
bool IsAttached(HWND window);

// Whether an attached button-class window is one the skin draws: its saved
// style (OLDSTYLE) is a plain push button's.
bool IsPlainPushButton(HWND window);

// The visual state an attached window starts from, by family: MOUSEFLAG 0;
// OLDSTATE normal (disabled for a disabled push button) and a push
// button's fade level 0; a header's hot and pressed items none. Other
// families carry no visual state.
void SetFreshVisualState(HWND window, ControlFamily family);

// The family whose looks and states the skin gives an attached window. A
// button-class window that is not a plain push button (check box, radio
// button, group box, owner-drawn...) keeps its own: Unclassified.
ControlFamily SkinnedFamily(HWND window);
// The same, handing back the saved style (OLDSTYLE) of a button-class
// window, read for the answer; 0 for other classes.
ControlFamily SkinnedFamily(HWND window, LONG& saved_style);

}  // namespace skin
