// Progress bars, painted entirely by the skin: white with a flat fill.
#pragma once

#include "state/message.h"

namespace skin {

// WM_PAINT of a progress bar. The bar's own procedure never sees it.
LRESULT PaintProgressBar(const Message& m);

}  // namespace skin
