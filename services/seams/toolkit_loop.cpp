#include "services/seams/toolkit_loop.h"

namespace tolm {
namespace {

ToolkitLoop*& Attached() {
  static ToolkitLoop* loop = nullptr;
  return loop;
}

}  // namespace

void AttachToolkitLoop(ToolkitLoop* loop) noexcept { Attached() = loop; }

ToolkitLoop* AttachedToolkitLoop() noexcept { return Attached(); }

}  // namespace tolm
