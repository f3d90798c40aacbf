#include "services/desktop/kde/kwin_scripts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "services/core/errors.h"
#include "services/platform/posix/unique_fd.h"
#include "services/seams/debug_log.h"
#include "services/seams/program_end.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* kScriptInterface = "org.kde.kwin.Script";
// How long the end of the program waits to hand KWin the unload of a script.
constexpr std::chrono::milliseconds kUnloadSendTime{200};

constexpr std::chrono::milliseconds AnswerTime() { return kKWinAnswerTime; }

// The folder for the script file: the session's private runtime folder,
// where there is one.
std::string ScriptFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat info {};
  if (runtime != nullptr && *runtime == '/' && stat(runtime, &info) == 0 && S_ISDIR(info.st_mode)) return runtime;
  return "/tmp";
}

// The script's file, readable by its owner only, removed when it goes.
class ScriptFile {
 public:
  explicit ScriptFile(const std::string& text) {
    std::string name = ScriptFolder() + "/tolm32-kwin-XXXXXX.js";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    UniqueFd fd(mkstemps(buffer.data(), 3));
    if (!fd.Valid()) throw Exception("Cannot write the window script for KWin: " + SysErrorText(errno));
    path_ = buffer.data();
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
      const ssize_t n = write(fd.Get(), data, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        const int error = errno;
        Remove();
        throw Exception("Cannot write the window script for KWin: " + SysErrorText(error));
      }
      data += n;
      left -= static_cast<size_t>(n);
    }
  }
  ~ScriptFile() { Remove(); }
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;

  const std::string& Path() const { return path_; }
  void Remove() noexcept {
    if (!path_.empty()) unlink(path_.c_str());
    path_.clear();
  }

 private:
  std::string path_;
};

// A script we asked KWin to load, unloaded when it goes. KWin numbers its
// scripts by the length of its list and drops an unloaded one only a moment
// later, taking the D-Bus object of its number with it: a script loaded
// before then can get the same number and lose its object. So the unload
// waits for KWin's answer, and the next load comes after the drop.
class LoadedScript {
 public:
  LoadedScript(DbusConnection& bus, std::string name) : bus_(bus), name_(std::move(name)) {}
  ~LoadedScript() {
    try {
      DbusMessage call = Unload();
      bus_.Call(call, AnswerTime());
    } catch (const Exception& e) {
      DebugLog("KDE: could not unload the KWin script " + name_ + ": " + e.Message());
    }
  }
  LoadedScript(const LoadedScript&) = delete;
  LoadedScript& operator=(const LoadedScript&) = delete;

  // For the end of the program: the unload without waiting for the answer.
  void UnloadAtEnd() noexcept {
    try {
      DbusMessage call = Unload();
      bus_.Send(call);
      bus_.FlushBefore(kUnloadSendTime);
    } catch (const Exception&) {
      // The program ends anyway; KWin keeps an idle script.
    }
  }

 private:
  DbusMessage Unload() {
    DbusMessage call = bus_.NewMethodCall(kKWin, "/Scripting", kScriptingInterface, "unloadScript");
    call.AppendString(name_);
    return call;
  }

  DbusConnection& bus_;
  std::string name_;
};

std::string ScriptObjectPath(int style, int32_t id) {
  return style == 6 ? "/Scripting/Script" + std::to_string(id) : "/" + std::to_string(id);
}

}  // namespace

KWinScripts::KWinScripts(DbusConnection& bus, std::string busName) : bus_(bus), busName_(std::move(busName)) {
  answers_ = bus_.ServeObject(kScriptAnswerPath, [this](DbusMessage& call, DbusMessage&) { OnAnswer(call); });
}

void KWinScripts::OnAnswer(DbusMessage& call) {
  if (call.Interface() != kScriptAnswerInterface || call.Member() != kScriptAnswerMember) {
    throw DbusError("org.freedesktop.DBus.Error.UnknownMethod", "No such method");
  }
  if (kwin_.empty() || call.Sender() != kwin_) {
    throw DbusError("org.freedesktop.DBus.Error.AccessDenied", "Only KWin answers here");
  }
  const std::string token = call.ReadString();
  std::string text = call.ReadString();
  if (token == token_) answer_ = std::move(text);
}

void KWinScripts::Start(int32_t id) {
  // The path layout of this KWin, once known; until then Plasma 6's first.
  const std::vector<int> styles = scriptPathStyle_ != 0 ? std::vector<int>{scriptPathStyle_} : std::vector<int>{6, 5};
  for (size_t i = 0; i < styles.size(); ++i) {
    DbusMessage run = bus_.NewMethodCall(kKWin, ScriptObjectPath(styles[i], id), kScriptInterface, "run");
    try {
      bus_.Call(run, AnswerTime());
      scriptPathStyle_ = styles[i];
      return;
    } catch (const DbusError& e) {
      const bool noSuchObject = e.Name() == "org.freedesktop.DBus.Error.UnknownObject" ||
                                e.Name() == "org.freedesktop.DBus.Error.UnknownMethod";
      if (!noSuchObject || i + 1 == styles.size()) {
        throw Exception("KWin did not start the window script: " + e.Message());
      }
    }
  }
}

std::string KWinScripts::Run(WindowScript kind, const std::string& target) {
  token_ = std::to_string(getpid()) + "-" + std::to_string(++runs_);
  answer_.reset();
  const ScriptReturn back{busName_, kScriptAnswerPath, kScriptAnswerInterface, kScriptAnswerMember, token_};
  // Declared first, so it goes last: its unload waits for KWin, and
  // everything else is done by then.
  std::optional<LoadedScript> loaded;
  ScriptFile file(WindowScriptText(kind, back, target));
  AtProgramEnd atEnd([&loaded, &file] {
    if (loaded) loaded->UnloadAtEnd();
    file.Remove();
  });
  const std::string name = "tolm32-" + token_;

  DbusMessage load = bus_.NewMethodCall(kKWin, "/Scripting", kScriptingInterface, "loadScript");
  load.AppendString(file.Path()).AppendString(name);
  // Unloaded by name from the moment the load is sent: a close request
  // that comes before KWin's answer must not leave the script in KWin,
  // which takes our unload after the load, as both come from one connection.
  loaded.emplace(bus_, name);
  int32_t id = -1;
  try {
    DbusMessage reply = bus_.Call(load, AnswerTime());
    id = reply.ReadInt32();
    kwin_ = reply.Sender();
  } catch (const DbusError& e) {
    throw Exception("KWin did not load the window script: " + e.Message());
  }
  if (id < 0) throw Exception("KWin did not load the window script " + file.Path());
  Start(id);
  if (!bus_.WaitUntil([this] { return answer_.has_value(); }, Clock::now() + kKWinAnswerTime)) {
    throw Exception("KWin did not answer the window script in time (" + std::to_string(kKWinAnswerTime.count()) +
                    " seconds)");
  }
  return *answer_;
}

}  // namespace tolm
