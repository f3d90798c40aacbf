#include "services/linux/close_signals.h"

#include <pthread.h>

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
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace tolm
