// High-contrast mode. A user who turns it on needs the system's own colours
// everywhere, so while it is on the skin draws nothing of its own: every
// window stays attached, with all its properties and drawing objects, but
// its messages go straight to its own procedure and push buttons get their
// own style back and lose their rounded region.
#pragma once

namespace skin {

// Whether the system's high-contrast mode is on (SPI_GETHIGHCONTRAST).
bool ReadHighContrast();

}  // namespace skin
