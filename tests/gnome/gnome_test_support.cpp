#include "gnome_test_support.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

#include "services/desktop/gnome/gnome_platform.h"
#include "services/seams/desktop.h"
#include "services/seams/window_search.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

RunResult Tool(const std::string& program, const std::vector<std::string>& args) {
  return RunProgram(program, args, "", {}, 30);
}

void MustRun(const std::string& program, const std::vector<std::string>& args) {
  const RunResult result = Tool(program, args);
  if (result.status != 0) {
    throw std::runtime_error(program + " failed (" + std::to_string(result.status) + "): " + result.err);
  }
}

// What a Wayland client of its own sees of the seat's keyboard: whether there
// is one, and the names of its keymap's layouts.
struct SeatKeyboard {
  bool present = false;
  std::vector<std::string> layouts;
};

struct Probe {
  wl_seat* seat = nullptr;
  uint32_t capabilities = 0;
  std::vector<std::string> layouts;
  bool keymap = false;
};

void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  auto& probe = *static_cast<Probe*>(data);
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
      const char* chars = static_cast<const char*>(text);
      xkb_keymap* keymap = xkb_keymap_new_from_buffer(context, chars, strnlen(chars, size), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                      XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
      if (keymap != nullptr) {
        probe.layouts.clear();
        for (xkb_layout_index_t g = 0; g < xkb_keymap_num_layouts(keymap); ++g) {
          probe.layouts.emplace_back(xkb_keymap_layout_get_name(keymap, g));
        }
        probe.keymap = true;
        xkb_keymap_unref(keymap);
      }
      xkb_context_unref(context);
    }
  }
  close(fd);
}
void OnEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void OnLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void OnKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener{OnKeymap, OnEnter, OnLeave, OnKey, OnModifiers, OnRepeatInfo};

void OnCapabilities(void* data, wl_seat*, uint32_t capabilities) { static_cast<Probe*>(data)->capabilities = capabilities; }
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{OnCapabilities, OnSeatName};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto& probe = *static_cast<Probe*>(data);
  if (std::string(interface) == wl_seat_interface.name && probe.seat == nullptr) {
    probe.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
    wl_seat_add_listener(probe.seat, &kSeatListener, &probe);
  }
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

SeatKeyboard ReadSeatKeyboard() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) throw std::runtime_error("cannot connect to GNOME's Wayland socket");
  Probe probe;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &probe);
  wl_display_roundtrip(display);
  wl_display_roundtrip(display);
  SeatKeyboard seen;
  seen.present = (probe.capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (seen.present) {
    wl_keyboard* keyboard = wl_seat_get_keyboard(probe.seat);
    wl_keyboard_add_listener(keyboard, &kKeyboardListener, &probe);
    wl_display_roundtrip(display);
    seen.layouts = probe.layouts;
    wl_keyboard_release(keyboard);
  }
  if (probe.seat != nullptr) wl_seat_release(probe.seat);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return seen;
}

// XKB's names of the layouts the tests use.
std::string LayoutName(const std::string& layout) {
  static const std::map<std::string, std::string> names{
      {"us", "English (US)"}, {"de", "German"}, {"ru", "Russian"}};
  const auto it = names.find(layout);
  if (it == names.end()) throw std::runtime_error("no XKB name known for the layout " + layout);
  return it->second;
}

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> parts;
  std::stringstream in(list);
  for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
  return parts;
}

std::string ExtensionState() {
  const RunResult info = Tool("/usr/bin/gnome-extensions", {"info", "tolm@tolm.example"});
  const size_t at = info.out.find("State: ");
  if (at == std::string::npos) return "";
  return info.out.substr(at + 7, info.out.find('\n', at) - at - 7);
}

void WaitForExtensionState(const std::string& state) {
  if (!WaitUntil([&] { return ExtensionState() == state; }, 10s)) {
    throw std::runtime_error("GNOME Shell does not report the extension " + state + " (" + ExtensionState() + ")");
  }
}

}  // namespace

bool HaveGnomeShell() {
  // Only the private session of tools/with-gnome.sh: these tests type into
  // the focused window, which must never be one of a user's session.
  const char* marker = std::getenv("TOLM_TEST_COMPOSITOR");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  return marker != nullptr && std::string(marker) == "headless-gnome" && display != nullptr && *display != '\0' &&
         bus != nullptr && *bus != '\0';
}

void SetInputSources(const std::string& layouts) {
  std::string sources;
  std::vector<std::string> expected;
  for (const std::string& layout : Split(layouts)) {
    sources += (sources.empty() ? "[" : ", ") + std::string("('xkb', '") + layout + "')";
    expected.push_back(LayoutName(layout));
  }
  sources += "]";
  // GNOME Shell adds the layout of the session's language (English, US, for
  // the C locale) after the user's, for the menus' access keys.
  expected.push_back(LayoutName("us"));
  MustRun("/usr/bin/gsettings", {"set", "org.gnome.desktop.input-sources", "sources", sources});
  if (!WaitUntil([&] { return ReadSeatKeyboard().layouts == expected; }, 10s)) {
    std::string seen;
    for (const std::string& name : ReadSeatKeyboard().layouts) seen += "[" + name + "]";
    throw std::runtime_error("GNOME did not take the input sources " + sources + " (the keymap has " + seen + ")");
  }
}

std::string ReportedLayoutGroup() {
  const RunResult result = Tool("/usr/bin/gdbus", {"call", "--session", "--dest", "org.gnome.Shell", "--object-path",
                                                   "/org/tolm/ShellWindows", "--method",
                                                   "org.tolm.ShellWindows.LayoutGroup"});
  return result.out;
}

ExtensionDisabled::ExtensionDisabled() {
  MustRun("/usr/bin/gnome-extensions", {"disable", "tolm@tolm.example"});
  WaitForExtensionState("DISABLED");
}

ExtensionDisabled::~ExtensionDisabled() {
  try {
    MustRun("/usr/bin/gnome-extensions", {"enable", "tolm@tolm.example"});
    WaitForExtensionState("ENABLED");
  } catch (const std::exception& e) {
    ADD_FAILURE() << e.what();
  }
}

bool SeatHasKeyboard() { return ReadSeatKeyboard().present; }

void InstallGnomeDesktop() {
  DesktopBackend desktop;
  std::string reason;
  ASSERT_TRUE(OpenGnomeDesktop(desktop, reason)) << reason;
  ASSERT_NE(desktop.windows, nullptr);
  ASSERT_NE(desktop.keyboard, nullptr);
  InstallDesktop(desktop);
}

int64_t ListedWindow(const std::string& title) {
  WindowHandle window = kNoWindow;
  WaitUntil([&] { return (window = FindWindowByTitle(title)) != kNoWindow; });
  return window;
}

std::string InstalledTolm() {
  const char* prefix = std::getenv("TOLM_GNOME_PREFIX");
  if (prefix == nullptr || *prefix == '\0') return "";
  return std::string(prefix) + "/bin/tolm32";
}

RunResult RunInstalledScript(const std::string& script, const std::vector<std::string>& env, int timeoutSeconds) {
  // Set here: a child takes the first of two entries of one name.
  static const bool pathSet = [] {
    const std::string testwin = TOLM_WAYLAND_TESTWIN;
    const std::string path = testwin.substr(0, testwin.rfind('/')) + ":" + std::getenv("PATH");
    return setenv("PATH", path.c_str(), 1) == 0;
  }();
  if (!pathSet) throw std::runtime_error("cannot set PATH");
  return RunProgram(InstalledTolm(), {"--console", script}, "", env, timeoutSeconds);
}

}  // namespace tolm::testing
