#include "state/skin_state.h"

namespace skin {
namespace {

// Frees a thread's state when the thread ends: whatever its caches still
// hold (a thread that ended with windows attached) goes with it.
void WINAPI FreeThreadState(void* state) { delete static_cast<SkinState*>(state); }

DWORD ThreadStateSlot() {
  static const DWORD slot = FlsAlloc(FreeThreadState);
  return slot;
}

}  // namespace

// Per thread: GDI does not serialise access to its objects, so sheets
// shared between threads would need a lock around every paint, and one
// thread's last detach would free what another is drawing with.
//
// The state lives on the heap, reached through a plain thread_local
// pointer and freed by the fiber-local slot's callback at the thread's
// end. A thread_local object with a destructor would be destroyed by the
// MinGW runtime after it has released the thread's TLS block, which
// corrupts the heap of every thread that ends having used the skin.
SkinState& State() {
  static thread_local SkinState* state = nullptr;
  if (!state) {
    state = new SkinState;
    const DWORD slot = ThreadStateSlot();
    if (slot != FLS_OUT_OF_INDEXES) FlsSetValue(slot, state);
  }
  return *state;
}

}  // namespace skin
