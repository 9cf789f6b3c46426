// WM_NCPAINT: flat borders instead of sunken client edges, and progress
// bars drawn whole.
#pragma once

#include "core/message.h"

namespace skin {

LRESULT OnNcPaint(const Message& m);

}  // namespace skin
