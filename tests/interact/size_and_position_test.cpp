// Client-edge borders, progress-bar frames, activation, resizing and
// moving, on real windows with pixels read back.
#include <skin/skin.h>

#include <commctrl.h>

#include "engine/attach.h"
#include "support/engine_fixture.h"
#include "gdi/gdi_toolkit.h"
#include "render/sprite_sheets.h"
#include "state/families.h"

namespace skin_test {
namespace {

using skin::State;

void RegisterSuperclass(const wchar_t* base, const wchar_t* name) {
  WNDCLASSW wc{};
  GetClassInfoW(nullptr, base, &wc);
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

class GeometryTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    RegisterSuperclass(L"ListBox", L"DataListWndClass");
    RegisterSuperclass(PROGRESS_CLASSW, L"ProgressBar20WndClass");
    form_ = CreateForm(400, 300);
    ShowWindow(form_, SW_SHOW);
  }
  void TearDown() override {
    SkinDetach(form_);
    DestroyWindow(form_);
    EngineTest::TearDown();
  }
  HWND form_ = nullptr;
};

TEST_F(GeometryTest, ClientEdgeBecomesAFlatBorder) {
  HWND edit = CreateChild(form_, L"Edit", L"1.81", 0, 10, 10, 90, 25, WS_EX_CLIENTEDGE);
  HWND flat = CreateChild(form_, L"Edit", L"0.22", WS_BORDER, 10, 50, 90, 25);
  HWND list = CreateChild(form_, L"ListBox", L"", WS_VSCROLL, 120, 10, 90, 80, WS_EX_CLIENTEDGE);
  HWND data = CreateChild(form_, L"DataListWndClass", L"", 0, 220, 10, 90, 80, WS_EX_CLIENTEDGE);
  ASSERT_EQ(SkinAttach(form_), 1);

  SendMessageW(edit, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(edit, 0, 0), 0xD5A554u);
  EXPECT_EQ(WindowPixel(edit, 89, 12), 0xD5A554u);
  EXPECT_EQ(WindowPixel(edit, 45, 24), 0xD5A554u);
  EXPECT_EQ(WindowPixel(edit, 1, 12), 0xFFFFFFu) << "the sunken edge is painted in the background colour";
  EXPECT_EQ(WindowPixel(edit, 2, 12), 0xFFFFFFu);
  EXPECT_EQ(WindowPixel(edit, 88, 12), 0xFFFFFFu);

  EnableWindow(edit, FALSE);
  SendMessageW(edit, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(edit, 0, 0), 0xE9CFA4u);
  EXPECT_EQ(WindowPixel(edit, 45, 24), 0xE9CFA4u);

  SendMessageW(flat, WM_NCPAINT, 1, 0);
  EXPECT_NE(WindowPixel(flat, 0, 12), 0xD5A554u) << "no client edge, no skin border";

  int x = 0, y = 0;
  skin::GetClientOffset(list, x, y);
  EXPECT_EQ(x, 2) << "the scroll bar is not counted as border";
  SendMessageW(list, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(list, 0, 40), 0xD5A554u);

  FloodWindow(data, 0x00FF00);
  SendMessageW(data, WM_NCPAINT, 1, 0);
  EXPECT_NE(WindowPixel(data, 0, 40), 0xD5A554u) << "data lists are framed by their paint, not here";
}

// A form is skinned before it is first shown; its children's frames are
// painted by the skin when they appear, not while they are hidden.
TEST_F(GeometryTest, BordersAppearWhenAHiddenFormIsShown) {
  HWND hidden = CreateForm(200, 100);
  HWND edit = CreateChild(hidden, L"Edit", L"10", 0, 10, 10, 90, 25, WS_EX_CLIENTEDGE);
  ASSERT_EQ(SkinAttach(hidden), 1);
  ShowWindow(hidden, SW_SHOW);
  UpdateWindow(hidden);
  Pump();
  EXPECT_EQ(WindowPixel(edit, 0, 0), 0xD5A554u);
  EXPECT_EQ(WindowPixel(edit, 89, 24), 0xD5A554u);
  EXPECT_EQ(SkinDetach(hidden), 1);
  DestroyWindow(hidden);
}

TEST_F(GeometryTest, ProgressBarIsDrawnWholeInTheNonClientPass) {
  HWND bar = CreateChild(form_, L"ProgressBar20WndClass", L"", 0, 10, 10, 104, 14, WS_EX_CLIENTEDGE);
  HWND tall = CreateChild(form_, L"ProgressBar20WndClass", L"", PBS_VERTICAL, 150, 10, 14, 104, WS_EX_CLIENTEDGE);
  for (HWND b : {bar, tall}) SendMessageW(b, PBM_SETRANGE32, 0, 30000);
  ASSERT_EQ(SkinAttach(form_), 1);
  EnableWindow(bar, FALSE);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  SendMessageW(bar, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(bar, 0, 0), 0xD5A554u) << "the frame keeps its colour when disabled";
  EXPECT_EQ(WindowPixel(bar, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(WindowPixel(bar, 50, 7), 0xFFFFFFu) << "position 0: white inside";

  SendMessageW(bar, PBM_SETPOS, 15000, 0);
  SendMessageW(bar, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(bar, 3, 7), 0xF6D64Cu);
  EXPECT_EQ(WindowPixel(bar, 100, 7), 0xFFFFFFu);

  SendMessageW(tall, PBM_SETPOS, 15000, 0);
  SendMessageW(tall, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(tall, 7, 100), 0xF6D64Cu) << "a vertical bar fills from the bottom";
  EXPECT_EQ(WindowPixel(tall, 7, 4), 0xFFFFFFu);
}

// The form's procedure sees activation messages; a dialog that takes the
// activation is skinned with its controls before that.
TEST_F(GeometryTest, ActivationAttachesDialogsAndChildren) {
  ASSERT_EQ(SkinAttach(form_), 1);
  const int32_t base = State().attached_count;
  HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"dlg", WS_POPUP | WS_CAPTION, 50, 50, 200, 100, form_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND ok = CreateChild(dialog, L"Button", L"OK", BS_DEFPUSHBUTTON, 10, 10, 75, 23);
  HWND stray = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

  SendMessageW(form_, WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageW(form_, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(stray));
  EXPECT_EQ(State().attached_count, base) << "lParam 0 or an unrelated window attaches nothing";

  SendMessageW(form_, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(dialog));
  EXPECT_EQ(State().attached_count, base + 2);
  EXPECT_NE(GetPropA(dialog, "PROCADDR"), nullptr);
  EXPECT_NE(GetPropA(ok, "0HDC"), nullptr);
  SendMessageW(form_, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(dialog));
  EXPECT_EQ(State().attached_count, base + 2) << "moving back attaches nothing new";

  HWND late = CreateChild(form_, L"Static", L"late", 0, 0, 0, 10, 10);
  SendMessageW(form_, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(late));
  EXPECT_NE(GetPropA(late, "PROCADDR"), nullptr) << "a child of the form is attached whatever its class";

  DestroyWindow(dialog);
  DestroyWindow(stray);
  EXPECT_EQ(State().attached_count, base + 1);
}

struct BoxSeen {
  bool attached = false;
};
BoxSeen g_box;

void CALLBACK LookAtBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindWindowW(L"#32770", L"zero");
  if (!box) return;
  KillTimer(nullptr, id);
  g_box.attached = GetPropA(box, "PROCADDR") != nullptr;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(GeometryTest, MessageBoxIsSkinnedThroughActivation) {
  SetForegroundWindow(form_);
  SetActiveWindow(form_);
  ASSERT_EQ(SkinAttach(form_), 1);
  g_box = {};
  SetTimer(nullptr, 0, 20, LookAtBox);
  MessageBoxW(form_, L"\x539A\x5EA6\x4E3A\x96F6", L"zero", MB_OK | MB_ICONWARNING);
  EXPECT_TRUE(g_box.attached);
  EXPECT_EQ(State().attached_count, 1);
}

TEST_F(GeometryTest, ResizedButtonGetsNewImagesAndRegion) {
  HWND button = CreateChild(form_, L"Button", L"Enter", 0, 10, 10, 75, 23);
  HWND edit = CreateChild(form_, L"Edit", L"", 0, 10, 50, 75, 23);
  ASSERT_EQ(SkinAttach(form_), 1);
  HGDIOBJ old_bitmaps[4];
  for (int i = 0; i < 4; ++i) old_bitmaps[i] = GetPropA(button, (std::to_string(i) + "BMP").c_str());

  SetWindowPos(button, nullptr, 0, 0, 90, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = 0; i < 4; ++i) {
    const std::string n = std::to_string(i);
    HDC dc = static_cast<HDC>(GetPropA(button, (n + "HDC").c_str()));
    HGDIOBJ bitmap = GetPropA(button, (n + "BMP").c_str());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 90);
    EXPECT_EQ(info.bmHeight, 30);
    EXPECT_EQ(GetObjectType(old_bitmaps[i]), 0u) << "the bitmap of the old size is freed";
    EXPECT_EQ(GetPixel(dc, 89, 29), skin::SheetPixel(skin::SheetButton, 6, 21 * i + 20)) << "rendered anew";
  }
  EXPECT_TRUE(HasRoundedRegion(button, 90, 30));

  SetWindowPos(edit, nullptr, 0, 0, 90, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(edit, probe), ERROR) << "anything else is only forwarded";
  DeleteObject(probe);
}

}  // namespace
}  // namespace skin_test
