// pidfd calls made through syscall(): some C libraries lack the wrappers, and
// glibc 2.36 declares them without C linkage, so C++ cannot link against them.
#pragma once

#include <signal.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

namespace tolm {

// A descriptor referring to process pid, or -1 with errno set.
inline int OpenPidfd(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0u)); }

// Sends signal to the process pidfd refers to; 0, or -1 with errno set.
inline int SignalPidfd(int pidfd, int signal) {
  return static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0u));
}

}  // namespace tolm
