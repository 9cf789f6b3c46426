#include "form_engine.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace forms {
namespace {

constexpr int kFirstControlId = 1000;
constexpr UINT kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kFrameCaptionIndent = 8;  // pixels from the frame's left edge to its caption
constexpr int kFrameCaptionGap = 2;     // blank pixels either side of the caption

bool IsTabStopKind(ControlKind kind) {
  return kind == ControlKind::kTextBox || kind == ControlKind::kCommandButton;
}

POINT PointOf(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

template <typename T>
T* FromUserData(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

Form::~Form() {
  if (window_) Close();
}

bool Form::RegisterClasses() {
  static bool registered = false;
  if (registered) return true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = FormProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormClass;
  WNDCLASSEXW frame = form;
  frame.lpfnWndProc = FrameProc;
  frame.lpszClassName = kFrameClass;
  registered = RegisterClassExW(&form) != 0 && RegisterClassExW(&frame) != 0;
  return registered;
}

int Form::Pixels(int twips, bool vertical) const {
  return MulDiv(twips, vertical ? dpi_y_ : dpi_x_, 1440);
}

bool Form::Create(const FormDesign& design, FormEvents* events, int show_command) {
  if (window_ || !RegisterClasses()) return false;
  design_ = &design;
  events_ = events;
  unloaded_ = false;
  {
    tarnwick::ScopedClientDC screen(nullptr);
    dpi_x_ = GetDeviceCaps(screen, LOGPIXELSX);
    dpi_y_ = GetDeviceCaps(screen, LOGPIXELSY);
  }

  RECT outer{0, 0, Pixels(design.client_width, false), Pixels(design.client_height, true)};
  AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!CreateWindowExW(0, kFormClass, design.caption, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                       this)) {
    return false;
  }

  if (design.icon_id) {
    // Shared icons belong to the system; a missing icon leaves the default.
    for (auto [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                 std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
      HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(design.icon_id), IMAGE_ICON,
                               GetSystemMetrics(cx), GetSystemMetrics(cy), LR_SHARED);
      if (icon) SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }

  CreateControls(instance);
  CreateTooltips();
  if (events_) events_->OnLoad(*this);

  std::vector<int> order = TabOrder();
  saved_focus_ = order.empty() ? nullptr : controls_[order.front()].window;
  ShowWindow(window_, show_command);
  if (saved_focus_) SetFocus(saved_focus_);
  UpdateWindow(window_);
  return true;
}

void Form::MakeFont(Control& control, const FontDesign& font, bool underline) {
  LOGFONTW& lf = control.logfont;
  lf = LOGFONTW{};
  lf.lfHeight = -MulDiv(font.tenth_points, dpi_y_, 720);
  lf.lfWeight = FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfCharSet = font.charset;
  lstrcpynW(lf.lfFaceName, font.face, LF_FACESIZE);
  control.font.reset(CreateFontIndirectW(&lf));
}

void Form::SizeLabel(Control& control) {
  const ControlDesign& d = *control.design;
  SIZE extent{};
  {
    tarnwick::ScopedClientDC screen(nullptr);
    tarnwick::SelectGuard select(screen, control.font.get());
    GetTextExtentPoint32W(screen, control.text.c_str(), static_cast<int>(control.text.size()),
                          &extent);
  }
  int left = Pixels(d.left, false);
  int top = Pixels(d.top, true);
  control.label_rect = RECT{left, top, left + extent.cx, top + extent.cy};
}

void Form::CreateControls(HINSTANCE instance) {
  controls_.clear();
  controls_.reserve(design_->control_count);
  for (size_t i = 0; i < design_->control_count; ++i) {
    Control control;
    control.design = &design_->controls[i];
    controls_.push_back(std::move(control));
  }

  // Siblings are created in tab order, which makes the z-order match it;
  // frames go first because their children need them.
  std::vector<int> creation(controls_.size());
  for (size_t i = 0; i < creation.size(); ++i) creation[i] = static_cast<int>(i);
  std::stable_sort(creation.begin(), creation.end(), [this](int a, int b) {
    bool frame_a = controls_[a].design->kind == ControlKind::kFrame;
    bool frame_b = controls_[b].design->kind == ControlKind::kFrame;
    if (frame_a != frame_b) return frame_a;
    return controls_[a].design->tab_index < controls_[b].design->tab_index;
  });

  for (int index : creation) {
    Control& control = controls_[index];
    const ControlDesign& d = *control.design;
    MakeFont(control, d.font ? *d.font : *design_->font, false);
    if (d.kind == ControlKind::kLabel) {
      control.text = d.text;
      SizeLabel(control);
      continue;
    }
    HWND parent = d.parent == kOnForm ? window_ : controls_[d.parent].window;
    const wchar_t* window_class = L"Edit";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex_style = 0;
    LPVOID create_param = nullptr;
    switch (d.kind) {
      case ControlKind::kFrame:
        window_class = kFrameClass;
        style |= WS_CLIPCHILDREN;
        ex_style = WS_EX_CONTROLPARENT;
        create_param = this;
        break;
      case ControlKind::kTextBox:
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (d.read_only ? ES_READONLY : 0);
        ex_style = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::kCommandButton:
        window_class = L"Button";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case ControlKind::kLabel:
        break;
    }
    control.window = CreateWindowExW(
        ex_style, window_class, d.text, style, Pixels(d.left, false), Pixels(d.top, true),
        Pixels(d.width, false), Pixels(d.height, true), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), instance,
        create_param);
    if (!control.window) continue;
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font.get()), FALSE);
    if (d.kind != ControlKind::kFrame) {
      SetWindowLongPtrW(control.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      control.previous_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
          control.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::ControlProc)));
    }
  }
}

void Form::CreateTooltips() {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  // Owned by the form, so it is destroyed with it.
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!tooltips_) return;
  for (const Control& control : controls_) {
    if (!control.design->tooltip || !control.window) continue;
    TTTOOLINFOW tool{};
    // The version-5 size: comctl32 without a manifest rejects the larger one.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control.window);
    tool.lpszText = const_cast<wchar_t*>(control.design->tooltip);
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form::Close() {
  if (!window_) return;
  RunUnload();
  DestroyWindow(window_);
}

void Form::RunUnload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (events_) events_->OnUnload(*this);
}

HWND Form::ControlWindow(int control) const {
  if (control < 0 || control >= ControlCount()) return nullptr;
  return controls_[control].window;
}

int Form::ControlFromWindow(HWND window) const {
  if (!window) return kNoControl;
  for (int i = 0; i < ControlCount(); ++i) {
    if (controls_[i].window == window) return i;
  }
  return kNoControl;
}

std::wstring Form::Text(int control) const {
  if (control < 0 || control >= ControlCount()) return {};
  const Control& c = controls_[control];
  if (!c.window) return c.text;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(c.window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(c.window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Form::SetText(int control, std::wstring_view text) {
  if (control < 0 || control >= ControlCount()) return;
  Control& c = controls_[control];
  std::wstring value(text);
  if (c.window) {
    SetWindowTextW(c.window, value.c_str());
    return;
  }
  HWND parent = c.design->parent == kOnForm ? window_ : controls_[c.design->parent].window;
  InvalidateRect(parent, &c.label_rect, TRUE);
  c.text = std::move(value);
  SizeLabel(c);
  InvalidateRect(parent, &c.label_rect, TRUE);
}

void Form::SetFocusTo(int control) {
  HWND target = ControlWindow(control);
  if (!target) return;
  saved_focus_ = target;
  SetFocus(target);
}

void Form::SetLabelUnderline(int control, bool underline) {
  if (control < 0 || control >= ControlCount()) return;
  Control& c = controls_[control];
  if ((c.logfont.lfUnderline != 0) == underline) return;
  const ControlDesign& d = *c.design;
  MakeFont(c, d.font ? *d.font : *design_->font, underline);
  HWND parent = d.parent == kOnForm ? window_ : controls_[d.parent].window;
  InvalidateRect(parent, &c.label_rect, TRUE);
  SizeLabel(c);
  InvalidateRect(parent, &c.label_rect, TRUE);
}

void Form::SetTextColor(int control, COLORREF color) {
  if (control < 0 || control >= ControlCount()) return;
  Control& c = controls_[control];
  if (c.color_override == color) return;
  c.color_override = color;
  if (c.window) {
    InvalidateRect(c.window, nullptr, TRUE);
  } else {
    HWND parent = c.design->parent == kOnForm ? window_ : controls_[c.design->parent].window;
    InvalidateRect(parent, &c.label_rect, TRUE);
  }
}

bool Form::LabelUnderline(int control) const {
  return control >= 0 && control < ControlCount() && controls_[control].logfont.lfUnderline != 0;
}

COLORREF Form::TextColor(int control) const {
  if (control < 0 || control >= ControlCount()) return GetSysColor(COLOR_BTNTEXT);
  const Control& c = controls_[control];
  if (c.color_override != kDefaultColor) return c.color_override;
  if (c.design->text_color != kDefaultColor) return c.design->text_color;
  return GetSysColor(COLOR_BTNTEXT);
}

RECT Form::LabelRect(int control) const {
  if (control < 0 || control >= ControlCount()) return RECT{};
  return controls_[control].label_rect;
}

LOGFONTW Form::ControlFont(int control) const {
  if (control < 0 || control >= ControlCount()) return LOGFONTW{};
  return controls_[control].logfont;
}

std::vector<int> Form::TabOrder() const {
  std::vector<int> order;
  for (int i = 0; i < ControlCount(); ++i) {
    const Control& c = controls_[i];
    // The style, not IsWindowVisible: the order is needed before the form
    // is shown.
    if (IsTabStopKind(c.design->kind) && c.window && IsWindowEnabled(c.window) &&
        (GetWindowLongPtrW(c.window, GWL_STYLE) & WS_VISIBLE)) {
      order.push_back(i);
    }
  }
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return controls_[a].design->tab_index < controls_[b].design->tab_index;
  });
  return order;
}

void Form::MoveFocus(bool backward) {
  std::vector<int> order = TabOrder();
  if (order.empty()) return;
  auto current = std::find(order.begin(), order.end(), ControlFromWindow(GetFocus()));
  size_t next = 0;
  if (current != order.end()) {
    size_t at = static_cast<size_t>(current - order.begin());
    next = backward ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
  } else if (backward) {
    next = order.size() - 1;
  }
  int target = order[next];
  SetFocusTo(target);
  // As the dialog manager does: tabbing into a text box selects its text.
  if (controls_[target].design->kind == ControlKind::kTextBox) {
    SendMessageW(controls_[target].window, EM_SETSEL, 0, -1);
  }
}

bool Form::PreTranslateMessage(const MSG& msg) {
  if (!window_ || msg.message != WM_KEYDOWN) return false;
  if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
  if (msg.wParam == VK_TAB) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    MoveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  if (msg.wParam == VK_RETURN) {
    // A push button clicks on Enter only through us: it has no dialog
    // manager. Not translating the key keeps a second click (or a beep)
    // from a character 13 away; auto-repeat does not click again.
    int control = ControlFromWindow(msg.hwnd);
    if (control == kNoControl || controls_[control].design->kind != ControlKind::kCommandButton) {
      return false;
    }
    bool repeat = (msg.lParam & (LPARAM{1} << 30)) != 0;
    if (!repeat && events_) events_->OnClick(*this, control);
    return true;
  }
  return false;
}

void Form::PaintLabel(HDC dc, const Control& label) {
  tarnwick::SelectGuard select(dc, label.font.get());
  ::SetTextColor(dc, TextColor(static_cast<int>(&label - controls_.data())));
  SetBkMode(dc, TRANSPARENT);
  RECT box = label.label_rect;
  DrawTextW(dc, label.text.c_str(), static_cast<int>(label.text.size()), &box,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void Form::PaintFrameBox(HDC dc, int frame) {
  const Control& c = controls_[frame];
  std::wstring caption = Text(frame);
  tarnwick::SelectGuard select(dc, c.font.get());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  RECT box{};
  GetClientRect(c.window, &box);
  box.top += extent.cy / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  RECT gap{kFrameCaptionIndent - kFrameCaptionGap, 0,
           kFrameCaptionIndent + extent.cx + kFrameCaptionGap, extent.cy};
  FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
  ::SetTextColor(dc, TextColor(frame));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, kFrameCaptionIndent, 0, caption.c_str(), static_cast<int>(caption.size()));
}

void Form::PaintParent(HWND parent, int parent_index) {
  {
    tarnwick::ScopedPaint paint(parent);
    if (parent_index != kOnForm) PaintFrameBox(paint, parent_index);
    for (const Control& c : controls_) {
      if (c.design->kind == ControlKind::kLabel && c.design->parent == parent_index) {
        PaintLabel(paint, c);
      }
    }
  }
  if (parent_index == kOnForm) ++paint_count_;
}

int Form::LabelAt(int parent_index, POINT point) const {
  for (int i = ControlCount() - 1; i >= 0; --i) {
    const Control& c = controls_[i];
    if (c.design->kind == ControlKind::kLabel && c.design->parent == parent_index &&
        PtInRect(&c.label_rect, point)) {
      return i;
    }
  }
  return kNoControl;
}

void Form::RouteMouseMove(int parent_index, POINT point) {
  if (!events_) return;
  int label = LabelAt(parent_index, point);
  events_->OnMouseMove(*this, label != kNoControl ? label : parent_index, point);
}

void Form::OnLabelButton(int parent_index, UINT msg, POINT point) {
  int label = LabelAt(parent_index, point);
  if (msg == WM_LBUTTONDOWN) {
    pressed_label_ = label;
    return;
  }
  // A click is a press and a release on the same label.
  bool click = label != kNoControl && label == pressed_label_;
  pressed_label_ = kNoControl;
  if (click && events_) events_->OnClick(*this, label);
}

LRESULT Form::OnCtlColor(HDC dc, HWND control_window, UINT msg) {
  int control = ControlFromWindow(control_window);
  if (control == kNoControl || controls_[control].design->kind != ControlKind::kTextBox) {
    return DefWindowProcW(window_, msg, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control_window));
  }
  // Read-only boxes ask with WM_CTLCOLORSTATIC; they stay white all the same.
  ::SetTextColor(dc, TextColor(control));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK Form::FormProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  Form* form = FromUserData<Form>(window);
  if (!form) return DefWindowProcW(window, msg, wparam, lparam);
  return form->OnFormMessage(msg, wparam, lparam);
}

LRESULT Form::OnFormMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
  HWND window = window_;
  switch (msg) {
    case WM_PAINT:
      PaintParent(window, kOnForm);
      return 0;
    case WM_COMMAND: {
      int control = ControlFromWindow(reinterpret_cast<HWND>(lparam));
      if (control != kNoControl && HIWORD(wparam) == BN_CLICKED &&
          controls_[control].design->kind == ControlKind::kCommandButton && events_) {
        if (control == double_press_control_) {
          events_->OnDoubleClick(*this, control);
        } else {
          events_->OnClick(*this, control);
        }
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return OnCtlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), msg);
    case WM_MOUSEMOVE:
      RouteMouseMove(kOnForm, PointOf(lparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      OnLabelButton(kOnForm, msg, PointOf(lparam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && events_) {
        HWND under = reinterpret_cast<HWND>(wparam);
        int parent_index = under == window ? kOnForm : ControlFromWindow(under);
        if (parent_index == kOnForm ||
            (parent_index != kNoControl && controls_[parent_index].design->kind == ControlKind::kFrame)) {
          POINT point{};
          GetCursorPos(&point);
          ScreenToClient(under, &point);
          int label = LabelAt(parent_index, point);
          HCURSOR cursor = label != kNoControl ? events_->LabelCursor(*this, label) : nullptr;
          if (cursor) {
            SetCursor(cursor);
            return TRUE;
          }
        }
      }
      break;
    case WM_ACTIVATE:
      // The form remembers its focused control across deactivation, so a
      // message box or another program leaves the focus where it was.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) saved_focus_ = focus;
        return 0;
      }
      if (!HIWORD(wparam) && saved_focus_ && IsWindow(saved_focus_)) {
        SetFocus(saved_focus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (saved_focus_ && IsWindow(saved_focus_)) SetFocus(saved_focus_);
      return 0;
    case WM_DPICHANGED:
      return OnDpiChanged(wparam, lparam);
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      RunUnload();  // destroyed without a close: unload while the window still exists
      return 0;
    case WM_NCDESTROY: {
      LRESULT result = DefWindowProcW(window, msg, wparam, lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      tooltips_ = nullptr;
      saved_focus_ = nullptr;
      for (Control& c : controls_) c.window = nullptr;
      if (quit_on_destroy_) PostQuitMessage(0);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

LRESULT CALLBACK Form::FrameProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  Form* form = FromUserData<Form>(window);
  if (!form) return DefWindowProcW(window, msg, wparam, lparam);
  return form->OnFrameMessage(form->ControlFromWindow(window), window, msg, wparam, lparam);
}

LRESULT Form::OnFrameMessage(int frame, HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_PAINT:
      if (frame == kNoControl) break;  // still being created
      PaintParent(window, frame);
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
      // The controls' notifications belong to the form, as in a dialog.
      return SendMessageW(GetParent(window), msg, wparam, lparam);
    case WM_MOUSEMOVE:
      if (frame != kNoControl) RouteMouseMove(frame, PointOf(lparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (frame != kNoControl) OnLabelButton(frame, msg, PointOf(lparam));
      return 0;
    case WM_SETCURSOR:
      // The form decides the pointer over its labels, including the frame's.
      if (SendMessageW(GetParent(window), msg, wparam, lparam)) return TRUE;
      break;
    case WM_GETFONT:
      return frame == kNoControl ? 0 : reinterpret_cast<LRESULT>(controls_[frame].font.get());
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, msg, wparam, lparam);
}

LRESULT CALLBACK Form::ControlProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  Form* form = FromUserData<Form>(window);
  int control = form ? form->ControlFromWindow(window) : kNoControl;
  if (control == kNoControl) return DefWindowProcW(window, msg, wparam, lparam);
  return form->OnControlMessage(control, window, msg, wparam, lparam);
}

LRESULT Form::OnControlMessage(int control, HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  WNDPROC previous = controls_[control].previous_proc;
  switch (msg) {
    case WM_CHAR:
      if (events_) {
        bool repeated = (lparam & (LPARAM{1} << 30)) != 0;
        events_->OnKeyPress(*this, control, static_cast<wchar_t>(wparam), repeated);
      }
      if (!IsWindow(window)) return 0;
      break;
    case WM_LBUTTONDOWN:
      if (controls_[control].design->kind == ControlKind::kCommandButton) NoteButtonPress(control, msg, lparam);
      break;
    case WM_LBUTTONDBLCLK: {
      const bool command_button = controls_[control].design->kind == ControlKind::kCommandButton;
      if (command_button) NoteButtonPress(control, msg, lparam);
      LRESULT result = CallWindowProcW(previous, window, msg, wparam, lparam);
      // A command button's double click is reported with its release.
      if (events_ && !command_button) events_->OnDoubleClick(*this, control);
      return result;
    }
    case WM_LBUTTONUP: {
      // The button reports its click inside the release.
      LRESULT result = CallWindowProcW(previous, window, msg, wparam, lparam);
      if (control == double_press_control_) double_press_control_ = kNoControl;
      return result;
    }
    case WM_MOUSEMOVE: {
      LRESULT result = CallWindowProcW(previous, window, msg, wparam, lparam);
      if (events_) events_->OnMouseMove(*this, control, PointOf(lparam));
      return result;
    }
    case WM_NCDESTROY:
      // Put the class procedure back only if nobody subclassed on top of us
      // and left without restoring; then forget the window.
      if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Form::ControlProc)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      }
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      controls_[control].window = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, window, msg, wparam, lparam);
}

// A command button's second press within the double-click time and
// distance of its first is a double click, whether it arrives as such or,
// through a subclass above that turns a double click into a press (so that
// an owner-drawn button still clicks), as a plain press. The calculator
// must not take that second press for a click of its own: it would compute
// again on the weight box the first click emptied and replace the result
// with 0.00.
void Form::NoteButtonPress(int control, UINT msg, LPARAM lparam) {
  const LONG time = GetMessageTime();
  const POINT point = PointOf(lparam);
  const bool second = msg == WM_LBUTTONDBLCLK ||
                      (control == last_press_control_ &&
                       static_cast<DWORD>(time - last_press_time_) <= GetDoubleClickTime() &&
                       std::abs(point.x - last_press_point_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(point.y - last_press_point_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2);
  double_press_control_ = second ? control : kNoControl;
  // A third press starts a new pair.
  last_press_control_ = second ? kNoControl : control;
  last_press_time_ = time;
  last_press_point_ = point;
}

int RunMessageLoop(Form& form) {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void PumpPendingMessages(Form& form) {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (form.PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace forms
