#include "gallery_window.h"

#include <skin/skin.h>

#include <commctrl.h>

#include <initializer_list>

#include "control_classes.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ThunderRT6FormDC";
constexpr wchar_t kTitle[] = L"Gallery";
constexpr int kClientWidth = 640, kClientHeight = 420;
constexpr int kProgressFull = 30000;  // the position the skin draws as full

// Sample font: the face the calculator uses, so Chinese texts have glyphs.
constexpr wchar_t kFace[] = L"宋体";
constexpr int kFontHeight = -12;

HFONT g_font = nullptr;
bool g_quit_on_destroy = false;
int g_dpi = 96;

// The layout is written in pixels at 96 DPI and scaled to the display's,
// so that check boxes and option buttons stay taller than the glyph the
// skin sizes by the DPI, and texts fit their boxes.
int Scaled(int pixels) { return MulDiv(pixels, g_dpi, 96); }

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
         DWORD ex_style = 0) {
  HWND child = CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y), Scaled(w),
                               Scaled(h), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (child && g_font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  return child;
}

void AddLabel(HWND parent, const wchar_t* text, int x, int y) { Add(parent, L"Static", text, 0, x, y, 190, 16); }

void AddItems(HWND list, UINT message, std::initializer_list<const wchar_t*> items) {
  for (const wchar_t* item : items) SendMessageW(list, message, 0, reinterpret_cast<LPARAM>(item));
}

void AddButtons(HWND form) {
  AddLabel(form, L"按钮 Push buttons", 12, 10);
  Add(form, L"Button", L"确定 OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 12, 30, 90, 26);
  Add(form, L"Button", L"Apply 应用", BS_PUSHBUTTON | WS_TABSTOP, 108, 30, 90, 26);
  HWND disabled = Add(form, L"Button", L"禁用 Disabled", BS_PUSHBUTTON, 12, 62, 186, 26);
  EnableWindow(disabled, FALSE);
}

// Wine draws a disabled check box's or option button's caption into a
// bitmap as wide as the text's extent and loses its last pixel column ("禁用
// Disablec"), however wide the control is; a trailing blank gives the
// extent that column. Windows draws the blank as nothing.
constexpr wchar_t kDisabledCaption[] = L"禁用 Disabled ";

void AddCheckBoxes(HWND form) {
  AddLabel(form, L"复选框 Check boxes", 12, 100);
  Add(form, gallery::kCheckBoxClass, L"未选 Unchecked", BS_AUTOCHECKBOX | WS_TABSTOP, 12, 120, 186, 17);
  HWND checked = Add(form, gallery::kCheckBoxClass, L"已选 Checked", BS_AUTOCHECKBOX, 12, 140, 186, 17);
  SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
  HWND mixed = Add(form, gallery::kCheckBoxClass, L"不确定 Indeterminate", BS_AUTO3STATE, 12, 160, 186, 17);
  SendMessageW(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  HWND disabled = Add(form, gallery::kCheckBoxClass, kDisabledCaption, BS_AUTOCHECKBOX, 12, 180, 186, 17);
  SendMessageW(disabled, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(disabled, FALSE);
}

void AddOptionButtons(HWND form) {
  AddLabel(form, L"单选 Option buttons", 12, 210);
  HWND first = Add(form, gallery::kOptionButtonClass, L"小 Small", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 12,
                   230, 186, 17);
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  Add(form, gallery::kOptionButtonClass, L"大 Large", BS_AUTORADIOBUTTON, 12, 250, 186, 17);
  HWND disabled = Add(form, gallery::kOptionButtonClass, kDisabledCaption, BS_AUTORADIOBUTTON, 12, 270, 186, 17);
  EnableWindow(disabled, FALSE);
}

void AddCombos(HWND form) {
  AddLabel(form, L"组合框 Combo boxes", 220, 10);
  HWND dropdown = Add(form, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 220, 30, 190, 200);
  AddItems(dropdown, CB_ADDSTRING, {L"钢板 Slab", L"钢卷 Coil", L"型钢 Section"});
  SetWindowTextW(dropdown, L"钢板 Slab");
  HWND droplist = Add(form, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 220, 60, 190, 200);
  AddItems(droplist, CB_ADDSTRING, {L"吨 Tonnes", L"千克 Kilograms"});
  SendMessageW(droplist, CB_SETCURSEL, 0, 0);
  HWND drives = Add(form, gallery::kDriveListClass, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 220, 90, 190, 200);
  AddItems(drives, CB_ADDSTRING, {L"a:", L"c: [系统 System]", L"d: [数据 Data]", L"z: [/]"});
  SendMessageW(drives, CB_SETCURSEL, 1, 0);
  HWND simple = Add(form, L"ComboBox", L"", CBS_SIMPLE | CBS_NOINTEGRALHEIGHT | WS_TABSTOP, 220, 120, 190, 76);
  AddItems(simple, CB_ADDSTRING, {L"宽度 Width", L"厚度 Thickness", L"长度 Length"});
  SetWindowTextW(simple, L"宽度 Width");
}

void AddBars(HWND form) {
  AddLabel(form, L"进度 Progress bars", 220, 206);
  HWND horizontal = Add(form, gallery::kProgressBarClass, L"", PBS_SMOOTH | WS_BORDER, 220, 226, 190, 18);
  SendMessageW(horizontal, PBM_SETRANGE32, 0, kProgressFull);
  SendMessageW(horizontal, PBM_SETPOS, kProgressFull * 3 / 5, 0);
  HWND vertical = Add(form, gallery::kProgressBarClass, L"", PBS_SMOOTH | PBS_VERTICAL | WS_BORDER, 220, 252, 18, 60);
  SendMessageW(vertical, PBM_SETRANGE32, 0, kProgressFull);
  SendMessageW(vertical, PBM_SETPOS, kProgressFull * 2 / 5, 0);
}

void AddHeaderAndLists(HWND form) {
  AddLabel(form, L"列表头 Header", 430, 10);
  HWND header = Add(form, WC_HEADERW, L"", HDS_BUTTONS | HDS_HORZ, 430, 30, 198, 24);
  const struct {
    const wchar_t* text;
    int width;
  } columns[] = {{L"名称 Name", 80}, {L"大小", 50}, {L"Type", 60}};
  int index = 0;
  for (const auto& column : columns) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_CENTER | HDF_STRING;
    item.cxy = Scaled(column.width);
    item.pszText = const_cast<wchar_t*>(column.text);
    SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }

  AddLabel(form, L"数据列表 Data list", 430, 64);
  HWND data = Add(form, gallery::kDataListClass, L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 430, 84, 198, 70);
  AddItems(data, LB_ADDSTRING, {L"1号板坯 Slab 1", L"2号板坯 Slab 2", L"3号板坯 Slab 3", L"4号板坯 Slab 4"});

  AddLabel(form, L"表格 Grid", 430, 162);
  HWND grid = Add(form, gallery::kGridClass, L"", WS_BORDER | WS_VSCROLL, 430, 182, 198, 70);
  AddItems(grid, LB_ADDSTRING, {L"0.22    1.81    7.85", L"0.25    1.60    7.85", L"0.30    2.00    7.85"});

  AddLabel(form, L"文本框 Text box", 430, 262);
  Add(form, L"Edit", L"重量 12.5 吨", ES_AUTOHSCROLL | WS_TABSTOP, 430, 282, 198, 22, WS_EX_CLIENTEDGE);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Unload: the skin lets go of every window before they are destroyed.
      SkinDetach(window);
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      // Every child using the font is gone by now.
      if (g_font) DeleteObject(g_font);
      g_font = nullptr;
      if (g_quit_on_destroy) PostQuitMessage(0);
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

namespace gallery {

HWND CreateGalleryWindow(int show, bool quit_on_destroy) {
  if (!RegisterControlClasses()) return nullptr;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (!GetClassInfoW(instance, kWindowClass, &wc)) {
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
  }

  {
    HDC screen = GetDC(nullptr);
    g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
  AdjustWindowRect(&frame, style, FALSE);
  HWND form = CreateWindowExW(0, kWindowClass, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!form) return nullptr;
  g_quit_on_destroy = quit_on_destroy;

  g_font = CreateFontW(Scaled(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFace);
  AddButtons(form);
  AddCheckBoxes(form);
  AddOptionButtons(form);
  AddCombos(form);
  AddBars(form);
  AddHeaderAndLists(form);

  // Load: skinned before it is first shown.
  SkinAttach(form);
  ShowWindow(form, show);
  UpdateWindow(form);
  return form;
}

}  // namespace gallery
