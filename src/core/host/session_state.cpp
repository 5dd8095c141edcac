#include "host/session_state.h"

namespace zembrati::host {

SessionState& Session() {
  thread_local SessionState state;
  return state;
}

}  // namespace zembrati::host
