#include "interact/mouse_tracking.h"

#include <commctrl.h>

#include "state/skin_state.h"

namespace skin {

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = window;
  request.dwHoverTime = 0;
  if (State().leave_tracking_available) {
    TrackMouseEvent(&request);
  } else {
    _TrackMouseEvent(&request);
  }
}

}  // namespace skin
