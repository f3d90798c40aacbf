// The event pump on Linux: one ppoll over a signalfd for the close requests
// and the registered event sources.
#pragma once

#include "services/linux/unique_fd.h"
#include "services/pump_backend.h"

namespace tolm {

class LinuxPump : public PumpBackend {
 public:
  // Opens the signalfd; throws Exception when that fails.
  LinuxPump();
  bool WaitAndServe(std::optional<std::chrono::steady_clock::time_point> deadline) override;

 private:
  void ServeCloseRequest();
  UniqueFd signals_;
};

}  // namespace tolm
