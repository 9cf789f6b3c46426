// Skinned push buttons as the host and the dialog manager see them: real
// keys and clicks played on the same dialog unskinned and skinned, the
// platform's own dialogs over a skinned window, and the faces of picture,
// multi-line and right-to-left buttons.
#include <skin/skin.h>

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <functional>
#include <string>
#include <vector>

#include "support/engine_fixture.h"
#include "support/real_input.h"

namespace skin_test {
namespace {

constexpr int kApply = 0x3021, kEdit = 100;

// A script played on a thread timer, one step a tick, so that it runs inside
// whatever modal loop the test enters. Kinds: 'k' a key, 'a' Alt+key, 'c'
// Ctrl+key, '1' a click and '2' a fast double click on a control of the
// active window, 'd' DM_SETDEFID to it, 't' Tab until Cancel has the focus,
// 'p' the probe.
struct Step {
  char kind;
  int value;
};
std::vector<Step> g_script;
size_t g_next = 0;
int g_tabs = 0;
int g_idle = 0;       // ticks since the script ended
bool g_stuck = false;  // the dialog outlived the script and was sent Esc
std::function<void()> g_probe;

void Keys(WORD modifier, WORD vk) {
  std::vector<INPUT> in;
  for (auto [key, up] : {std::pair{modifier, false}, {vk, false}, {vk, true}, {modifier, true}}) {
    if (!key) continue;
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void Click(HWND control, int clicks) {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  for (int n = 0; n < clicks; ++n, Sleep(40)) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
  }
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_next >= g_script.size()) {
    if (++g_idle == 30) g_stuck = true, Keys(0, VK_ESCAPE);
    return;
  }
  const auto [kind, value] = g_script[g_next];
  const WORD vk = static_cast<WORD>(value);
  HWND active = GetActiveWindow();
  if (kind == 't' && GetFocus() != GetDlgItem(active, IDCANCEL) && ++g_tabs < 40) return Keys(0, VK_TAB);
  if (kind == 'k' || kind == 'a' || kind == 'c') Keys(kind == 'a' ? VK_MENU : kind == 'c' ? VK_CONTROL : 0, vk);
  if (kind == '1' || kind == '2') Click(GetDlgItem(active, value), kind - '0');
  if (kind == 'd') SendMessageW(active, DM_SETDEFID, value, 0);
  if (kind == 'p' && g_probe) g_probe();
  ++g_next;
}

// Plays the script, and one tick more, while body() runs its modal loop.
void Play(std::vector<Step> script, const std::function<void()>& body) {
  script.push_back({'k', VK_SHIFT});
  g_script = script;
  g_next = 0;
  g_tabs = g_idle = 0;
  g_stuck = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, ScriptTick);
  body();
  KillTimer(nullptr, timer);
}
bool Played() { return g_next >= g_script.size(); }

// A dialog template in memory, items of the button, edit or static class.
struct Item {
  DWORD style;
  short x, y, w, h;
  WORD id, atom;
  const wchar_t* text;
};
std::vector<WORD> Template(DWORD style, std::initializer_list<Item> items) {
  std::vector<WORD> t;
  auto dword = [&](DWORD d) { t.push_back(LOWORD(d)), t.push_back(HIWORD(d)); };
  auto text = [&](const wchar_t* s) {
    do t.push_back(*s); while (*s++);
  };
  dword(style), dword(0), t.push_back(static_cast<WORD>(items.size()));
  t.insert(t.end(), {10, 10, 200, 60, 0, 0}), text(L"dialog");
  for (const Item& i : items) {
    if (t.size() % 2) t.push_back(0);
    dword(WS_CHILD | WS_VISIBLE | i.style), dword(0);
    t.insert(t.end(), {WORD(i.x), WORD(i.y), WORD(i.w), WORD(i.h), i.id, 0xFFFF, i.atom}), text(i.text), t.push_back(0);
  }
  return t;
}

// An edit box, "&OK" (the default), "Cancel" and "&Apply".
const std::vector<WORD> kDialog =
    Template(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
             {{WS_TABSTOP | WS_BORDER, 5, 5, 100, 12, kEdit, 0x81, L""},
              {WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 30, 50, 14, IDOK, 0x80, L"&OK"},
              {WS_TABSTOP | BS_PUSHBUTTON, 60, 30, 50, 14, IDCANCEL, 0x80, L"Cancel"},
              {WS_TABSTOP | BS_PUSHBUTTON, 115, 30, 50, 14, kApply, 0x80, L"&Apply"}});

struct DialogRun {
  bool skinned;
  HWND dialog = nullptr;
  std::string commands;  // the button commands the dialog received
};
DialogRun* g_run;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    g_run->dialog = dialog;
    if (g_run->skinned) SkinAttach(dialog);
  } else if (message == WM_COMMAND && LOWORD(wParam) != kEdit) {
    const int id = LOWORD(wParam);
    g_run->commands += id == IDOK ? "OK " : id == IDCANCEL ? "Cancel " : id == kApply ? "Apply " : "? ";
    if (HIWORD(wParam) != BN_CLICKED) g_run->commands += "(code " + std::to_string(HIWORD(wParam)) + ") ";
  }
  return message == WM_INITDIALOG;
}

void CALLBACK EndWhenPlayed(HWND, UINT, UINT_PTR, DWORD) {
  if (Played() && g_run->dialog) EndDialog(g_run->dialog, 0);
}

std::string RunDialog(bool skinned, bool modeless, const std::vector<Step>& script) {
  DialogRun run{skinned, nullptr, ""};
  g_run = &run;
  const auto* t = reinterpret_cast<const DLGTEMPLATE*>(kDialog.data());
  Play(script, [&] {
    if (!modeless) {
      const UINT_PTR ender = SetTimer(nullptr, 0, 100, EndWhenPlayed);
      DialogBoxIndirectParamW(nullptr, t, nullptr, DialogProc, 0);
      KillTimer(nullptr, ender);
      return;
    }
    HWND dialog = CreateDialogIndirectParamW(nullptr, t, nullptr, DialogProc, 0);
    SetForegroundWindow(dialog);
    MSG msg;
    for (const DWORD start = GetTickCount(); !Played() && GetTickCount() - start < 10000;) {
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Sleep(5);
      } else if (!IsDialogMessageW(dialog, &msg)) {
        DispatchMessageW(&msg);
      }
    }
    DestroyWindow(dialog);
  });
  return run.commands;
}

class DialogButtonTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SetCursorPos(5, 1000);
  }
};

const Step kTab{'k', VK_TAB}, kEnter{'k', VK_RETURN}, kDown{'k', VK_DOWN};

TEST_F(DialogButtonTest, SkinnedDialogsGetTheCommandsOfUnskinnedOnes) {
  const struct {
    const char* name;
    std::vector<Step> script;
    const char* platform;  // what the unskinned dialog gets (Wine)
  } cases[] = {
      {"Enter in the edit box", {kEnter}, "OK "},
      {"Enter on focused Cancel", {kTab, kTab, kEnter}, "Cancel "},
      {"Enter on focused Apply", {kTab, kTab, kTab, kEnter}, "Apply "},
      {"Tab round to the edit box, Enter", {kTab, kTab, kTab, kTab, kEnter}, "OK "},
      {"Space on focused Cancel", {kTab, kTab, {'k', VK_SPACE}}, "Cancel "},
      {"Esc on focused Apply", {kTab, kTab, kTab, {'k', VK_ESCAPE}}, "Cancel "},
      {"Alt+A, Enter", {{'a', 'A'}, kEnter}, "Apply OK "},
      {"Arrow keys, Enter", {kTab, kDown, kDown, {'k', VK_UP}, kEnter}, "Cancel "},
      {"Click Apply, Enter", {{'1', kApply}, kEnter}, "Apply OK "},
      {"Fast double click on Cancel", {{'2', IDCANCEL}}, "Cancel Cancel "},
      {"DM_SETDEFID Apply, Enter", {{'d', kApply}, kEnter}, "Apply "},
      {"DM_SETDEFID Apply, Enter on focused Cancel", {{'d', kApply}, kTab, kTab, kEnter}, "Cancel "},
  };
  for (const bool modeless : {false, true}) {
    for (const auto& c : cases) {
      const std::string plain = RunDialog(false, modeless, c.script);
      EXPECT_EQ(plain, c.platform) << c.name << ", unskinned";
      EXPECT_EQ(RunDialog(true, modeless, c.script), plain) << c.name << (modeless ? ", modeless" : ", modal");
      EXPECT_EQ(skin::State().attached_count, 0) << c.name;
    }
  }
}

// The platform's dialogs over a skinned window are skinned when they take
// the activation (a property sheet's pages as they appear); Tab to Cancel
// and Enter still cancels them.
HWND g_owner;
std::string g_unskinned;  // windows of the open dialog the skin missed

BOOL CALLBACK NoteUnskinned(HWND window, LPARAM) {
  wchar_t cls[16] = L"";
  GetClassNameW(window, cls, 16);
  if ((!wcscmp(cls, L"#32770") || !wcscmp(cls, L"Button")) && !GetPropA(window, "PROCADDR"))
    g_unskinned += (cls[0] == L'#' ? "page " : "button ") + std::to_string(GetDlgCtrlID(window)) + "; ";
  return TRUE;
}

int ColourDialog() {
  static COLORREF custom[16];
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = g_owner;
  cc.lpCustColors = custom;
  return ChooseColorW(&cc);
}

int FontDialog() {
  LOGFONTW font{};
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = g_owner;
  cf.lpLogFont = &font;
  cf.Flags = CF_SCREENFONTS;
  return ChooseFontW(&cf);
}

int OpenFileDialog() {
  wchar_t name[MAX_PATH] = L"";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = g_owner;
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  return GetOpenFileNameW(&ofn);
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

int PropertySheet() {
  // Two pages, each a child dialog with a push button; the second is
  // created when Ctrl+Tab first shows it.
  static const std::vector<WORD> page =
      Template(WS_CHILD | WS_CAPTION | DS_CONTROL, {{WS_TABSTOP, 10, 10, 60, 14, 200, 0x80, L"&Reset"}});
  PROPSHEETPAGEW pages[2]{};
  for (PROPSHEETPAGEW& p : pages) {
    p.dwSize = sizeof(p);
    p.dwFlags = PSP_DLGINDIRECT;
    p.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(page.data());
    p.pfnDlgProc = PageProc;
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.hwndParent = g_owner;
  header.pszCaption = L"sheet";
  header.nPages = 2;
  header.ppsp = pages;
  return static_cast<int>(PropertySheetW(&header));
}

TEST_F(DialogButtonTest, PlatformDialogsOverASkinnedWindowAreCancelledByEnterOnCancel) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  const struct {
    const char* name;
    std::function<int()> run;
    int cancelled;
  } cases[] = {
      {"message box", [] { return MessageBoxW(g_owner, L"Save?", L"box", MB_YESNOCANCEL); }, IDCANCEL},
      {"colour dialog", ColourDialog, FALSE},
      {"font dialog", FontDialog, FALSE},
      {"file dialog", OpenFileDialog, FALSE},
      {"property sheet", PropertySheet, 0},
  };
  g_probe = [] { EnumChildWindows(GetActiveWindow(), NoteUnskinned, 0); };
  for (const bool skinned : {false, true}) {
    for (const auto& c : cases) {
      g_owner = CreateForm();
      ShowWindow(g_owner, SW_SHOW);
      SetForegroundWindow(g_owner);
      if (skinned) {
        ASSERT_EQ(SkinAttach(g_owner), 1);
      }
      g_unskinned.clear();
      int result = -100;
      Play({{'p', 0}, {'c', VK_TAB}, {'p', 0}, {'t', 0}, kEnter}, [&] { result = c.run(); });
      EXPECT_EQ(result, c.cancelled) << c.name << (skinned ? ", skinned" : "");
      EXPECT_FALSE(g_stuck) << c.name << (skinned ? ", skinned" : "") << ": Enter did not end it";
      if (skinned) {
        EXPECT_EQ(g_unskinned, "") << c.name << ": windows left unskinned";
      }
      SkinDetach(g_owner);
      DestroyWindow(g_owner);
    }
  }
  g_probe = nullptr;
}

// A host that draws every owner-drawn button it is told about, an unskinned
// push button, and the skinned one.
constexpr COLORREF kInk = 0xFF00FF, kPicture = 0x0000FF;
constexpr int kPic = 12;

LRESULT CALLBACK InkingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRAWITEM) return DefWindowProcW(window, message, wParam, lParam);
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  SetDCBrushColor(item->hDC, kInk);
  FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  return TRUE;
}

HWND InkingHost(DWORD ex_style, int y) {
  WNDCLASSW wc{0,       InkingProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr,
               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, L"TarnwickInkingHost"};
  RegisterClassW(&wc);
  return CreateWindowExW(ex_style, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, y, 300, 160, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

class PushButtonHostTest : public DialogButtonTest {
 protected:
  void SetUp() override {
    DialogButtonTest::SetUp();
    host_ = InkingHost(0, 20);
    plain_ = CreateChild(host_, L"Button", L"Plain", BS_PUSHBUTTON, 10, 10, 75, 23);
    button_ = CreateChild(host_, L"Button", L"Skinned", BS_PUSHBUTTON, 100, 10, 75, 23);
    edit_ = CreateChild(host_, L"Edit", L"", 0, 10, 60, 100, 20);
    ASSERT_EQ(SkinAttach(button_), 1);
  }
  void TearDown() override {
    SkinDetach(button_);
    DestroyWindow(host_);
    DialogButtonTest::TearDown();
  }
  HWND host_, plain_, button_, edit_;
};

LONG Type(HWND w) { return static_cast<LONG>(GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK); }

// The host's BM_SETSTYLE on the skinned button and on an unskinned twin:
// the same dialog code, owner-drawn through focus changes for a push type,
// and detach gives back the type last asked for.
TEST_F(PushButtonHostTest, HostsButtonTypeIsKeptWhileOwnerDrawn) {
  const struct {
    LONG start, asked, while_attached;
  } cases[] = {{BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW},
               {BS_DEFPUSHBUTTON, BS_PUSHBUTTON, BS_OWNERDRAW},
               {BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW},
               {BS_PUSHBUTTON, BS_CHECKBOX, BS_CHECKBOX}};
  for (const auto& c : cases) {
    SkinDetach(button_);
    for (HWND w : {plain_, button_}) SetWindowLongPtrW(w, GWL_STYLE, (GetWindowLongPtrW(w, GWL_STYLE) & ~15) | c.start);
    ASSERT_EQ(SkinAttach(button_), 1);
    for (HWND w : {plain_, button_}) SendMessageW(w, BM_SETSTYLE, c.asked, TRUE);
    const std::string row = "type " + std::to_string(c.start) + " asked " + std::to_string(c.asked);
    EXPECT_EQ(SendMessageW(button_, WM_GETDLGCODE, 0, 0), SendMessageW(plain_, WM_GETDLGCODE, 0, 0)) << row;
    SetFocus(button_);
    SetFocus(edit_);
    EXPECT_EQ(Type(button_), c.while_attached) << row;
    SkinDetach(button_);
    EXPECT_EQ(GetWindowLongPtrW(button_, GWL_STYLE), GetWindowLongPtrW(plain_, GWL_STYLE)) << row << ", detached";
    ASSERT_EQ(SkinAttach(button_), 1);
  }
}

// BM_SETSTATE makes an owner-drawn button draw itself through its host (as
// the unskinned twin shows); the skin's face goes back over it.
TEST_F(PushButtonHostTest, SetStateShowsTheSkinsFace) {
  const struct {
    WPARAM pushed;
    int32_t state;
  } rows[] = {{TRUE, skin::kStatePressed}, {TRUE, skin::kStatePressed}, {FALSE, skin::kStateNormal}};
  for (const auto& row : rows) {
    SendMessageW(button_, BM_SETSTATE, row.pushed, 0);
    EXPECT_EQ(Prop(button_, "OLDSTATE"), row.state) << "pushed " << row.pushed;
    for (int x : {4, 37, 70}) EXPECT_NE(WindowPixel(button_, x, 11), kInk) << "pushed " << row.pushed << " x " << x;
  }
  SetWindowLongPtrW(plain_, GWL_STYLE, GetWindowLongPtrW(plain_, GWL_STYLE) | BS_OWNERDRAW);
  SendMessageW(plain_, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(WindowPixel(plain_, 4, 11), kInk);
}

HDC ImageDC(HWND button, int state) { return static_cast<HDC>(GetPropA(button, (std::to_string(state) + "HDC").c_str())); }

int Count(HDC dc, RECT r, COLORREF colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
  return n;
}

// The picture in 32 bits (0x00RRGGBB per pixel), or an all-opaque mask.
HBITMAP Solid(bool mask) {
  const std::vector<DWORD> pixels(kPic * kPic, mask ? 0 : 0xFF0000);
  return CreateBitmap(kPic, kPic, 1, mask ? 1 : 32, pixels.data());
}

// A picture button shows its picture centred on every face, greyed (in
// the 3-D shadow colour, as the platform greys it) on the disabled one.
TEST_F(PushButtonHostTest, PictureButtonsShowTheirPictureOnEveryFace) {
  ICONINFO info{TRUE, 0, 0, Solid(true), Solid(false)};
  HICON icon = CreateIconIndirect(&info);
  HBITMAP bitmap = Solid(false);
  for (const DWORD style : {BS_ICON, BS_BITMAP}) {
    for (const bool before_attach : {true, false}) {
      const std::string row = std::to_string(style) + (before_attach ? " set before attach" : " set after");
      HWND b = CreateChild(host_, L"Button", L"Pic", BS_PUSHBUTTON | style, 10, 100, 75, 23);
      const auto set = [&] {
        SendMessageW(b, BM_SETIMAGE, style == BS_ICON ? IMAGE_ICON : IMAGE_BITMAP,
                     style == BS_ICON ? reinterpret_cast<LPARAM>(icon) : reinterpret_cast<LPARAM>(bitmap));
      };
      if (before_attach) set();
      ASSERT_EQ(SkinAttach(b), 1);
      if (!before_attach) set();
      // (75 - 12) / 2 = 31.5 -> 32 and (23 - 12) / 2 = 5.5 -> 6, halves to even.
      for (int state = 0; state < 3; ++state) {
        EXPECT_EQ(Count(ImageDC(b, state), {32, 6, 44, 18}, kPicture), kPic * kPic) << row << ", state " << state;
        EXPECT_EQ(Count(ImageDC(b, state), {0, 0, 75, 23}, kPicture), kPic * kPic) << row << ", state " << state;
      }
      EXPECT_EQ(Count(ImageDC(b, 3), {0, 0, 75, 23}, kPicture), 0) << row;
      EXPECT_GT(Count(ImageDC(b, 3), {32, 6, 45, 19}, GetSysColor(COLOR_3DSHADOW)), kPic * kPic / 2) << row;
      InvalidateRect(b, nullptr, FALSE);
      UpdateWindow(b);
      EXPECT_EQ(WindowPixel(b, 37, 11), kPicture) << row << ", on screen";
      SkinDetach(b);
      DestroyWindow(b);
    }
  }
  DestroyIcon(icon);
  for (HBITMAP h : {bitmap, info.hbmMask, info.hbmColor}) DeleteObject(h);
}

// BS_MULTILINE captions wrap into several bands of text rows; others stay
// on one line.
TEST_F(PushButtonHostTest, MultiLineCaptionsWrapOthersStayOnOneLine) {
  for (const DWORD style : {DWORD{BS_MULTILINE}, DWORD{0}}) {
    HWND b = CreateChild(host_, L"Button", L"one two three four five six", BS_PUSHBUTTON | style, 10, 90, 60, 60);
    ASSERT_EQ(SkinAttach(b), 1);
    int bands = 0;
    bool was_ink = false;
    for (int y = 2; y < 58; ++y) {
      const bool ink = Count(ImageDC(b, 0), {3, y, 57, y + 1}, 0) > 0;
      bands += ink && !was_ink;
      was_ink = ink;
    }
    EXPECT_EQ(bands > 1, style == BS_MULTILINE) << bands << " bands";
    SkinDetach(b);
    DestroyWindow(b);
  }
}

// A skinned button in a right-to-left window shows, on the screen, exactly
// the pixels of one in a left-to-right window: caption, focus mark and
// rounded corners.
TEST_F(PushButtonHostTest, RightToLeftButtonsLookAsLeftToRightOnes) {
  HWND rtl_host = InkingHost(WS_EX_LAYOUTRTL, 300);
  HWND rtl = CreateChild(rtl_host, L"Button", L"Enter", BS_PUSHBUTTON, 10, 10, 75, 23);
  ASSERT_TRUE(GetWindowLongPtrW(rtl, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  ASSERT_EQ(SkinAttach(rtl), 1);
  SetWindowTextW(button_, L"Enter");
  // The hosts painted, so that the corners outside the regions show them.
  for (HWND w : {host_, rtl_host}) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  HDC screen = GetDC(nullptr);
  for (const bool focused : {false, true}) {
    std::vector<COLORREF> seen[2];
    for (HWND b : {button_, rtl}) {
      if (focused) SetFocus(b);
      RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      RECT r;
      GetWindowRect(b, &r);
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) seen[b == rtl].push_back(GetPixel(screen, x, y));
    }
    EXPECT_TRUE(seen[0] == seen[1]) << (focused ? "focused" : "unfocused");
  }
  ReleaseDC(nullptr, screen);
  SkinDetach(rtl);
  DestroyWindow(rtl_host);
}

}  // namespace
}  // namespace skin_test
