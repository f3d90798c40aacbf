// Which desktop module serves this session: the windows, keyboard and show
// modes of one kind of session, each in a module of its own that links that
// desktop's libraries, so that runs without window or key commands never
// load them.
//
// The table of candidates below decides, in order: the first candidate whose
// session variable is set and whose module opens (a module declines, with
// its reason, when the session is not its kind); otherwise the last one, the
// fallback. A new kind of desktop is a row here plus its module (see
// docs/architecture.md, "Adding a desktop"). Until its module is built, a
// row's module is simply not found, and the selection goes on as for any
// module that does not open.
#pragma once

#include <span>
#include <string>

#include "services/seams/desktop.h"

namespace tolm {

struct DesktopCandidate {
  const char* name;             // for messages: "X11", "Wayland"
  const char* moduleFile;       // looked for beside the program, then in the installation's module folder
  const char* sessionVariable;  // set (not empty) in a session of this kind
  // The name XDG_CURRENT_DESKTOP gives a session of this kind, for a desktop
  // that shares its session variable with others (nullptr: none). Such a
  // candidate is tried wherever its variable is set; when it declines in a
  // session XDG_CURRENT_DESKTOP does not name it in, it is passed over
  // without a word, as the session is not its kind.
  const char* currentDesktop = nullptr;
};

// In order of preference. The last row is the fallback: it is used whatever
// the environment says, and its module reports a missing display itself at
// the command that needed one.
inline constexpr DesktopCandidate kDesktopCandidates[] = {
    {"KDE", "tolm32-kde.so", "WAYLAND_DISPLAY", "KDE"},  // declines unless KWin is on the session bus
    {"GNOME", "tolm32-gnome.so", "WAYLAND_DISPLAY", "GNOME"},  // declines unless GNOME Shell is on the session bus
    {"Wayland", "tolm32-wayland.so", "WAYLAND_DISPLAY"},
    {"X11", "tolm32-x11.so", "DISPLAY"},
};

// Opens one candidate's module; the seam to the loader.
class DesktopModuleOpener {
 public:
  virtual ~DesktopModuleOpener() = default;
  // Fills out and returns true, or returns false with the reason.
  virtual bool Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) = 0;
};

// Looks up an environment variable; nullptr when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// Chooses and opens the desktop, and writes one diagnostic line saying which
// and why. Throws Exception "Cannot load the desktop module: <reason>" when
// the fallback does not open either, and "Cannot reach the windows of this
// session: <each candidate passed over>: <why>; <fallback>: <its variable>
// is not set" when the session's own desktops cannot be used and there is
// nothing for the fallback either.
DesktopBackend SelectDesktop(std::span<const DesktopCandidate> candidates, EnvironmentLookup environment,
                             DesktopModuleOpener& opener);

// The diagnostic line written when the fallback serves a session of another kind.
std::string FallbackNote(const DesktopCandidate& passed, const std::string& reason, const DesktopCandidate& fallback);

// SelectDesktop over kDesktopCandidates, the process's environment and the
// program's module loader: what the program installs as its desktop.
DesktopBackend OpenSessionDesktop();

}  // namespace tolm
