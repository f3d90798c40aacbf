#include "services/show_mode.h"

namespace tolm {
namespace {

ShowModeHandler& Handler() {
  static ShowModeHandler handler;
  return handler;
}

}  // namespace

void ApplyShowMode(int pid, int showMode) {
  if (Handler()) Handler()(pid, showMode);
}

void SetShowModeHandler(ShowModeHandler handler) { Handler() = std::move(handler); }

}  // namespace tolm
