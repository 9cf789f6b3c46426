// Attaching, detaching and dispatching on real windows.
#include <skin/skin.h>

#include <string>

#include "engine/dispatcher.h"
#include "support/engine_fixture.h"
#include "state/families.h"

namespace skin_test {
namespace {

using skin::State;

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

class AttachTest : public EngineTest {};

TEST_F(AttachTest, AttachDetachCycleRestoresEverything) {
  HWND form = CreateForm();
  HWND button = CreateChild(form, L"Button", L"Go", BS_DEFPUSHBUTTON, 10, 10, 75, 23);
  HWND edit = CreateChild(form, L"Edit", L"0.22", ES_AUTOHSCROLL, 10, 40, 80, 20, WS_EX_CLIENTEDGE);
  HWND label = CreateChild(form, L"Static", L"x", 0, 10, 70, 80, 20);
  const WNDPROC form_proc = ProcOf(form), button_proc = ProcOf(button), edit_proc = ProcOf(edit);
  const LONG_PTR button_style = GetWindowLongPtrW(button, GWL_STYLE);

  ASSERT_EQ(SkinAttach(form), 1);
  EXPECT_TRUE(State().initialised);
  EXPECT_EQ(State().attached_count, 4);
  for (HWND w : {form, button, edit, label}) {
    EXPECT_EQ(ProcOf(w), reinterpret_cast<WNDPROC>(skin::SkinWindowProc));
    EXPECT_NE(GetPropA(w, "PROCADDR"), nullptr);
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetPropA(button, "PROCADDR")), button_proc);
  // Only the sheets a painter asked for are built: the push button's
  // images need the button sheet; nothing here draws from the others until
  // it is first asked for, and then it is built once.
  EXPECT_EQ(GetObjectType(State().sheets[skin::SheetButton]), static_cast<DWORD>(OBJ_MEMDC));
  for (int i = skin::SheetComboButton; i < skin::kSheetCount; ++i) {
    EXPECT_EQ(State().sheets[i], nullptr) << "sheet " << i << " built before its first use";
  }
  HDC sheets[skin::kSheetCount];
  for (int i = 0; i < skin::kSheetCount; ++i) {
    sheets[i] = skin::Sheet(static_cast<skin::SpriteSheet>(i));
    EXPECT_EQ(GetObjectType(sheets[i]), static_cast<DWORD>(OBJ_MEMDC)) << "sheet " << i;
    EXPECT_EQ(skin::Sheet(static_cast<skin::SpriteSheet>(i)), sheets[i]) << "sheet " << i << " built twice";
  }

  // Attaching again, the form or a child, changes nothing.
  EXPECT_EQ(SkinAttach(form), 0);
  EXPECT_EQ(SkinAttach(button), 0);
  EXPECT_EQ(State().attached_count, 4);
  EXPECT_EQ(State().sheets[0], sheets[0]);
  EXPECT_EQ(SkinAttach(nullptr), 0);
  EXPECT_EQ(SkinDetach(nullptr), 0);

  const HGDIOBJ image_bitmap = GetPropA(button, "0BMP");
  EXPECT_EQ(GetObjectType(image_bitmap), static_cast<DWORD>(OBJ_BITMAP));

  ASSERT_EQ(SkinDetach(form), 1);
  EXPECT_EQ(SkinDetach(form), 0);
  EXPECT_EQ(State().attached_count, 0);
  EXPECT_FALSE(State().initialised);
  for (HWND w : {form, button, edit, label}) EXPECT_TRUE(HasNoSkinProps(w));
  EXPECT_EQ(ProcOf(form), form_proc);
  EXPECT_EQ(ProcOf(button), button_proc);
  EXPECT_EQ(ProcOf(edit), edit_proc);
  EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE), button_style);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(button, probe), ERROR) << "the rounded region must be gone";
  DeleteObject(probe);
  EXPECT_EQ(GetObjectType(image_bitmap), 0u) << "per-state bitmap freed";
  for (int i = 0; i < skin::kSheetCount; ++i) {
    EXPECT_EQ(GetObjectType(sheets[i]), 0u) << "sheet " << i;
    EXPECT_EQ(skin::Sheet(static_cast<skin::SpriteSheet>(i)), nullptr) << "no sheet is built while detached";
  }

  // A new cycle sets the engine up again.
  ASSERT_EQ(SkinAttach(form), 1);
  EXPECT_TRUE(State().initialised);
  EXPECT_EQ(GetObjectType(State().sheets[0]), static_cast<DWORD>(OBJ_MEMDC));
  EXPECT_EQ(SkinDetach(form), 1);
  DestroyWindow(form);
}

TEST_F(AttachTest, PushButtonsGetImagesRegionAndStyle) {
  HWND form = CreateForm();
  HWND def = CreateChild(form, L"Button", L"Def", BS_DEFPUSHBUTTON, 10, 10, 75, 23);
  HWND check = CreateChild(form, L"Button", L"Check", BS_AUTOCHECKBOX, 10, 40, 75, 23);
  HWND off = CreateChild(form, L"Button", L"Off", BS_PUSHBUTTON | WS_DISABLED, 10, 70, 60, 30);
  // The display's format, as a bitmap made compatible with the screen has it.
  BITMAP screen_format{};
  {
    HDC screen = GetDC(nullptr);
    HBITMAP probe = CreateCompatibleBitmap(screen, 1, 1);
    GetObjectW(probe, sizeof(screen_format), &screen_format);
    DeleteObject(probe);
    ReleaseDC(nullptr, screen);
  }
  ASSERT_GT(screen_format.bmBitsPixel, 1);
  ASSERT_EQ(SkinAttach(form), 1);

  EXPECT_EQ(GetWindowLongPtrW(def, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(Prop(def, "OLDSTYLE") & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrW(check, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX) << "a check box keeps its style";
  EXPECT_EQ(Prop(def, "OLDSTATE"), 0);
  EXPECT_EQ(Prop(off, "OLDSTATE"), 3);

  // A check box keeps its own painting: the properties detach restores
  // from, but no images and no region.
  for (int state = 0; state < 4; ++state) {
    EXPECT_EQ(GetPropA(check, (std::to_string(state) + "HDC").c_str()), nullptr);
  }
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(check, none), ERROR) << "a check box gets no rounded region";
  DeleteObject(none);
  for (HWND button : {def, check}) {
    EXPECT_EQ(Prop(button, "MOUSEFLAG"), 0);
    EXPECT_EQ(Prop(button, "TIMERID"), 0);
    EXPECT_EQ(Prop(button, "ALPHALEVEL"), 0);
  }
  for (HWND button : {def}) {
    for (int state = 0; state < 4; ++state) {
      const std::string n = std::to_string(state);
      HDC dc = static_cast<HDC>(GetPropA(button, (n + "HDC").c_str()));
      HBITMAP bitmap = static_cast<HBITMAP>(GetPropA(button, (n + "BMP").c_str()));
      ASSERT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap) << "the BMP property names the selected bitmap";
      BITMAP info{};
      GetObjectW(bitmap, sizeof(info), &info);
      EXPECT_EQ(info.bmWidth, 75);
      EXPECT_EQ(info.bmHeight, 23);
      EXPECT_EQ(info.bmBitsPixel, screen_format.bmBitsPixel) << "a colour image in the display's format";
      EXPECT_EQ(info.bmPlanes, screen_format.bmPlanes);
      // A 32-bit display's images are DIB sections of its format; any other
      // depth keeps the device bitmaps the screen makes.
      DIBSECTION section{};
      const bool is_section = GetObjectW(bitmap, sizeof(section), &section) == static_cast<int>(sizeof(section));
      EXPECT_EQ(is_section, screen_format.bmBitsPixel == 32);
      if (is_section) {
        EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB)) << "the display's 0x00RRGGBB pixels";
      }
    }
    EXPECT_TRUE(HasRoundedRegion(button, 75, 23));
  }
  EXPECT_EQ(SkinDetach(form), 1);
  DestroyWindow(form);
}

// The previous procedure of a subclassed window sees every message the
// dispatcher has no handler for exactly as sent, and its result comes back.
struct Recorded {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Recorded> g_recorded;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR || message == 0x0009 || message == WM_USER + 7) {
    g_recorded.push_back({message, wParam, lParam});
    return static_cast<LRESULT>(lParam) + 1000;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(AttachTest, UnlistedMessagesPassThroughUnchanged) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RecordingWindow";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"RecordingWindow", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_EQ(SkinAttach(window), 1);
  g_recorded.clear();
  EXPECT_EQ(SendMessageW(window, WM_CHAR, 0x7C73, 5), 1005);
  EXPECT_EQ(SendMessageW(window, 0x0009, 0x1234, -7), 993);
  EXPECT_EQ(SendMessageW(window, WM_USER + 7, ~static_cast<WPARAM>(0), 123456), 124456);
  ASSERT_EQ(g_recorded.size(), 3u);
  EXPECT_EQ(g_recorded[0].message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(g_recorded[0].wParam, 0x7C73u) << "a Unicode character must arrive as itself";
  EXPECT_EQ(g_recorded[1].lParam, -7);
  EXPECT_EQ(g_recorded[2].wParam, ~static_cast<WPARAM>(0));
  EXPECT_EQ(SkinDetach(window), 1);
  DestroyWindow(window);
}

TEST_F(AttachTest, ChineseTextSurvivesTheSubclassedEdit) {
  HWND form = CreateForm();
  HWND edit = CreateChild(form, L"Edit", L"", ES_AUTOHSCROLL, 10, 10, 120, 22, WS_EX_CLIENTEDGE);
  ASSERT_TRUE(IsWindowUnicode(edit));
  ASSERT_EQ(SkinAttach(form), 1);
  EXPECT_TRUE(IsWindowUnicode(edit)) << "subclassing must not turn the edit into an ANSI window";
  SetFocus(edit);
  SendMessageW(edit, WM_CHAR, L'3', 1);
  SendMessageW(edit, WM_CHAR, 0x7C73, 1);  // 米
  wchar_t text[16] = {};
  GetWindowTextW(edit, text, 16);
  EXPECT_EQ(std::wstring(text), L"3\x7C73");
  SetWindowTextW(edit, L"3.20  \x7C73");
  GetWindowTextW(edit, text, 16);
  EXPECT_EQ(std::wstring(text), L"3.20  \x7C73");
  EXPECT_EQ(SkinDetach(form), 1);
  EXPECT_TRUE(IsWindowUnicode(edit));
  DestroyWindow(form);
}

TEST_F(AttachTest, DestroyingAnAttachedFormDetachesItFirst) {
  HWND form = CreateForm();
  HWND button = CreateChild(form, L"Button", L"Go", 0, 10, 10, 75, 23);
  CreateChild(form, L"Edit", L"", 0, 10, 40, 75, 23);
  ASSERT_EQ(SkinAttach(form), 1);
  ASSERT_EQ(State().attached_count, 3);
  Log().watched_child = button;
  DestroyWindow(form);
  EXPECT_TRUE(Log().props_gone_on_destroy) << "form and child detached before the form's own WM_DESTROY";
  EXPECT_NE(std::find(Log().messages.begin(), Log().messages.end(), static_cast<UINT>(WM_DESTROY)),
            Log().messages.end());
  EXPECT_EQ(State().attached_count, 0);
}

TEST_F(AttachTest, ComboListIsAttachedOnceAndDetachedWithIt) {
  HWND form = CreateForm();
  HWND combo = CreateChild(form, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 120, 150);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
  ASSERT_EQ(SkinAttach(form), 1);
  const int32_t before = State().attached_count;
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  HWND list = info.hwndList;
  EXPECT_EQ(skin::ClassifyWindow(list), skin::ControlFamily::DropList);

  HDC dc = GetDC(list);
  SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  ReleaseDC(list, dc);
  EXPECT_EQ(State().attached_count, before + 1);
  EXPECT_NE(GetPropA(list, "PROCADDR"), nullptr);
  SendMessageW(combo, WM_CTLCOLORLISTBOX, 0, 0);  // no window named: nothing attached
  EXPECT_EQ(State().attached_count, before + 1);

  DestroyWindow(combo);  // takes its list with it
  EXPECT_EQ(State().attached_count, before - 1);
  EXPECT_EQ(SkinDetach(form), 1);
  DestroyWindow(form);
}

TEST_F(AttachTest, StaleOrForeignHandlesAreNotCounted) {
  HWND form = CreateForm();
  ASSERT_EQ(SkinAttach(form), 1);
  HWND gone = CreateForm();
  DestroyWindow(gone);
  SendMessageW(form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(gone));
  SendMessageW(form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(GetDesktopWindow()));
  EXPECT_EQ(State().attached_count, 1);
  EXPECT_EQ(SkinDetach(form), 1);
  DestroyWindow(form);
  // A first attach that attaches nothing does not leave the sheets behind.
  EXPECT_EQ(SkinAttach(gone), 0);
  EXPECT_FALSE(State().initialised);
}

// Detaching an owner takes the windows the skin followed for it and leaves
// those the host attached itself: a tool palette stays skinned until the
// host takes it off (or destroys it).
TEST_F(AttachTest, OwnerDetachLeavesTheWindowsTheHostAttached) {
  HWND form = CreateForm();
  auto owned = [form](const wchar_t* cls) {
    HWND top = CreateWindowExW(0, cls, L"owned", WS_POPUP | WS_CAPTION, 60, 60, 120, 80, form, nullptr, nullptr,
                               nullptr);
    CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 5, 5, 60, 22, top, nullptr, nullptr, nullptr);
    return top;
  };
  HWND palette = owned(kFormClass);
  HWND followed = owned(L"#32770");
  HWND idle = owned(L"#32770");
  ASSERT_EQ(SkinAttach(form), 1);
  ASSERT_EQ(SkinAttach(palette), 1);
  SendMessageW(form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(followed));
  SendMessageW(form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(idle));
  ASSERT_EQ(State().attached_count, 7);

  EXPECT_EQ(SkinDetach(form), 1);
  EXPECT_TRUE(HasNoSkinProps(followed));
  EXPECT_TRUE(HasNoSkinProps(idle));
  EXPECT_TRUE(GetPropA(palette, "PROCADDR"));
  EXPECT_EQ(State().attached_count, 2) << "the palette and its button";
  EXPECT_EQ(SkinDetach(palette), 1);
  EXPECT_TRUE(HasNoSkinProps(palette));
  DestroyWindow(form);
}

// A message box owned by a skinned form, attached through WM_ENTERIDLE
// while it runs its modal loop, together with its buttons.
struct BoxProbe {
  HWND form;
  int32_t count_inside = -1;
  bool box_attached = false;
  bool button_attached = false;
};
BoxProbe g_probe;

BOOL CALLBACK FindOkButton(HWND child, LPARAM found) {
  if (skin::GetWindowClassName(child) == "Button") {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK ProbeBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"probe");
  if (!box) return;
  KillTimer(nullptr, id);
  SendMessageW(g_probe.form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(box));
  g_probe.count_inside = State().attached_count;
  g_probe.box_attached = GetPropA(box, "PROCADDR") != nullptr;
  HWND ok = nullptr;
  EnumChildWindows(box, FindOkButton, reinterpret_cast<LPARAM>(&ok));
  g_probe.button_attached = ok && GetPropA(ok, "PROCADDR") != nullptr;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(AttachTest, MessageBoxIsAttachedThroughEnterIdleAndDetachedOnClose) {
  HWND form = CreateForm();
  ShowWindow(form, SW_SHOW);
  ASSERT_EQ(SkinAttach(form), 1);
  g_probe = BoxProbe{form};
  SetTimer(nullptr, 0, 20, ProbeBox);
  MessageBoxW(form, L"text", L"probe", MB_OK);
  EXPECT_TRUE(g_probe.box_attached);
  EXPECT_TRUE(g_probe.button_attached);
  EXPECT_GT(g_probe.count_inside, 2);
  EXPECT_EQ(State().attached_count, 1) << "the box and its children are detached when it is destroyed";
  EXPECT_EQ(SkinDetach(form), 1);
  DestroyWindow(form);
}

}  // namespace
}  // namespace skin_test
