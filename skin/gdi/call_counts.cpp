#include "gdi/call_counts.h"

#ifdef SKIN_COUNT_CALLS
namespace skin {

CallCounts& Counts() {
  static CallCounts counts;
  return counts;
}

}  // namespace skin
#endif
