// Waiting for a POSIX file descriptor when no event pump is installed.
#include <poll.h>

#include <cerrno>

#include "services/seams/pump_backend.h"

namespace tolm {

void WaitReadableWithoutPump(int fd) {
  pollfd one{fd, POLLIN, 0};
  while (poll(&one, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace tolm
