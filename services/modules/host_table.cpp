#include "services/modules/host_table.h"

#include <utility>

#include "interp/runner.h"
#include "services/seams/app_title.h"
#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"
#include "services/seams/event_sources.h"
#include "services/seams/processes.h"
#include "services/seams/program_end.h"
#include "services/seams/show_mode.h"
#include "services/seams/toolkit_loop.h"
#include "services/seams/user_interface.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

// Event sources a module registered, kept by the id it was given.
std::vector<std::pair<int, EventSourceRegistration>>& ModuleSources() {
  static auto* sources = new std::vector<std::pair<int, EventSourceRegistration>>;
  return *sources;
}

void AddPumpCalls(HostTable& t) {
  t.processPendingMessages = []() noexcept { return FailureOf([] { ProcessPendingMessages(); }); };
  t.pumpWaitUntil = [](Deadline deadline, bool& woke) noexcept {
    woke = true;  // a failed wait must not look like a quiet time-out
    return FailureOf([&] { woke = PumpWaitUntil(deadline); });
  };
  t.closeRequestDescriptor = []() noexcept { return PumpCloseRequestDescriptor(); };
  t.serveCloseRequest = []() noexcept { ServeCloseRequest(); };
  t.attachToolkitLoop = [](ToolkitLoop* loop) noexcept { AttachToolkitLoop(loop); };
  t.watchEventSource = [](int fd, std::function<Failure()> onReady, int& id) noexcept {
    return FailureOf([&] {
      EventSourceRegistration registration =
          WatchEventSource(fd, [onReady = std::move(onReady)] { RaiseFailure(onReady()); });
      id = registration.Id();
      ModuleSources().emplace_back(id, std::move(registration));
    });
  };
  t.unwatchEventSource = [](int id) noexcept {
    std::erase_if(ModuleSources(), [id](const auto& source) { return source.first == id; });
  };
}

void AddProgramCalls(HostTable& t) {
  t.debugLog = [](const std::string& message) noexcept { return FailureOf([&] { DebugLog(message); }); };
  t.startShowModeWatcher = [](std::function<Failure()> watch) noexcept {
    return FailureOf([&] { StartShowModeWatcher([watch = std::move(watch)] { RaiseFailure(watch()); }); });
  };
  // A module's action throws nothing (it catches on its side); an action
  // that cannot even be registered for want of memory is left out.
  t.atProgramEnd = [](std::function<void()> action) noexcept {
    int id = 0;
    (void)FailureOf([&] { id = RegisterAtProgramEnd(std::move(action)); });
    return id;
  };
  t.dropAtProgramEnd = [](int id) noexcept { DropAtProgramEnd(id); };
  t.resetApplicationTitle = []() noexcept { (void)FailureOf([] { ResetApplicationTitle(); }); };
  t.runCommandText = [](const std::string& text) noexcept { return FailureOf([&] { RunCommandText(text); }); };
}

void AddUserInterfaceCalls(HostTable& t) {
  t.showInfoDialog = [](const std::string& text, bool endOfRun) noexcept {
    return FailureOf([&] { CurrentUserInterface().ShowInfoDialog(text, endOfRun); });
  };
  t.showMessage = [](MessageKind kind, const std::string& text) noexcept {
    return FailureOf([&] { CurrentUserInterface().ShowMessage(kind, text); });
  };
  t.askYesNo = [](const std::string& text, bool& yes) noexcept {
    return FailureOf([&] { yes = CurrentUserInterface().AskYesNo(text); });
  };
}

void AddDesktopCalls(HostTable& t) {
  t.getProcess = [](int n, uint32_t& id, std::string& path, bool& found) noexcept {
    return FailureOf([&] { found = GetProcess(n, id, path); });
  };
  t.findWindowByTitle = [](const std::string& titlePattern, WindowHandle& first,
                           std::vector<std::string>& titles) noexcept {
    return FailureOf([&] {
      first = FindWindowByTitle(titlePattern);
      titles = FoundTitles();
    });
  };
}

HostTable MakeTable() {
  HostTable table;
  AddPumpCalls(table);
  AddProgramCalls(table);
  AddUserInterfaceCalls(table);
  AddDesktopCalls(table);
  return table;
}

}  // namespace

const HostTable& ProgramHostTable() {
  static const HostTable table = MakeTable();
  return table;
}

}  // namespace tolm
