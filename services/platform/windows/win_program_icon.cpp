#include "services/platform/windows/win_program_icon.h"

namespace tolm {

HICON ProgramIcon(int pixels) {
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_Tolm32), IMAGE_ICON, pixels, pixels,
                           LR_SHARED);
  if (icon == nullptr) return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  return static_cast<HICON>(icon);
}

HICON LargeProgramIcon() { return ProgramIcon(GetSystemMetrics(SM_CXICON)); }

HICON SmallProgramIcon() { return ProgramIcon(GetSystemMetrics(SM_CXSMICON)); }

}  // namespace tolm
