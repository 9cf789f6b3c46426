// A skinned form hosting controls of the superclassed families, and pixel
// helpers for reading back what the skin drew into window DCs.
#pragma once

#include <windows.h>

#include "support/engine_fixture.h"
#include "support/pixels.h"

namespace skin_test {

inline constexpr COLORREF kMagenta = 0xFF00FF;

void Repaint(HWND window);
// Moves the cursor onto the window's centre, or somewhere no test window is.
void CursorOnto(HWND window);
void CursorAway();

// A form created per test, shown, with its children attached after the
// test body creates them by calling Attach().
class FamilyTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Attach();
  HWND form_ = nullptr;
  bool attached_ = false;
};

}  // namespace skin_test
