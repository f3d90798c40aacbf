// On Windows the event pump's sources are waitable handles (see win_pump.h).
#include <windows.h>

#include "services/seams/pump_backend.h"
#include "services/platform/windows/win_handle_value.h"

namespace tolm {

void WaitReadableWithoutPump(int source) { WaitForSingleObject(HandleOfSource(source), INFINITE); }

}  // namespace tolm
