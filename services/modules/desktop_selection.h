// Choosing the desktop module of this session from the candidates
// (desktop_module.h): the first candidate whose session variable is set and
// whose module opens; otherwise the last one, the fallback. Passing over a
// candidate whose session this is leaves a note in the diagnostic log, once:
// the fallback reaches only part of such a desktop.
#pragma once

#include <span>
#include <string>

#include "services/modules/desktop_modules.h"

namespace tolm {

// Opens one candidate's module; the seam to the loader.
class DesktopModuleOpener {
 public:
  virtual ~DesktopModuleOpener() = default;
  // Fills out and returns true, or returns false with the reason.
  virtual bool Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) = 0;
};

// Looks up an environment variable; nullptr when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// Throws Exception "Cannot load the desktop module: <reason>" when the
// fallback does not open either.
DesktopBackend SelectDesktop(std::span<const DesktopCandidate> candidates, EnvironmentLookup environment,
                             DesktopModuleOpener& opener);

// The diagnostic line written when the fallback serves a session of another kind.
std::string FallbackNote(const DesktopCandidate& passed, const std::string& reason, const DesktopCandidate& fallback);

}  // namespace tolm
