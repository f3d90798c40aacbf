#include "services/desktop/kde/kde_keyboard.h"

#include <sys/stat.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "fake-input-client-protocol.h"
#include "services/core/errors.h"
#include "services/core/utf8_codec.h"
#include "services/desktop/wayland/wayland_keyboard.h"
#include "services/desktop/wayland/wayland_keymap.h"
#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"

namespace tolm {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kFakeInputKeyboardVersion = 4;  // keyboard_key came with version 4

std::string OwnExecutable() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string("tolm32");
}

// Where cmake --install puts our .desktop file for the executable: the
// prefix is above bin/.
std::string ExpectedDesktopFile(const std::string& exe) {
  const std::string dir = exe.substr(0, exe.rfind('/'));
  const std::string bin = "/bin";
  if (dir.size() >= bin.size() && dir.compare(dir.size() - bin.size(), bin.size(), bin) == 0) {
    return dir.substr(0, dir.size() - bin.size()) + "/share/applications/" + kDesktopFileName;
  }
  return dir + "/../share/applications/" + kDesktopFileName;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string FakeInputRefusedMessage(const std::string& exe, bool desktopFileExists) {
  const std::string file = ExpectedDesktopFile(exe);
  if (!desktopFileExists) {
    return "KWin does not let " + exe + " type keys: that needs a .desktop file with Exec=" + exe +
           " and X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, and " + file +
           " is missing. Install tolm32 with cmake --install, then run kbuildsycoca5 as the session's user";
  }
  return "KWin does not let " + exe + " type keys, although " + file +
         " is installed: run kbuildsycoca5 as the session's user so that KWin reads it (its folder must be in "
         "the session's XDG_DATA_DIRS and its Exec= must be " + exe + ")";
}

std::string UntypableMessage(const std::vector<std::string>& characters) {
  std::string list;
  for (const std::string& c : characters) list += (list.empty() ? "\"" : ", \"") + c + "\"";
  return "The keyboard layout of this KDE Plasma session has no key for " + list +
         ": KWin lets programs type only what the layout has, so nothing was typed";
}

KdeKeyboard::~KdeKeyboard() {
  if (fakeInput_ != nullptr) org_kde_kwin_fake_input_destroy(fakeInput_);
}


void KdeKeyboard::Prepare() {
  if (fakeInput_ != nullptr) return;
  if (!connection_) {
    std::string reason;
    connection_ = WaylandConnection::OpenAny(WaitStyle::kPump, reason);
    if (!connection_) throw Exception("Keystrokes on KDE Plasma need its Wayland session: " + reason);
  }
  const uint32_t version = connection_->GlobalVersion(org_kde_kwin_fake_input_interface.name);
  if (version == 0) {
    const std::string exe = OwnExecutable();
    throw Exception(FakeInputRefusedMessage(exe, FileExists(ExpectedDesktopFile(exe))));
  }
  if (version < kFakeInputKeyboardVersion) {
    throw Exception("KWin's fake input (version " + std::to_string(version) + ") cannot type: that needs version 4");
  }
  const bool hadKeyboard = (connection_->SeatCapabilities() & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  fakeInput_ = static_cast<org_kde_kwin_fake_input*>(
      connection_->BindGlobal(org_kde_kwin_fake_input_interface, kFakeInputKeyboardVersion));
  org_kde_kwin_fake_input_authenticate(fakeInput_, "Tolm", "types the key strings of command files (/sendkeys)");
  connection_->Roundtrip();
  keymap_.WaitFor(*connection_, Clock::now() + kCompositorAnswerTime,
                  "KWin did not announce its keyboard in time");
  if (hadKeyboard) return;
  DebugLog("KDE: the seat got its first keyboard; waiting " + std::to_string(kKeyboardSettleTime.count()) +
           " ms for programs to take it");
  const Clock::time_point settled = Clock::now() + kKeyboardSettleTime;
  while (Clock::now() < settled) PumpWaitUntil(settled);
}


xkb_layout_index_t KdeKeyboard::CurrentGroup() {
  try {
    DbusMessage call = bus_.NewMethodCall("org.kde.keyboard", "/Layouts", "org.kde.KeyboardLayouts", "getLayout");
    DbusMessage reply = bus_.Call(call, kCompositorAnswerTime);
    return reply.ReadUint32();
  } catch (const DbusError& e) {
    // A session without KDE's layout service has one layout: the first.
    DebugLog("KDE: the keyboard layout in use is unknown (" + e.Message() + "); taking the first");
    return 0;
  }
}


void KdeKeyboard::SwitchGroup(xkb_layout_index_t group) {
  connection_->Roundtrip();
  DbusMessage call = bus_.NewMethodCall("org.kde.keyboard", "/Layouts", "org.kde.KeyboardLayouts", "setLayout");
  call.AppendUint32(group);
  DbusMessage reply = bus_.Call(call, kCompositorAnswerTime);
  if (!reply.ReadBool()) throw Exception("KWin did not switch to keyboard layout " + std::to_string(group + 1));
  group_ = group;
}

std::optional<LayoutKey> KdeKeyboard::KeyFor(char32_t character) { return keymap_.Layout(group_).Find(character); }

void KdeKeyboard::BeginKeys(const std::vector<char32_t>& characters) {
  Prepare();
  connection_->DispatchAvailable();  // a keymap KWin changed meanwhile
  keymap_.TakeChanges();
  group_ = CurrentGroup();
  if (group_ >= keymap_.Layouts()) group_ = 0;
  startGroup_ = group_;
  std::vector<std::string> missing;
  for (char32_t c : characters) {
    bool found = false;
    for (xkb_layout_index_t g = 0; g < keymap_.Layouts() && !found; ++g) found = keymap_.Layout(g).Find(c).has_value();
    if (found) continue;
    std::string utf8;
    AppendUtf8(utf8, c);
    missing.push_back(utf8);
  }
  if (!missing.empty()) throw Exception(UntypableMessage(missing));
  events_ = 0;
  batchStart_ = Clock::now();
  abandonAtEnd_.emplace([this] { Abandon(); });
}

std::optional<bool> KdeKeyboard::CharacterNeedsShift(char32_t character) {
  // Asked before a character's events: the place to change layouts.
  std::optional<LayoutKey> key = KeyFor(character);
  for (xkb_layout_index_t g = 0; !key && g < keymap_.Layouts(); ++g) {
    if (!keymap_.Layout(g).Find(character)) continue;
    SwitchGroup(g);
    key = KeyFor(character);
  }
  if (!key) return std::nullopt;
  return key->shift;
}

void KdeKeyboard::PressNamed(NamedKey key, bool down) {
  Send(WaylandKeymap::NamedKeycode(key), down);
  Count();
}

void KdeKeyboard::PressCharacter(char32_t character, bool down) {
  const std::optional<LayoutKey> key = KeyFor(character);
  if (!key) return;
  if (down && key->levelThree != 0) Send(key->levelThree, true);
  Send(key->keycode, down);
  if (!down && key->levelThree != 0) Send(key->levelThree, false);
  Count();
}

void KdeKeyboard::Send(uint32_t keycode, bool down) {
  org_kde_kwin_fake_input_keyboard_key(fakeInput_, keycode - kKeycodeOffset,
                                       down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  std::erase(down_, keycode);
  if (down) down_.push_back(keycode);
}

void KdeKeyboard::Count() {
  ++events_;
  if (events_ % kSyncInterval == 0) {
    connection_->Roundtrip();
    // The pace, waited on the pump so a close request still ends the typing.
    const Clock::time_point due =
        batchStart_ + std::chrono::microseconds(1000000ull * kSyncInterval / kMaxEventsPerSecond);
    while (Clock::now() < due) PumpWaitUntil(due);
    batchStart_ = Clock::now();
  } else if (events_ % kFlushInterval == 0) {
    connection_->Flush();
    connection_->DispatchAvailable();
  }
}

void KdeKeyboard::EndKeys() {
  abandonAtEnd_.reset();
  if (fakeInput_ == nullptr) return;
  try {
    if (group_ != startGroup_) SwitchGroup(startGroup_);
    connection_->Roundtrip();
  } catch (const Exception& e) {
    // Called on the way out of a failed key string too: the failure that
    // ended it is the one to report.
    DebugLog("KDE: the end of the key string did not reach KWin: " + e.Message());
  }
}

void KdeKeyboard::Abandon() {
  if (fakeInput_ == nullptr) return;
  // The last pressed first: a character before the SHIFT it was typed with.
  while (!down_.empty()) Send(down_.back(), false);
  connection_->SettleBeforeExit(kReleaseTime);
  if (group_ == startGroup_) return;
  try {
    DbusMessage call = bus_.NewMethodCall("org.kde.keyboard", "/Layouts", "org.kde.KeyboardLayouts", "setLayout");
    call.AppendUint32(startGroup_);
    bus_.Send(call);
    bus_.FlushBefore(kReleaseTime);
  } catch (const Exception&) {
    // The program ends anyway; the layout stays switched.
  }
}

}  // namespace tolm
