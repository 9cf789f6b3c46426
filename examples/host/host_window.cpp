#include "host_window.h"

#include <commctrl.h>
#include <skin/skin.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>

namespace host {
namespace {

constexpr wchar_t kClassName[] = L"AcmeHostMainWindow";
constexpr UINT_PTR kEditSubclassId = 7;

HostWindow* HostOf(HWND window) { return reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// The host's own subclass of one edit, installed after the skin's: it only
// counts what it sees and passes everything on.
LRESULT CALLBACK CountingEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  ++reinterpret_cast<HostWindow*>(data)->subclass_messages;
  return DefSubclassProc(window, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h,
           DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// A dialog template in memory.
struct alignas(DWORD) DialogTemplate {
  unsigned char bytes[1024];
};

size_t PutWords(unsigned char* at, const wchar_t* text) {
  const size_t n = (wcslen(text) + 1) * sizeof(wchar_t);
  std::memcpy(at, text, n);
  return n;
}

size_t AlignDword(size_t offset) { return (offset + 3) & ~size_t{3}; }

size_t PutHeader(unsigned char* base, DWORD style, DWORD ex_style, WORD items, short cx, short cy,
                 const wchar_t* title) {
  DLGTEMPLATE header{style | DS_SETFONT, ex_style, items, 10, 10, cx, cy};
  std::memcpy(base, &header, sizeof(header));
  size_t offset = sizeof(header);
  const WORD no_menu_no_class[2] = {0, 0};
  std::memcpy(base + offset, no_menu_no_class, sizeof(no_menu_no_class));
  offset += sizeof(no_menu_no_class);
  offset += PutWords(base + offset, title);
  const WORD point_size = 9;
  std::memcpy(base + offset, &point_size, sizeof(point_size));
  offset += sizeof(point_size);
  return offset + PutWords(base + offset, L"MS Shell Dlg");
}

size_t PutItem(unsigned char* base, size_t offset, DWORD style, short x, short y, short cx, short cy, WORD id,
               WORD atom, const wchar_t* text) {
  offset = AlignDword(offset);
  DLGITEMTEMPLATE item{WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy, id};
  std::memcpy(base + offset, &item, sizeof(item));
  offset += sizeof(item);
  const WORD klass[2] = {0xFFFF, atom};
  std::memcpy(base + offset, klass, sizeof(klass));
  offset += sizeof(klass);
  offset += PutWords(base + offset, text);
  const WORD no_data = 0;
  std::memcpy(base + offset, &no_data, sizeof(no_data));
  return offset + sizeof(no_data);
}

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

// The panel's commands are the dialog's.
INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) {
    SendMessageW(GetParent(panel), WM_COMMAND, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

// A right-to-left panel inside the dialog: a child dialog of its own, with
// a label and a push button laid out from the right.
HWND CreateRightToLeftPanel(HWND dialog) {
  DialogTemplate t{};
  size_t offset = PutHeader(t.bytes, WS_CHILD | WS_VISIBLE | DS_CONTROL, WS_EX_LAYOUTRTL, 2, 150, 24, L"");
  offset = PutItem(t.bytes, offset, SS_LEFT, 4, 6, 60, 10, 0xFFFF, kStaticAtom, L"\x0645\x0642\x0627\x0633");
  PutItem(t.bytes, offset, BS_PUSHBUTTON | WS_TABSTOP, 70, 4, 60, 14, kPanelButtonId, kButtonAtom, L"&Units");
  HWND panel = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.bytes), dialog,
                                          PanelProc, 0);
  SetWindowLongPtrW(panel, GWLP_ID, kPanelId);
  RECT r{5, 28, 0, 0};
  MapDialogRect(dialog, &r);
  SetWindowPos(panel, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return panel;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    // The picture button shows a system icon instead of text.
    SendDlgItemMessageW(dialog, kInfoId, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_INFORMATION)));
    CreateRightToLeftPanel(dialog);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// Options: a check box, a picture button, a right-to-left panel, and OK
// (the default button), Cancel and Apply. The skin follows it when it takes
// the activation from the skinned main window; Enter presses the button
// that has the focus, or OK.
INT_PTR ShowTemplateDialog(HWND owner) {
  DialogTemplate t{};
  size_t offset = PutHeader(t.bytes, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 5, 180, 80, L"Options");
  offset = PutItem(t.bytes, offset, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 100, 12, kRememberId, kButtonAtom,
                   L"Remember");
  offset = PutItem(t.bytes, offset, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 140, 5, 30, 20, kInfoId, kButtonAtom,
                   L"Info");
  offset = PutItem(t.bytes, offset, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 60, 50, 14, IDOK, kButtonAtom, L"OK");
  offset = PutItem(t.bytes, offset, BS_PUSHBUTTON | WS_TABSTOP, 65, 60, 50, 14, IDCANCEL, kButtonAtom, L"Cancel");
  PutItem(t.bytes, offset, BS_PUSHBUTTON | WS_TABSTOP, 120, 60, 50, 14, IDRETRY, kButtonAtom, L"&Apply");
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.bytes), owner,
                                 DialogProc, 0);
}

void CreateControls(HWND window, HostWindow& host) {
  host.push = Child(window, L"Button", L"Save", BS_PUSHBUTTON | WS_TABSTOP, kPushId, 10, 10, 90, 26);
  host.skin_toggle = Child(window, L"Button", L"Skin off", BS_PUSHBUTTON | WS_TABSTOP, kSkinToggleId, 110, 10, 90, 26);
  host.radio1 = Child(window, L"Button", L"Metric", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kRadio1Id, 10, 50,
                      90, 20);
  host.radio2 = Child(window, L"Button", L"Imperial", BS_AUTORADIOBUTTON, kRadio2Id, 110, 50, 90, 20);
  host.check1 = Child(window, L"Button", L"Round up", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, kCheck1Id, 10, 80, 90,
                      20);
  host.check2 = Child(window, L"Button", L"Keep log", BS_AUTOCHECKBOX | WS_TABSTOP, kCheck2Id, 110, 80, 90, 20);
  host.edit = Child(window, L"Edit", L"12.5", ES_AUTOHSCROLL | WS_TABSTOP, kEditId, 10, 110, 190, 22,
                    WS_EX_CLIENTEDGE);
  host.subclassed_edit = Child(window, L"Edit", L"\x4e2d\x6587", ES_AUTOHSCROLL | WS_TABSTOP, kSubclassedEditId, 10,
                               140, 190, 22, WS_EX_CLIENTEDGE);
  host.combo = Child(window, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, kComboId, 10, 170, 190, 120);
  for (const wchar_t* item : {L"Slab", L"Plate", L"Coil"}) {
    SendMessageW(host.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  host.list = Child(window, WC_LISTVIEWW, L"", LVS_REPORT | WS_TABSTOP, kListId, 210, 10, 200, 150, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 95;
  for (const wchar_t* title : {L"Grade", L"Weight"}) {
    column.pszText = const_cast<wchar_t*>(title);
    SendMessageW(host.list, LVM_INSERTCOLUMNW, 9, reinterpret_cast<LPARAM>(&column));
  }
  host.dialog_button = Child(window, L"Button", L"Options...", BS_PUSHBUTTON | WS_TABSTOP, kDialogId, 210, 170, 95,
                             26);
  host.message_box_button = Child(window, L"Button", L"About", BS_PUSHBUTTON | WS_TABSTOP, kMessageBoxId, 315, 170,
                                  95, 26);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HostWindow* host = HostOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case WM_COMMAND:
      if (host && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case kSkinToggleId:
            ToggleSkin(*host);
            return 0;
          case kDialogId:
            host->dialog_result = ShowTemplateDialog(window);
            return 0;
          case kMessageBoxId:
            MessageBoxW(window, L"Example host", L"About", MB_OK);
            return 0;
          default:
            break;
        }
      }
      break;
    case WM_CLOSE:
      if (host && host->skinned) SkinDetach(window);
      DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void ToggleSkin(HostWindow& host) {
  if (host.skinned) {
    host.skinned = !SkinDetach(host.main);
  } else {
    host.skinned = SkinAttach(host.main) == 1;
  }
  SetWindowTextW(host.skin_toggle, host.skinned ? L"Skin off" : L"Skin on");
}

HWND CreateHostWindow(HINSTANCE instance, HostWindow& host) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);  // a second window finds the class registered
  host.main = CreateWindowExW(0, kClassName, L"Example host", WS_OVERLAPPEDWINDOW, 40, 40, 440, 260, nullptr, nullptr,
                              instance, &host);
  if (!host.main) return nullptr;
  CreateControls(host.main, host);
  host.skinned = SkinAttach(host.main) == 1;
  SetWindowSubclass(host.subclassed_edit, CountingEditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(&host));
  return host.main;
}

}  // namespace host
