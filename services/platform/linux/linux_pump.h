// The event pump on Linux: one ppoll over a signalfd for the close requests
// and the registered event sources (or, with a toolkit attached, its loop).
#pragma once

#include "services/platform/posix/unique_fd.h"
#include "services/seams/pump_backend.h"

namespace tolm {

class LinuxPump : public PumpBackend {
 public:
  // Non-blocking passes closer together than this find nothing new worth a
  // system call: the interpreter makes one before every command, and a tight
  // loop of commands would otherwise spend much of its time polling.
  static constexpr std::chrono::microseconds kPassInterval{1000};

  // Opens the signalfd; throws Exception when that fails.
  LinuxPump();
  bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point> deadline) override;
  int CloseRequestDescriptor() const override { return signals_.Get(); }
  // Reads a pending close request and ends the program with 128 + its signal.
  void ServeCloseRequest() override;

 private:
  // Whether a non-blocking pass should poll now, or is too close to the last.
  bool NonBlockingPassDue();

  UniqueFd signals_;
  bool passed_ = false;
  std::chrono::steady_clock::time_point lastPass_{};
};

}  // namespace tolm
