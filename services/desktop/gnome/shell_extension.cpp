#include "services/desktop/gnome/shell_extension.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "services/desktop/dbus/dbus_values.h"

namespace tolm {
namespace {

constexpr const char* kShell = "org.gnome.Shell";
constexpr const char* kShellPath = "/org/gnome/Shell";
constexpr const char* kExtensionsInterface = "org.gnome.Shell.Extensions";
constexpr const char* kPath = "/org/tolm/ShellWindows";
constexpr const char* kInterface = "org.tolm.ShellWindows";

std::string OwnExecutable() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("tolm32");
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

ShellWindow ReadWindow(DbusMessage& reply) {
  ShellWindow w;
  w.id = ReadUint64(reply);
  w.title = reply.ReadString();
  w.wmClass = reply.ReadString();
  w.pid = reply.ReadInt32();
  w.focused = reply.ReadBool();
  return w;
}

bool IsNoReply(const DbusError& e) { return e.Name() == "org.freedesktop.DBus.Error.NoReply"; }

}  // namespace

DbusMessage ShellExtension::NewCall(const char* member) { return bus_.NewMethodCall(kShell, kPath, kInterface, member); }

DbusMessage ShellExtension::Call(DbusMessage& call) {
  if (!checked_) CheckVersion();
  try {
    return bus_.Call(call, kShellAnswerTime);
  } catch (const DbusError& e) {
    if (!IsMissingObject(e)) ThrowFailed(e);
    checked_ = false;  // disabled meanwhile
    ThrowUnavailable(0);
  }
}

void ShellExtension::CheckVersion() {
  DbusMessage call = NewCall("Version");
  uint32_t version = 0;
  try {
    DbusMessage reply = bus_.Call(call, kShellAnswerTime);
    version = reply.ReadUint32();
  } catch (const DbusError& e) {
    if (!IsMissingObject(e)) ThrowFailed(e);
    ThrowUnavailable(0);
  }
  if (version != kShellWindowsVersion) ThrowUnavailable(version);
  checked_ = true;
}

void ShellExtension::ThrowFailed(const DbusError& error) {
  if (IsNoReply(error)) throw Exception("GNOME Shell does not answer");
  throw Exception("GNOME Shell's extension " + uuid_ + " failed: " + error.Message());
}

void ShellExtension::ThrowUnavailable(unsigned answeredVersion) {
  const ExtensionStatus status = answeredVersion == 0 ? Status() : ExtensionStatus{};
  const std::string folder = InstalledExtensionFolder(OwnExecutable(), uuid_);
  throw Exception(ExtensionUnavailableMessage(uuid_, status, folder, FolderExists(folder), answeredVersion));
}

ExtensionStatus ShellExtension::Status() {
  ExtensionStatus status;
  DbusMessage info = bus_.NewMethodCall(kShell, kShellPath, kExtensionsInterface, "GetExtensionInfo");
  info.AppendString(uuid_);
  DbusMessage reply = bus_.Call(info, kShellAnswerTime);
  const auto fields = ReadVariantDictionary(reply);
  if (const auto state = fields.find("state"); state != fields.end()) {
    status.state = static_cast<ExtensionState>(static_cast<int>(state->second.number));
  }
  if (const auto error = fields.find("error"); error != fields.end()) status.error = error->second.text;
  DbusMessage all = bus_.NewMethodCall(kShell, kShellPath, "org.freedesktop.DBus.Properties", "GetAll");
  all.AppendString(kExtensionsInterface);
  DbusMessage properties = bus_.Call(all, kShellAnswerTime);
  const auto values = ReadVariantDictionary(properties);
  if (const auto on = values.find("UserExtensionsEnabled"); on != values.end()) {
    status.userExtensionsEnabled = on->second.flag;
  }
  if (const auto version = values.find("ShellVersion"); version != values.end()) {
    status.shellVersion = version->second.text;
  }
  return status;
}

uint64_t ShellExtension::Changes() {
  DbusMessage call = NewCall("Changes");
  DbusMessage reply = Call(call);
  return ReadUint64(reply);
}

ShellWindowList ShellExtension::List() {
  DbusMessage call = NewCall("List");
  DbusMessage reply = Call(call);
  ShellWindowList list;
  list.changes = ReadUint64(reply);
  EnterContainer(reply, 'a', "(tssib)");
  while (EnterContainer(reply, 'r', "tssib")) {
    list.windows.push_back(ReadWindow(reply));
    ExitContainer(reply);
  }
  ExitContainer(reply);
  return list;
}

bool ShellExtension::Activate(uint64_t id) {
  DbusMessage call = NewCall("Activate");
  AppendUint64(call, id);
  DbusMessage reply = Call(call);
  return reply.ReadBool();
}

bool ShellExtension::Close(uint64_t id) {
  DbusMessage call = NewCall("Close");
  AppendUint64(call, id);
  DbusMessage reply = Call(call);
  return reply.ReadBool();
}

void ShellExtension::Settle() {
  DbusMessage call = NewCall("Settle");
  Call(call);
}

std::optional<uint32_t> ShellExtension::LayoutGroup() {
  try {
    DbusMessage call = NewCall("LayoutGroup");
    DbusMessage reply = Call(call);
    return reply.ReadUint32();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

void ShellExtension::LockLayoutGroup(uint32_t group) {
  DbusMessage call = NewCall("LockLayoutGroup");
  call.AppendUint32(group);
  Call(call);
}

void ShellExtension::LockLayoutGroupBeforeExit(uint32_t group, std::chrono::milliseconds limit) noexcept {
  try {
    DbusMessage call = NewCall("LockLayoutGroup");
    call.AppendUint32(group);
    bus_.Send(call);
    bus_.FlushBefore(limit);
  } catch (...) {
    // The program ends anyway; the layout stays switched.
  }
}

}  // namespace tolm
