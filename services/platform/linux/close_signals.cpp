#include "services/platform/linux/close_signals.h"

#include <pthread.h>

#include "services/core/sys_error.h"
#include "services/core/errors.h"

namespace tolm {

sigset_t CloseSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

void BlockCloseSignals() {
  sigset_t set = CloseSignals();
  // Unblocked, a close request would take its default action and end us
  // without the status the event pump gives it.
  if (int e = pthread_sigmask(SIG_BLOCK, &set, nullptr))
    throw Exception("pthread_sigmask failed: " + SysErrorDescription(e));
}

}  // namespace tolm
