// The running processes as /proc shows them, and ending one with SIGKILL.
#pragma once

#include "services/seams/process_api.h"

namespace tolm {

class ProcProcesses : public SystemProcesses {
 public:
  std::vector<uint32_t> ProcessIds() override;
  std::string ImagePath(uint32_t id) override;
  KillResult Kill(uint32_t id) override;
  uint32_t CurrentId() override;
};

}  // namespace tolm
