#include "engine/attach.h"

#include <skin/skin.h>

#include <commctrl.h>

#include "engine/dispatcher.h"
#include "gdi/call_counts.h"
#include "gdi/gdi_toolkit.h"
#include "interact/fade.h"
#include "interact/high_contrast_switch.h"
#include "render/button_painter.h"
#include "render/sprite_sheets.h"
#include "state/families.h"
#include "state/high_contrast.h"
#include "state/properties.h"
#include "state/skin_state.h"

static_assert(TARNWICK_VERSION_MAJOR == TARNWICK_PROJECT_VERSION_MAJOR &&
                  TARNWICK_VERSION_MINOR == TARNWICK_PROJECT_VERSION_MINOR &&
                  TARNWICK_VERSION_PATCH == TARNWICK_PROJECT_VERSION_PATCH,
              "skin.h's version macros must match the project's version");

namespace skin {
namespace {

constexpr int kCornerEllipse = 3;

LONG_PTR GetStyle(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

WNDPROC GetWindowProc(HWND window) {
  return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                           : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

// A or W to match the window: subclassing a Unicode window through the A
// entry point would turn it into an ANSI window, and every character it is
// sent would then pass through the ANSI code page.
void SetWindowProc(HWND window, WNDPROC procedure) {
  const auto value = reinterpret_cast<LONG_PTR>(procedure);
  if (IsWindowUnicode(window)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, value);
  } else {
    SetWindowLongPtrA(window, GWLP_WNDPROC, value);
  }
}

void RepaintWholeWindow(HWND window) {
  // A window that is not on screen is painted whole, frame and client
  // area, when it is shown; painting or invalidating it now would only
  // cost time (a form is attached before it is first shown, with all its
  // children).
  if (!IsWindowVisible(window)) return;
  SendMessageW(window, WM_NCPAINT, 1, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

void SetRoundedRegion(HWND window, int width, int height) {
  HRGN region = NoteGdiObject(CreateRoundRectRgn(0, 0, width + 1, height + 1, kCornerEllipse, kCornerEllipse));
  // From here on the region belongs to the window.
  SetWindowRgn(window, region, TRUE);
}

// Every button-class window gets the properties detach restores from; only
// a plain push button gets images, owner drawing and the rounded region.
// Check boxes, radio buttons, group boxes and the other types keep their
// own painting and behaviour.
void AttachPushButton(HWND window) {
  const LONG_PTR style = GetStyle(window);
  // Whatever TIMERID says, no fade timer of an earlier attach runs on.
  KillTimer(window, kFadeTimerId);
  SetPropInt(window, prop::kOldStyle, static_cast<int32_t>(style));
  SetPropInt(window, prop::kTimerId, 0);
  SetFreshVisualState(window, ControlFamily::PushButton);
  if (!IsPlainPushButtonStyle(style)) return;

  WindowBounds bounds;
  GetWindowBounds(window, bounds);
  // The images have the window's format, which is the display's: made
  // alike from the set-up's held format DC, without a window DC.
  ButtonImages images;
  for (int state = 0; state < 4; ++state) {
    HDC image_dc = images.dc[state] = CreateImageDC(window);
    HBITMAP bitmap = CreateImageBitmap(window, bounds.Width, bounds.Height);
    SelectObject(image_dc, bitmap);
    SetPropHandle(window, StateDcName(state).c_str(), image_dc);
    SetPropHandle(window, StateBitmapName(state).c_str(), bitmap);
  }
  // The images, size and style are at hand: the painter need not read them
  // back from the properties just written.
  RenderButtonImages(window, images, bounds.Width, bounds.Height, static_cast<LONG>(style), nullptr);

  SendMessageW(window, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  // Owner drawing changes the style word only, never the size.
  SetRoundedRegion(window, bounds.Width, bounds.Height);
}

void DetachPushButton(HWND window) {
  const bool plain = IsPlainPushButton(window);
  // The DC goes first: a bitmap still selected into a DC cannot be deleted.
  for (int state = 0; state < 4; ++state) {
    const std::string dc_name = StateDcName(state);
    const std::string bitmap_name = StateBitmapName(state);
    HDC image_dc = static_cast<HDC>(GetPropHandle(window, dc_name.c_str()));
    HGDIOBJ bitmap = GetPropHandle(window, bitmap_name.c_str());
    if (image_dc) DeleteDC(image_dc);
    if (bitmap) DeleteObject(bitmap);
    RemoveSkinProp(window, dc_name.c_str());
    RemoveSkinProp(window, bitmap_name.c_str());
  }
  StopFadeTimer(window);
  KillTimer(window, kFadeTimerId);  // also one TIMERID lost track of
  // Writing the saved style back also undoes the owner-draw switch. The
  // 32-bit value is widened with its sign, as the style was read.
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG>(GetPropInt(window, prop::kOldStyle)));
  for (const char* name : {prop::kOldStyle, prop::kMouseFlag, prop::kTimerId, prop::kOldState, prop::kAlphaLevel}) {
    RemoveSkinProp(window, name);
  }
  // Only the region the skin gave; another button's own region stays.
  if (plain) SetWindowRgn(window, nullptr, TRUE);
}

// The drop-down list of a combo box is not its descendant; the skin attached
// it on the combo box's behalf (WM_CTLCOLORLISTBOX) and takes it off with it.
void DetachDropDownList(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(combo, &info) && info.hwndList && info.hwndList != combo) DetachWindow(info.hwndList);
}

// The skin is on top of the window's chain when the window's procedure is
// the skin's own.
bool SkinIsOnTop(HWND window) { return GetWindowProc(window) == SkinWindowProc; }

void SetUp() {
  SkinState& state = State();
  state.initialised = true;
  state.leave_tracking_available = IsApiExported("TrackMouseEvent", "User32");
  state.high_contrast = ReadHighContrast();
  HoldDisplayObjects();
  // Each sheet is built when a painter first asks for it (Sheet): the
  // calculator's first paint needs one of the five.
  state.build_sheet = BuildSpriteSheet;
}

void TearDown() {
  SkinState& state = State();
  state.attached_count = 0;
  state.build_sheet = nullptr;
  FreeSpriteSheets();
  state.glyphs.Clear();
  state.button_faces.Clear();
  ReleaseDisplayObjects();
  state.initialised = false;
}

// Only windows of the calling thread are attached or detached: anything
// else (a stale handle in a message, another program's window, a window of
// another GUI thread, which that thread's own skin state counts and draws)
// is left alone, so a thread's count is exactly the windows it holds.
void LeavePassThrough(HWND window) {
  RemoveSkinProp(window, prop::kPassProc);
  if (State().pass_through_count > 0) --State().pass_through_count;
}

bool IsOwnWindow(HWND window) {
  return IsWindow(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

int AttachWindow(HWND window) {
  if (!window) return 0;
  if (IsAttached(window)) return 0;
  if (!IsOwnWindow(window)) return 0;

  const ControlFamily family = ClassifyWindow(window);
  switch (family) {
    case ControlFamily::Form:
      // Descendants first; one reached twice is attached once.
      EnumChildWindows(window, AttachChildProc, 0);
      break;
    case ControlFamily::PushButton:
      AttachPushButton(window);
      break;
    default:
      SetFreshVisualState(window, family);
      break;
  }

  SkinState& state = State();
  ++state.attached_count;
  HANDLE below = state.pass_through_count > 0 ? GetPropHandle(window, prop::kPassProc) : nullptr;
  if (below) {
    // Detached earlier under another subclass, the skin still sits in the
    // chain: it takes up its work there again, below that subclass.
    SetPropHandle(window, prop::kProcAddr, below);
    LeavePassThrough(window);
  } else {
    // PROCADDR is stored before the procedure is swapped, so no message can
    // reach the dispatcher while the window looks unattached.
    SetPropHandle(window, prop::kProcAddr, reinterpret_cast<HANDLE>(GetWindowProc(window)));
    SetWindowProc(window, SkinWindowProc);
  }
  if (state.high_contrast) ShowPlatformLook(window);
  RepaintWholeWindow(window);
  return 1;
}

int DetachWindow(HWND window) {
  if (!window) return 0;
  auto previous = reinterpret_cast<WNDPROC>(GetPropHandle(window, prop::kProcAddr));
  if (!previous || !IsOwnWindow(window)) return 0;

  switch (ClassifyWindow(window)) {
    case ControlFamily::Form:
      EnumChildWindows(window, DetachChildProc, 0);
      break;
    case ControlFamily::PushButton:
      DetachPushButton(window);
      break;
    case ControlFamily::ComboBox:
    case ControlFamily::DriveList:
      DetachDropDownList(window);
      RemoveSkinProp(window, prop::kMouseFlag);
      RemoveSkinProp(window, prop::kOldState);
      break;
    case ControlFamily::CheckBox:
    case ControlFamily::OptionButton:
      RemoveSkinProp(window, prop::kMouseFlag);
      RemoveSkinProp(window, prop::kOldState);
      break;
    case ControlFamily::Header:
      RemoveSkinProp(window, prop::kMouseFlag);
      RemoveSkinProp(window, prop::kHdIndex);
      RemoveSkinProp(window, prop::kHmIndex);
      break;
    default:
      break;
  }

  RemoveSkinProp(window, prop::kProcAddr);
  RemoveSkinProp(window, prop::kHostAttached);
  if (SkinIsOnTop(window)) {
    SetWindowProc(window, previous);
  } else {
    // Another subclass sits above the skin and forwards to it: putting the
    // saved procedure back would cut that subclass out. The skin stays as
    // a pure pass-through (see SkinWindowProc) and leaves the chain when
    // the window is destroyed or when it is on top again.
    SetPropHandle(window, prop::kPassProc, reinterpret_cast<HANDLE>(previous));
    ++State().pass_through_count;
  }
  RepaintWholeWindow(window);

  if (--State().attached_count <= 0) TearDown();
  return 1;
}

BOOL CALLBACK AttachChildProc(HWND child, LPARAM) {
  AttachWindow(child);
  return TRUE;
}

BOOL CALLBACK DetachChildProc(HWND child, LPARAM) {
  DetachWindow(child);
  return TRUE;
}

BOOL CALLBACK DetachOwnedProc(HWND top, LPARAM owner) {
  // Only what the skin followed on the owner's behalf: a window the host
  // attached itself is the host's to detach.
  if (top != reinterpret_cast<HWND>(owner) && GetWindow(top, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
      !GetPropHandle(top, prop::kHostAttached)) {
    SkinDetach(top);
  }
  return TRUE;
}

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto below = reinterpret_cast<WNDPROC>(GetPropHandle(window, prop::kPassProc));
  if (!below) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    // The last message: the skin leaves the chain with it.
    LeavePassThrough(window);
  } else if (SkinIsOnTop(window)) {
    // The subclass above has taken itself out by putting the skin's
    // procedure back: the skin puts back what lies below it in turn.
    LeavePassThrough(window);
    SetWindowProc(window, below);
  }
  return IsWindowUnicode(window) ? CallWindowProcW(below, window, message, wParam, lParam)
                                 : CallWindowProcA(below, window, message, wParam, lParam);
}

bool IsApiExported(const char* function, const char* library) {
  HMODULE module = GetModuleHandleA(library);
  HMODULE loaded = nullptr;
  if (!module) module = loaded = LoadLibraryA(library);
  if (!module) return false;
  const bool found = GetProcAddress(module, function) != nullptr;
  if (loaded) FreeLibrary(loaded);
  return found;
}

}  // namespace skin

int SkinAttach(HWND window) {
  // Another thread's window is that thread's to attach, with its own state.
  if (!window || !skin::IsOwnWindow(window)) return 0;
  const bool set_up_now = !skin::State().initialised;
  if (set_up_now) skin::SetUp();
  // Whatever the window's class, its descendants are attached first (a form
  // does this itself inside AttachWindow; one reached twice is attached once).
  if (skin::ClassifyWindow(window) != skin::ControlFamily::Form && !skin::IsAttached(window)) {
    EnumChildWindows(window, skin::AttachChildProc, 0);
  }
  const int attached = skin::AttachWindow(window);
  // Marked so that detaching its owner leaves it (DetachOwnedProc); only
  // top-level windows have owners.
  if (attached && !(skin::GetStyle(window) & WS_CHILD)) {
    skin::SetPropInt(window, skin::prop::kHostAttached, 1);
  }
  // A first call that attaches nothing would otherwise leave the sheets
  // built with no window whose detach could ever free them.
  if (set_up_now && !attached && skin::State().attached_count <= 0) skin::TearDown();
  return attached;
}

int SkinDetach(HWND window) {
  // Another thread's window, and everything reached through it, is that
  // thread's to detach: its count, sheets and objects are its own.
  if (!window || !skin::IsOwnWindow(window) || !skin::IsAttached(window)) return 0;
  // Windows it owns that were skinned on its behalf (a modeless dialog that
  // took the activation) go with it, then its descendants, whatever the
  // window's class: SkinAttach attached them.
  EnumThreadWindows(GetCurrentThreadId(), skin::DetachOwnedProc, reinterpret_cast<LPARAM>(window));
  if (skin::ClassifyWindow(window) != skin::ControlFamily::Form) EnumChildWindows(window, skin::DetachChildProc, 0);
  return skin::DetachWindow(window);
}
