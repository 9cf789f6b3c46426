#include "state/skin_state.h"

namespace skin {

SkinState& State() {
  static SkinState state;
  return state;
}

}  // namespace skin
