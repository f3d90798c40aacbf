// The boundary between tolm32 and its desktop modules: the windows, keyboard
// and show modes of one kind of session (desktop_backend.h), each in a module
// of its own that links that desktop's libraries, so that runs without window
// or key commands never load them. The rules of the boundary are those of the
// window module (services/modules/module_boundary.h).
//
// Which module serves a session is decided by the table of candidates below
// (desktop_selection.h). A new kind of desktop is a row here plus its module:
// an entry file like services/desktop/x11/module/x11_module.cpp (its backend through
// OpenDesktopGuarded and BehindBoundary, services/desktop_module/) with an
// exports.map beside it, and one tolm_desktop_module() line in CMakeLists.txt.
// Until its module is built, a row's module is simply not found, and the
// selection falls back as it does for any module that does not open.
#pragma once

#include <cstddef>

#include "services/seams/desktop.h"

namespace tolm {

struct DesktopCandidate {
  const char* name;             // for messages: "X11", "Wayland"
  const char* moduleFile;       // looked for beside the program, then in lib/tolm
  const char* entry;            // the module's OpenDesktopModule
  const char* sessionVariable;  // set (not empty) in a session of this kind
};

// In order of preference. The last row is the fallback: it is used whatever
// the environment says, and its module reports a missing display itself at
// the command that needed one.
inline constexpr DesktopCandidate kDesktopCandidates[] = {
    {"Wayland", "tolm32-wayland.so", "tolm_open_wayland_desktop", "WAYLAND_DISPLAY"},
    {"X11", "tolm32-x11.so", "tolm_open_x11_desktop", "DISPLAY"},
};

// The entry's type: fills out with the module's services, which live until the
// program ends and throw nothing (failures go to ReportModuleFailure). On
// failure it returns false and writes the reason, NUL-terminated, into why.
using OpenDesktopModule = bool (*)(DesktopBackend* out, char* why, std::size_t whySize) noexcept;

}  // namespace tolm
