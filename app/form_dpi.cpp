// The form at a new DPI. The program declares itself aware of each
// monitor's DPI, so the system does not stretch its pixels; when the window
// moves to a monitor of another DPI it gets WM_DPICHANGED and lays itself
// out again from its design in twips: fonts, control and label rectangles,
// the tool tips' font, and its own size.
#include "form_engine.h"

namespace forms {
namespace {

constexpr UINT kMoveOnly = SWP_NOZORDER | SWP_NOACTIVATE;

// The tool tips' font at a DPI: the system's status font for it where the
// system can say (Windows 10 1607 and later), else the status font of the
// system DPI scaled.
LOGFONTW StatusFontFor(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  const auto for_dpi =
      reinterpret_cast<ForDpi>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"),
                                                                      "SystemParametersInfoForDpi")));
  if (for_dpi && for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return metrics.lfStatusFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  tarnwick::ScopedClientDC screen(nullptr);
  metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, dpi, GetDeviceCaps(screen, LOGPIXELSY));
  return metrics.lfStatusFont;
}

}  // namespace

LRESULT Form::OnDpiChanged(WPARAM wparam, LPARAM lparam) {
  const int dpi_x = LOWORD(wparam), dpi_y = HIWORD(wparam);
  const auto* suggested = reinterpret_cast<const RECT*>(lparam);
  if (dpi_x <= 0 || dpi_y <= 0) return 0;
  const bool changed = dpi_x != dpi_x_ || dpi_y != dpi_y_;
  dpi_x_ = dpi_x;
  dpi_y_ = dpi_y;
  if (changed) {
    retired_fonts_.clear();
    for (Control& c : controls_) {
      const ControlDesign& d = *c.design;
      retired_fonts_.push_back(std::move(c.font));
      MakeFont(c, d.font ? *d.font : *design_->font, c.logfont.lfUnderline != 0);
      if (d.kind == ControlKind::kLabel) {
        SizeLabel(c);
        continue;
      }
      if (!c.window) continue;
      SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(c.font.get()), FALSE);
      // Resizing a window is what tells a skin to draw it again at its
      // new size, so the font goes first.
      SetWindowPos(c.window, nullptr, Pixels(d.left, false), Pixels(d.top, true), Pixels(d.width, false),
                   Pixels(d.height, true), kMoveOnly);
    }
    ScaleTooltipFont();
  }
  RECT outer{};
  if (suggested) {
    outer = *suggested;
  } else {
    GetWindowRect(window_, &outer);
  }
  FitClientArea(outer);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return 0;
}

void Form::FitClientArea(const RECT& outer) {
  SetWindowPos(window_, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
               kMoveOnly);
  // The suggested rectangle carries the frame the system draws at the new
  // DPI. Where the frame turns out different (a system that does not scale
  // frames, or a rectangle computed for another style) the client area
  // still has to be the design's, so the size is corrected to it.
  RECT window{}, client{};
  GetWindowRect(window_, &window);
  GetClientRect(window_, &client);
  const int want_w = Pixels(design_->client_width, false), want_h = Pixels(design_->client_height, true);
  if (client.right == want_w && client.bottom == want_h) return;
  const int frame_w = (window.right - window.left) - client.right;
  const int frame_h = (window.bottom - window.top) - client.bottom;
  SetWindowPos(window_, nullptr, 0, 0, want_w + frame_w, want_h + frame_h, kMoveOnly | SWP_NOMOVE);
}

void Form::ScaleTooltipFont() {
  if (!tooltips_) return;
  LOGFONTW font = StatusFontFor(dpi_y_);
  retired_fonts_.push_back(std::move(tooltip_font_));
  tooltip_font_.reset(CreateFontIndirectW(&font));
  SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(tooltip_font_.get()), FALSE);
}

}  // namespace forms
