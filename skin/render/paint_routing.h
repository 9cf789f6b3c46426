// WM_PAINT of every skinned window, routed by control family.
#pragma once

#include "core/message.h"

namespace skin {

LRESULT OnPaint(const Message& m);

}  // namespace skin
