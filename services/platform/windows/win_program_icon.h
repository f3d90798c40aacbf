// The program's icon, from its own resources: ui/win32/forms.rc compiles the
// icon file that tools/make-icon.py draws (the drawing of the Qt windows, at
// 16, 32, 48 and 256 pixels) into the program under this id, the first and
// only icon, which the shell also shows for tolm32.exe.
#pragma once

#define IDI_Tolm32 1

#ifndef RC_INVOKED
#include <windows.h>

namespace tolm {

// The icon at pixels by pixels (the nearest size the file has, scaled); the
// system's application icon when the program holds none (a test program
// without the resources). Shared: the handle is never destroyed.
HICON ProgramIcon(int pixels);

// The icon at the sizes the system uses for window captions and the task bar
// (SM_CXICON) and for small captions (SM_CXSMICON).
HICON LargeProgramIcon();
HICON SmallProgramIcon();

}  // namespace tolm
#endif
