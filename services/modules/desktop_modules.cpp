#include "services/modules/desktop_modules.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "services/core/desktop_names.h"
#include "services/core/errors.h"
#include "services/modules/module_desktop.h"
#include "services/modules/module_loader.h"
#include "services/seams/debug_log.h"

namespace tolm {
namespace {

bool IsSet(EnvironmentLookup environment, const char* name) {
  const char* value = environment(name);
  return value != nullptr && *value != '\0';
}

// Whether a candidate that declined was meant for this session: where it has
// a name in XDG_CURRENT_DESKTOP, whether that names it.
bool SessionIsItsKind(const DesktopCandidate& candidate, EnvironmentLookup environment) {
  return candidate.currentDesktop == nullptr || NamesDesktop(environment("XDG_CURRENT_DESKTOP"), candidate.currentDesktop);
}

// A candidate passed over although the session is its kind, and why.
struct Passed {
  const DesktopCandidate* candidate;
  std::string reason;
};

// The line for a candidate that serves its own kind of session (or the
// fallback where no other kind of session is there).
std::string ChosenNote(const DesktopCandidate& chosen, bool variableSet, const std::vector<Passed>& passed) {
  std::string note = std::string("Desktop: ") + chosen.name;
  if (variableSet) note += std::string(" (") + chosen.sessionVariable + " is set)";
  for (const Passed& p : passed) note += std::string(", not ") + p.candidate->name + ": " + p.reason;
  return note;
}

// The failure of a session whose windows nothing can reach.
std::string UnreachableMessage(const std::vector<Passed>& passed, const DesktopCandidate& fallback) {
  std::string message = "Cannot reach the windows of this session:";
  for (const Passed& p : passed) message += std::string(" ") + p.candidate->name + ": " + p.reason + ";";
  return message + " " + fallback.name + ": " + fallback.sessionVariable + " is not set";
}

// Opens a candidate's module with the program's loader.
class ProgramDesktopOpener : public DesktopModuleOpener {
 public:
  bool Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) override {
    ModuleOffer offer;
    if (!LoadModule(candidate.moduleFile, offer, reason)) return false;
    // Kept until the program ends, as the module is: show-mode watchers may
    // still use the desktop while it ends.
    static auto* const opened = new std::vector<std::unique_ptr<ModuleDesktop>>;
    opened->push_back(std::make_unique<ModuleDesktop>(offer.desktop));
    out = opened->back()->Services();
    return true;
  }
};

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
  std::vector<Passed> passed;
  const DesktopCandidate& fallback = candidates.back();
  for (const DesktopCandidate& candidate : candidates.first(candidates.size() - 1)) {
    if (!IsSet(environment, candidate.sessionVariable)) continue;
    reason.clear();
    if (opener.Open(candidate, backend, reason)) {
      DebugLog(ChosenNote(candidate, true, passed));
      return backend;
    }
    if (SessionIsItsKind(candidate, environment)) passed.push_back({&candidate, reason});
  }
  // A session of another kind whose own desktop cannot be used, and no X
  // display for the fallback either: nothing can reach its windows. Say why
  // for each, so that a user can act on it.
  if (!passed.empty() && !IsSet(environment, fallback.sessionVariable)) throw Exception(UnreachableMessage(passed, fallback));
  reason.clear();
  if (!opener.Open(fallback, backend, reason)) throw Exception("Cannot load the desktop module: " + reason);
  if (passed.empty()) DebugLog(ChosenNote(fallback, IsSet(environment, fallback.sessionVariable), passed));
  for (const Passed& p : passed) DebugLog(FallbackNote(*p.candidate, p.reason, fallback));
  return backend;
}

DesktopBackend OpenSessionDesktop() {
  ProgramDesktopOpener opener;
  return SelectDesktop(kDesktopCandidates, [](const char* name) -> const char* { return std::getenv(name); }, opener);
}

}  // namespace tolm
