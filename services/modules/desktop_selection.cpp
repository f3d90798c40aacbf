#include "services/modules/desktop_selection.h"

#include <vector>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

bool IsSet(EnvironmentLookup environment, const char* name) {
  const char* value = environment(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

std::string FallbackNote(const DesktopCandidate& passed, const std::string& reason, const DesktopCandidate& fallback) {
  return std::string(passed.name) + " session (" + passed.sessionVariable + " is set), but its desktop module " +
         "cannot be used (" + reason + "): using " + fallback.name + ", so windows of native " + passed.name +
         " programs are out of reach";
}

DesktopBackend SelectDesktop(std::span<const DesktopCandidate> candidates, EnvironmentLookup environment,
                             DesktopModuleOpener& opener) {
  if (candidates.empty()) throw Exception("Cannot load the desktop module: no desktop module is known");
  DesktopBackend backend;
  std::string reason;
  std::vector<std::string> notes;
  const DesktopCandidate& fallback = candidates.back();
  for (const DesktopCandidate& candidate : candidates.first(candidates.size() - 1)) {
    if (!IsSet(environment, candidate.sessionVariable)) continue;
    reason.clear();
    if (opener.Open(candidate, backend, reason)) return backend;
    notes.push_back(FallbackNote(candidate, reason, fallback));
  }
  reason.clear();
  if (!opener.Open(fallback, backend, reason)) throw Exception("Cannot load the desktop module: " + reason);
  for (const std::string& note : notes) DebugLog(note);
  return backend;
}

}  // namespace tolm
