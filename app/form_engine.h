// A small form engine: builds a window and its controls from a design
// table in twips, draws windowless labels, provides tool tips and the tab
// order, and routes control events to a FormEvents implementation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <tarnwick/gdi_raii.h>

namespace forms {

// The form's class name; the skin classifies windows of this class as forms.
constexpr wchar_t kFormClass[] = L"Form";
// A group frame of our own, deliberately not of the "button" class.
constexpr wchar_t kFrameClass[] = L"Frame";

constexpr COLORREF kDefaultColor = CLR_INVALID;  // the system's colour for the kind
constexpr int kOnForm = -1;                      // parent index of controls on the form
constexpr int kNoControl = -1;

enum class ControlKind { kFrame, kLabel, kTextBox, kCommandButton };

struct FontDesign {
  const wchar_t* face;
  int tenth_points;  // 105 for 10.5 pt
  BYTE charset;
};

struct ControlDesign {
  const wchar_t* name;
  ControlKind kind;
  int parent;  // index of a frame in the same table, or kOnForm
  const wchar_t* text;
  int left, top, width, height;  // twips, relative to the parent's client area
  COLORREF text_color;
  const FontDesign* font;  // nullptr: the form's font
  const wchar_t* tooltip;  // nullptr: none
  int tab_index;
  bool read_only;  // text boxes only
};

struct FormDesign {
  const wchar_t* caption;
  int client_width, client_height;  // twips
  const FontDesign* font;
  int icon_id;  // resource id in the executable; 0 for none
  const ControlDesign* controls;
  size_t control_count;
};

class Form;

// The form's event handlers. control is an index into the design table.
class FormEvents {
 public:
  virtual void OnLoad(Form&) {}
  virtual void OnUnload(Form&) {}
  virtual void OnClick(Form&, int /*control*/) {}
  virtual void OnDoubleClick(Form&, int /*control*/) {}
  // Runs before the control sees the character; the character is not
  // consumed. repeated: the key is held down and this is its auto-repeat.
  virtual void OnKeyPress(Form&, int /*control*/, wchar_t /*ch*/, bool /*repeated*/) {}
  // control is kNoControl for the form's own free area.
  virtual void OnMouseMove(Form&, int /*control*/, POINT /*client_point*/) {}
  // The pointer to show over a label; nullptr for the form's own.
  virtual HCURSOR LabelCursor(Form&, int /*control*/) { return nullptr; }

 protected:
  ~FormEvents() = default;
};

class Form {
 public:
  Form() = default;
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and every control, runs OnLoad and shows the window
  // with the focus on the first tab stop. Returns false if the window could
  // not be created.
  bool Create(const FormDesign& design, FormEvents* events, int show_command);

  // Runs OnUnload and destroys the window (what closing the window does).
  void Close();

  // Tab, Shift+Tab and Enter on a focused push button; call for every
  // message of the thread before translating it. Returns true when the
  // message was handled and must not be dispatched.
  bool PreTranslateMessage(const MSG& msg);

  HWND window() const { return window_; }
  HWND ControlWindow(int control) const;  // nullptr for labels
  int ControlFromWindow(HWND window) const;
  int ControlCount() const { return static_cast<int>(controls_.size()); }

  std::wstring Text(int control) const;
  void SetText(int control, std::wstring_view text);
  void SetFocusTo(int control);

  // Labels: look and geometry (in the parent's client coordinates).
  void SetLabelUnderline(int control, bool underline);
  void SetTextColor(int control, COLORREF color);
  bool LabelUnderline(int control) const;
  COLORREF TextColor(int control) const;  // the resolved colour
  RECT LabelRect(int control) const;
  LOGFONTW ControlFont(int control) const;
  HWND Tooltips() const { return tooltips_; }
  // The dots per inch the form is laid out for: the system's when it is
  // created, then each monitor's it is moved to (WM_DPICHANGED).
  int Dpi() const { return dpi_y_; }

  // The tab stops in tab order.
  std::vector<int> TabOrder() const;

  int paint_count() const { return paint_count_; }
  // Closing the window ends the thread's message loop.
  void set_quit_on_destroy(bool quit) { quit_on_destroy_ = quit; }

 private:
  struct Control {
    const ControlDesign* design;
    HWND window = nullptr;
    std::wstring text;  // labels only; windows keep their own
    RECT label_rect{};
    LOGFONTW logfont{};
    tarnwick::OwnedObject<HFONT> font;
    COLORREF color_override = kDefaultColor;
    WNDPROC previous_proc = nullptr;  // text boxes and buttons, which we subclass
  };

  static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
  static bool RegisterClasses();

  LRESULT OnFormMessage(UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT OnFrameMessage(int frame, HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT OnControlMessage(int control, HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  void NoteButtonPress(int control, UINT msg, LPARAM lparam);

  void CreateControls(HINSTANCE instance);
  void MakeFont(Control& control, const FontDesign& design, bool underline);
  void SizeLabel(Control& control);
  void CreateTooltips();
  LRESULT OnDpiChanged(WPARAM wparam, LPARAM lparam);
  void FitClientArea(const RECT& outer);
  void ScaleTooltipFont();
  void PaintParent(HWND parent, int parent_index);
  void PaintFrameBox(HDC dc, int frame);
  void PaintLabel(HDC dc, const Control& label);
  int LabelAt(int parent_index, POINT point) const;
  void RouteMouseMove(int parent_index, POINT point);
  void OnLabelButton(int parent_index, UINT msg, POINT point);
  LRESULT OnCtlColor(HDC dc, HWND control_window, UINT msg);
  void MoveFocus(bool backward);
  void RunUnload();
  int Pixels(int twips, bool vertical) const;

  HWND window_ = nullptr;
  HWND tooltips_ = nullptr;
  HWND saved_focus_ = nullptr;
  FormEvents* events_ = nullptr;
  const FormDesign* design_ = nullptr;
  std::vector<Control> controls_;
  LOGFONTW form_logfont_{};
  tarnwick::OwnedObject<HFONT> form_font_;
  int dpi_x_ = 96, dpi_y_ = 96;
  // Fonts and the tool tips' font replaced by the last DPI change, freed at
  // the next one: until the windows have been laid out again (and a skin
  // has re-rendered what it drew with them) they may still be selected.
  std::vector<tarnwick::OwnedObject<HFONT>> retired_fonts_;
  tarnwick::OwnedObject<HFONT> tooltip_font_;
  int pressed_label_ = kNoControl;
  // The last press on a command button, to tell the second press of a
  // double click (the button's click then is the double click's, not a
  // click of its own).
  int last_press_control_ = kNoControl;
  LONG last_press_time_ = 0;
  POINT last_press_point_{};
  int double_press_control_ = kNoControl;
  int paint_count_ = 0;
  bool unloaded_ = false;
  bool quit_on_destroy_ = false;
};

// The thread's message loop with the form's keyboard handling; returns the
// quit code.
int RunMessageLoop(Form& form);

// Handles every message waiting in the thread's queue the way the loop
// does, without waiting for more.
void PumpPendingMessages(Form& form);

}  // namespace forms
