#include "state/high_contrast.h"

#include <windows.h>

namespace skin {

bool ReadHighContrast() {
  HIGHCONTRASTW mode{};
  mode.cbSize = sizeof mode;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0)) return false;
  return (mode.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace skin
