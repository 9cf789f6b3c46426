#include "state/skin_state.h"

namespace skin {

SkinState& State() {
  // Per thread: GDI does not serialise access to its objects, so sheets
  // shared between threads would need a lock around every paint, and one
  // thread's last detach would free what another is drawing with.
  static thread_local SkinState state;
  return state;
}

}  // namespace skin
