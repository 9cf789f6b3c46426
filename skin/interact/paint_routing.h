// WM_PAINT and WM_NCPAINT of every skinned window, routed by control family.
#pragma once

#include "state/message.h"

namespace skin {

LRESULT OnPaint(const Message& m);

// WM_NCPAINT: flat borders instead of sunken client edges, and progress
// bars drawn whole.
LRESULT OnNcPaint(const Message& m);

}  // namespace skin
