// Skinned push buttons inside dialogs: the dialog manager and the host get
// exactly what unskinned buttons give them. Every case runs the same real
// keys and clicks on an unskinned and a skinned dialog and compares.
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

constexpr int kApply = 0x3021;
constexpr int kEdit = 100;

// One step of a script played on a thread timer, so that it runs inside
// whatever modal loop the test has entered.
struct Step {
  enum Kind { kKey, kAlt, kCtrl, kClick, kDoubleClick, kTabToCancel, kProbe } kind;
  int value;  // a virtual key, or a control id
};

std::vector<Step> g_script;
std::function<void()> g_probe;  // what a kProbe step looks at
size_t g_next = 0;
int g_tabs = 0;

HWND ActiveDialog() { return GetActiveWindow(); }

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (auto [vk, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickAt(HWND control, int clicks) {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  for (int i = 0; i < clicks; ++i) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    if (i + 1 < clicks) Sleep(40);
  }
}

// Plays one step per tick; a step that finds the focus not yet on Cancel
// presses Tab and waits for the next tick.
void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_next >= g_script.size()) return;
  const Step step = g_script[g_next];
  switch (step.kind) {
    case Step::kKey:
      SendKeys({{static_cast<WORD>(step.value), false}, {static_cast<WORD>(step.value), true}});
      break;
    case Step::kAlt:
      SendKeys({{VK_MENU, false}, {static_cast<WORD>(step.value), false}, {static_cast<WORD>(step.value), true},
                {VK_MENU, true}});
      break;
    case Step::kCtrl:
      SendKeys({{VK_CONTROL, false}, {static_cast<WORD>(step.value), false}, {static_cast<WORD>(step.value), true},
                {VK_CONTROL, true}});
      break;
    case Step::kClick:
    case Step::kDoubleClick:
      ClickAt(GetDlgItem(ActiveDialog(), step.value), step.kind == Step::kClick ? 1 : 2);
      break;
    case Step::kProbe:
      if (g_probe) g_probe();
      break;
    case Step::kTabToCancel:
      if (GetFocus() != GetDlgItem(ActiveDialog(), IDCANCEL) && ++g_tabs < 40) {
        SendKeys({{VK_TAB, false}, {VK_TAB, true}});
        return;
      }
      break;
  }
  ++g_next;
}

// Runs the script on a 60 ms thread timer while body() runs its modal loop.
void Play(const std::vector<Step>& script, const std::function<void()>& body) {
  g_script = script;
  g_next = 0;
  g_tabs = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, ScriptTick);
  body();
  KillTimer(nullptr, timer);
}

// A dialog template built in memory: an edit box, "&OK" (the default),
// "Cancel" and "&Apply".
class DialogTemplate {
 public:
  DialogTemplate() {
    Align();
    Dword(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    Dword(0);
    Word(4);
    Word(10), Word(10), Word(200), Word(60);
    Word(0), Word(0), Text(L"dialog");
    Item(WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 100, 12, kEdit, 0x0081, L"");
    Item(WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 30, 50, 14, IDOK, 0x0080, L"&OK");
    Item(WS_TABSTOP | BS_PUSHBUTTON, 60, 30, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    Item(WS_TABSTOP | BS_PUSHBUTTON, 115, 30, 50, 14, kApply, 0x0080, L"&Apply");
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
  void Text(const wchar_t* s) {
    do Word(*s); while (*s++);
  }
  void Align() {
    if (words_.size() % 2) Word(0);
  }
  void Item(DWORD style, short x, short y, short w, short h, int id, WORD cls, const wchar_t* text) {
    Align();
    Dword(WS_CHILD | WS_VISIBLE | style), Dword(0);
    Word(x), Word(y), Word(w), Word(h), Word(static_cast<WORD>(id));
    Word(0xFFFF), Word(cls), Text(text), Word(0);
  }
  std::vector<WORD> words_;
};

struct DialogRun {
  bool skinned;
  std::vector<std::string> commands;  // "id/code" of each button command
  HWND dialog = nullptr;
};
DialogRun* g_run = nullptr;

std::string Name(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case kApply: return "Apply";
    default: return std::to_string(id);
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      g_run->dialog = dialog;
      if (g_run->skinned) SkinAttach(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != kEdit) {
        const WORD code = HIWORD(wParam);
        g_run->commands.push_back(Name(LOWORD(wParam)) + (code == BN_CLICKED ? "" : "/" + std::to_string(code)));
      }
      return TRUE;
  }
  return FALSE;
}

// The whole script, then one more tick, before the dialog is closed.
std::vector<Step> WithEnd(std::vector<Step> script) {
  script.push_back({Step::kKey, VK_SHIFT});
  return script;
}

// Ends the modal dialog once the script has played.
void CALLBACK CloseWhenPlayed(HWND, UINT, UINT_PTR, DWORD) {
  if (g_next >= g_script.size() && g_run && g_run->dialog) EndDialog(g_run->dialog, 0);
}

std::vector<std::string> RunModal(bool skinned, const std::vector<Step>& script) {
  DialogRun run{skinned, {}};
  g_run = &run;
  Play(WithEnd(script), [&] {
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseWhenPlayed);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), DialogTemplate().get(), nullptr, DialogProc, 0);
    KillTimer(nullptr, closer);
  });
  g_run = nullptr;
  return run.commands;
}

std::vector<std::string> RunModeless(bool skinned, const std::vector<Step>& script) {
  DialogRun run{skinned, {}};
  g_run = &run;
  Play(WithEnd(script), [&] {
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), DialogTemplate().get(), nullptr,
                                             DialogProc, 0);
    SetForegroundWindow(dialog);
    MSG msg;
    const DWORD start = GetTickCount();
    while (g_next < g_script.size() && GetTickCount() - start < 10000) {
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Sleep(5);
        continue;
      }
      if (IsDialogMessageW(dialog, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Settle(100);
    DestroyWindow(dialog);
  });
  g_run = nullptr;
  return run.commands;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string s;
  for (const auto& item : items) s += (s.empty() ? "" : " ") + item;
  return "[" + s + "]";
}

const Step kTab{Step::kKey, VK_TAB}, kEnter{Step::kKey, VK_RETURN}, kSpace{Step::kKey, VK_SPACE},
    kEsc{Step::kKey, VK_ESCAPE}, kDown{Step::kKey, VK_DOWN}, kUp{Step::kKey, VK_UP};

struct DialogCase {
  const char* name;
  std::vector<Step> script;
  std::vector<std::string> want;  // what the unskinned dialog gets
};

const DialogCase kDialogCases[] = {
    {"Enter in the edit box presses the default", {kEnter}, {"OK"}},
    {"Enter on focused Cancel", {kTab, kTab, kEnter}, {"Cancel"}},
    {"Enter on focused Apply", {kTab, kTab, kTab, kEnter}, {"Apply"}},
    {"Tab back round to the edit box, Enter", {kTab, kTab, kTab, kTab, kEnter}, {"OK"}},
    {"Space on focused Cancel", {kTab, kTab, kSpace}, {"Cancel"}},
    {"Esc", {kTab, kTab, kTab, kEsc}, {"Cancel"}},
    {"Alt+mnemonic, then Enter", {{Step::kAlt, 'A'}, kEnter}, {"Apply", "OK"}},
    {"Arrow keys move the focus, Enter", {kTab, kDown, kDown, kUp, kEnter}, {"Cancel"}},
    {"Click Apply, then Enter", {{Step::kClick, kApply}, kEnter}, {"Apply", "OK"}},
    {"Fast double click on Cancel", {{Step::kDoubleClick, IDCANCEL}}, {"Cancel", "Cancel"}},
};

class DialogButtonTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SetCursorPos(5, 1000);
  }
};

TEST_F(DialogButtonTest, SkinnedDialogsGetTheCommandsOfUnskinnedOnes) {
  for (const bool modeless : {false, true}) {
    for (const DialogCase& c : kDialogCases) {
      const auto run = modeless ? RunModeless : RunModal;
      const std::vector<std::string> plain = run(false, c.script);
      const std::vector<std::string> skinned = run(true, c.script);
      const char* kind = modeless ? " (modeless)" : " (modal)";
      EXPECT_EQ(Joined(plain), Joined(c.want)) << c.name << kind << ": the platform's own behaviour";
      EXPECT_EQ(Joined(skinned), Joined(plain)) << c.name << kind;
      EXPECT_EQ(skin::State().attached_count, 0) << c.name << kind;
    }
  }
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

// The platform's own dialogs opened over a skinned window are skinned when
// they take the activation; Tab to Cancel and Enter still cancels them.
HWND g_owner = nullptr;
std::vector<std::string> g_unattached;  // windows of an open dialog the skin missed

int MessageBoxRun() { return MessageBoxW(g_owner, L"Save?", L"box", MB_YESNOCANCEL); }

int ColourDialogRun() {
  static COLORREF custom[16]{};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = g_owner;
  cc.lpCustColors = custom;
  return ChooseColorW(&cc);
}

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Looks at the open sheet: its page and the page's button must be skinned.
BOOL CALLBACK NoteUnattached(HWND window, LPARAM) {
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  const std::wstring name = cls;
  if ((name == L"#32770" || name == L"Button") && !GetPropA(window, "PROCADDR")) {
    g_unattached.push_back(std::string(name.begin(), name.end()) + " " + std::to_string(GetDlgCtrlID(window)));
  }
  return TRUE;
}

int PropertySheetRun() {
  // Two pages alike, child dialogs with one push button; the second is
  // created when it is first shown.
  std::vector<WORD> t;
  auto word = [&](WORD w) { t.push_back(w); };
  auto dword = [&](DWORD d) { word(LOWORD(d)), word(HIWORD(d)); };
  auto text = [&](const wchar_t* s) {
    do word(*s); while (*s++);
  };
  dword(WS_CHILD | WS_CAPTION | DS_CONTROL), dword(0), word(1), word(0), word(0), word(150), word(60);
  word(0), word(0), text(L"Page");
  if (t.size() % 2) word(0);
  dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), dword(0);
  word(10), word(10), word(60), word(14), word(200), word(0xFFFF), word(0x0080), text(L"&Reset"), word(0);

  PROPSHEETPAGEW pages[2]{};
  for (PROPSHEETPAGEW& page : pages) {
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(t.data());
    page.pfnDlgProc = PageProc;
  }
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.hwndParent = g_owner;
  header.hInstance = GetModuleHandleW(nullptr);
  header.pszCaption = L"sheet";
  header.nPages = 2;
  header.ppsp = pages;
  return static_cast<int>(PropertySheetW(&header));
}

struct PlatformDialogCase {
  const char* name;
  int (*run)();
  int cancelled;  // what the dialog returns when cancelled
};

const PlatformDialogCase kPlatformDialogs[] = {
    {"message box, Yes/No/Cancel", MessageBoxRun, IDCANCEL},
    {"colour dialog", ColourDialogRun, FALSE},
    {"property sheet", PropertySheetRun, 0},
};

TEST_F(DialogButtonTest, PlatformDialogsOverASkinnedWindowAreCancelledByEnterOnCancel) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  for (const bool skinned : {false, true}) {
    for (const PlatformDialogCase& c : kPlatformDialogs) {
      g_owner = CreateForm(300, 200);
      ShowWindow(g_owner, SW_SHOW);
      SetForegroundWindow(g_owner);
      if (skinned) {
        ASSERT_EQ(SkinAttach(g_owner), 1);
      }
      Pump();
      g_unattached.clear();
      g_probe = [] { EnumChildWindows(GetActiveWindow(), NoteUnattached, 0); };
      int result = -100;
      Play({{Step::kProbe, 0}, {Step::kCtrl, VK_TAB}, {Step::kProbe, 0}, {Step::kTabToCancel, 0}, {Step::kKey, VK_RETURN}},
           [&] { result = c.run(); });
      EXPECT_EQ(result, c.cancelled) << c.name << (skinned ? " (skinned)" : "");
      if (skinned) {
        std::string missed;
        for (const auto& w : g_unattached) missed += w + "; ";
        EXPECT_EQ(missed, "") << c.name << ": windows of the open dialog left unskinned";
      }
      SkinDetach(g_owner);
      DestroyWindow(g_owner);
      Pump();
      EXPECT_EQ(skin::State().attached_count, 0) << c.name;
    }
  }
  g_probe = nullptr;
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

constexpr COLORREF kHostInk = 0xFF00FF;  // what the host draws for owner-drawn buttons

// A host window that draws every owner-drawn button it is told about.
LRESULT CALLBACK InkingHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    HBRUSH brush = CreateSolidBrush(kHostInk);
    FillRect(item->hDC, &item->rcItem, brush);
    DeleteObject(brush);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateInkingHost() {
  static const wchar_t kClass[] = L"TarnwickInkingHost";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = InkingHostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    registered = RegisterClassW(&wc) != 0;
  }
  return CreateWindowExW(0, kClass, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 300, 200,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class PushButtonHostTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SetCursorPos(5, 1000);
    host_ = CreateInkingHost();
    plain_ = CreateChild(host_, L"Button", L"Plain", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 75, 23);
    button_ = CreateChild(host_, L"Button", L"Skinned", BS_PUSHBUTTON | WS_TABSTOP, 100, 10, 75, 23);
    edit_ = CreateChild(host_, L"Edit", L"", WS_TABSTOP, 10, 60, 100, 20);
    ASSERT_EQ(SkinAttach(button_), 1);
    Pump();
  }
  void TearDown() override {
    SkinDetach(button_);
    DestroyWindow(host_);
    EngineTest::TearDown();
  }
  LONG Type(HWND w) const { return static_cast<LONG>(GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK); }
  HWND host_ = nullptr, plain_ = nullptr, button_ = nullptr, edit_ = nullptr;
};

struct SetStyleCase {
  LONG start, asked;
  LONG while_attached;  // the window's own type while skinned
};

// The host's BM_SETSTYLE, on a skinned button and on an unskinned twin:
// the same dialog code, and detach gives back the type last asked for.
TEST_F(PushButtonHostTest, HostsButtonTypeIsKeptWhileOwnerDrawn) {
  const SetStyleCase cases[] = {
      {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW},
      {BS_DEFPUSHBUTTON, BS_PUSHBUTTON, BS_OWNERDRAW},
      {BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON, BS_OWNERDRAW},
      {BS_PUSHBUTTON, BS_CHECKBOX, BS_CHECKBOX},
  };
  for (const SetStyleCase& c : cases) {
    SkinDetach(button_);
    for (HWND w : {plain_, button_}) SetWindowLongPtrW(w, GWL_STYLE, (GetWindowLongPtrW(w, GWL_STYLE) & ~BS_TYPEMASK) | c.start);
    ASSERT_EQ(SkinAttach(button_), 1);
    for (HWND w : {plain_, button_}) SendMessageW(w, BM_SETSTYLE, c.asked, TRUE);
    const auto row = "type " + std::to_string(c.start) + " asked " + std::to_string(c.asked);
    EXPECT_EQ(Type(button_), c.while_attached) << row;
    EXPECT_EQ(SendMessageW(button_, WM_GETDLGCODE, 0, 0), SendMessageW(plain_, WM_GETDLGCODE, 0, 0)) << row;
    // A focus change, which the platform's button paints at once.
    SetFocus(button_);
    SetFocus(edit_);
    EXPECT_EQ(Type(button_), c.while_attached) << row;
    SkinDetach(button_);
    EXPECT_EQ(Type(button_), c.asked) << row << ": after detach";
    EXPECT_EQ(GetWindowLongPtrW(button_, GWL_STYLE) & ~WS_TABSTOP & 0xFFFF0000,
              GetWindowLongPtrW(plain_, GWL_STYLE) & ~WS_TABSTOP & 0xFFFF0000) << row;
    ASSERT_EQ(SkinAttach(button_), 1);
  }
}

// BM_SETSTATE makes the owner-drawn button draw itself through its host;
// the skin's face goes back over whatever was drawn.
TEST_F(PushButtonHostTest, SetStateShowsTheSkinsFace) {
  struct {
    WPARAM pushed;
    int32_t state_after;
  } const rows[] = {{TRUE, skin::kStatePressed}, {TRUE, skin::kStatePressed}, {FALSE, skin::kStateNormal}};
  for (const auto& row : rows) {
    SendMessageW(button_, BM_SETSTATE, row.pushed, 0);
    EXPECT_EQ(Prop(button_, "OLDSTATE"), row.state_after) << "pushed " << row.pushed;
    for (int x : {4, 37, 70}) EXPECT_NE(WindowPixel(button_, x, 11), kHostInk) << "pushed " << row.pushed << " x " << x;
  }
  // The unskinned owner-drawn button shows the host's ink: the case is real.
  SetWindowLongPtrW(plain_, GWL_STYLE, GetWindowLongPtrW(plain_, GWL_STYLE) | BS_OWNERDRAW);
  SendMessageW(plain_, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(WindowPixel(plain_, 4, 11), kHostInk);
}

}  // namespace
}  // namespace skin_test

namespace skin_test {
namespace {

constexpr COLORREF kPicture = 0x0000FF;  // a solid red picture
constexpr int kPic = 12;

HDC ImageDC(HWND button, int state) {
  return static_cast<HDC>(GetPropA(button, (std::to_string(state) + "HDC").c_str()));
}

HBITMAP SolidBitmap(COLORREF colour, bool mono = false) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = mono ? CreateBitmap(kPic, kPic, 1, 1, nullptr) : CreateCompatibleBitmap(screen, kPic, kPic);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{0, 0, kPic, kPic};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

HICON SolidIcon() {
  ICONINFO info{TRUE, 0, 0, SolidBitmap(0x000000, true), SolidBitmap(kPicture)};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return icon;
}

int CountColour(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += GetPixel(dc, x, y) == colour;
  return n;
}

// A picture button shows its picture, centred, on every face; the disabled
// face shows it greyed (embossed in the 3-D shadow colour, as the platform
// greys it).
TEST_F(PushButtonHostTest, PictureButtonsShowTheirPictureOnEveryFace) {
  struct {
    DWORD style;
    bool set_before_attach;
  } const rows[] = {{BS_ICON, true}, {BS_ICON, false}, {BS_BITMAP, true}, {BS_BITMAP, false}};
  HICON icon = SolidIcon();
  HBITMAP bitmap = SolidBitmap(kPicture);
  for (const auto& row : rows) {
    const std::string name = std::string(row.style == BS_ICON ? "icon" : "bitmap") +
                             (row.set_before_attach ? ", set before attach" : ", set after attach");
    HWND b = CreateChild(host_, L"Button", L"Pic", BS_PUSHBUTTON | row.style, 10, 100, 75, 23);
    const WPARAM type = row.style == BS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
    const LPARAM image = row.style == BS_ICON ? reinterpret_cast<LPARAM>(icon) : reinterpret_cast<LPARAM>(bitmap);
    if (row.set_before_attach) SendMessageW(b, BM_SETIMAGE, type, image);
    ASSERT_EQ(SkinAttach(b), 1);
    if (!row.set_before_attach) SendMessageW(b, BM_SETIMAGE, type, image);
    // Centred: (75 - 12) / 2 = 31.5 -> 32, (23 - 12) / 2 = 5.5 -> 6.
    for (int state = 0; state < 3; ++state) {
      EXPECT_EQ(CountColour(ImageDC(b, state), 32, 6, 32 + kPic, 6 + kPic, kPicture), kPic * kPic) << name << " " << state;
      EXPECT_EQ(CountColour(ImageDC(b, state), 0, 0, 75, 23, kPicture), kPic * kPic) << name << " " << state;
    }
    EXPECT_EQ(CountColour(ImageDC(b, 3), 0, 0, 75, 23, kPicture), 0) << name;
    EXPECT_GT(CountColour(ImageDC(b, 3), 32, 6, 33 + kPic, 7 + kPic, GetSysColor(COLOR_3DSHADOW)), kPic * kPic / 2)
        << name;
    InvalidateRect(b, nullptr, FALSE);
    UpdateWindow(b);
    EXPECT_EQ(WindowPixel(b, 37, 11), kPicture) << name << ": on screen";
    SkinDetach(b);
    DestroyWindow(b);
  }
  DestroyIcon(icon);
  DeleteObject(bitmap);
}

// Rows of the caption that carry caption-black pixels, as bands of rows.
int TextBands(HDC dc, int w, int h) {
  int bands = 0;
  bool in_band = false;
  for (int y = 2; y < h - 2; ++y) {
    const bool ink = CountColour(dc, 3, y, w - 3, y + 1, 0x000000) > 0;
    if (ink && !in_band) ++bands;
    in_band = ink;
  }
  return bands;
}

TEST_F(PushButtonHostTest, MultiLineCaptionsWrapOthersStayOnOneLine) {
  struct {
    DWORD style;
    bool wraps;
  } const rows[] = {{BS_MULTILINE, true}, {0, false}};
  for (const auto& row : rows) {
    HWND b = CreateChild(host_, L"Button", L"one two three four five six", BS_PUSHBUTTON | row.style, 10, 100, 60, 60);
    ASSERT_EQ(SkinAttach(b), 1);
    const int bands = TextBands(ImageDC(b, 0), 60, 60);
    if (row.wraps) {
      EXPECT_GE(bands, 3) << "six words in 56 pixels";
    } else {
      EXPECT_EQ(bands, 1);
    }
    SkinDetach(b);
    DestroyWindow(b);
  }
}

// The button's pixels on the screen, read through the screen's own DC so
// that no mirroring applies to the reading.
std::vector<COLORREF> ScreenPixels(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

// A skinned button in a right-to-left window looks exactly as in a
// left-to-right one, focus mark and rounded corners included.
TEST_F(PushButtonHostTest, RightToLeftButtonsLookAsLeftToRightOnes) {
  HWND rtl_host = CreateWindowExW(WS_EX_LAYOUTRTL, L"TarnwickInkingHost", L"rtl", WS_POPUP | WS_VISIBLE, 20, 300, 200,
                                  60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND rtl = CreateChild(rtl_host, L"Button", L"Enter", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 75, 23);
  HWND ltr = CreateChild(host_, L"Button", L"Enter", BS_PUSHBUTTON | WS_TABSTOP, 10, 100, 75, 23);
  ASSERT_TRUE(GetWindowLongPtrW(rtl, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  SetWindowPos(host_, nullptr, 250, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_EQ(SkinAttach(rtl), 1);
  ASSERT_EQ(SkinAttach(ltr), 1);
  for (const bool focused : {false, true}) {
    std::vector<COLORREF> seen[2];
    for (HWND b : {ltr, rtl}) {
      if (focused) SetFocus(b);
      InvalidateRect(b, nullptr, FALSE);
      UpdateWindow(b);
      Pump();
      seen[b == rtl] = ScreenPixels(b);
    }
    int differ = 0;
    for (size_t i = 0; i < seen[0].size(); ++i) differ += seen[0][i] != seen[1][i];
    EXPECT_EQ(differ, 0) << (focused ? "focused" : "unfocused") << ": pixels that differ";
  }
  SkinDetach(rtl);
  SkinDetach(ltr);
  DestroyWindow(rtl_host);
}

}  // namespace
}  // namespace skin_test
