#include "support/family_fixture.h"

#include <skin/skin.h>

#include "control_classes.h"

namespace skin_test {

void Repaint(HWND window) {
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
}

void CursorOnto(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void CursorAway() { SetCursorPos(5, 1000); }

void FamilyTest::SetUp() {
  EngineTest::SetUp();
  ASSERT_TRUE(gallery::RegisterControlClasses());
  form_ = CreateForm(420, 320);
  ShowWindow(form_, SW_SHOW);
  CursorAway();
}

void FamilyTest::Attach() {
  ASSERT_EQ(SkinAttach(form_), 1);
  attached_ = true;
  Pump();
}

void FamilyTest::TearDown() {
  ReleaseCapture();
  if (attached_) SkinDetach(form_);
  DestroyWindow(form_);
  EngineTest::TearDown();
}

}  // namespace skin_test
