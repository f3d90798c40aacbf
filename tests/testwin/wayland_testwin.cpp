// A small Wayland-native client for the Wayland window and keystroke tests:
//
//   tolm_wayland_testwin --title T [--app-id A] [--log FILE] [--pid-file F] [--many N]
//                        [--releases yes]
//
// Maps an xdg-shell toplevel titled T with app id A (default TolmTestWin);
// a close request ends it with status 0. --many N adds N more toplevels
// "T 1".."T N". Every key press is appended to the log as one flushed line,
// in the X test window's format: the text it types (UTF-8), or the keysym
// name for keys that type no text; with CTRL or ALT held the keysym name
// with "C-" / "M-" in front. --releases yes logs every key release too, as
// "up " and the keysym name. The pid file is written once the main window is
// mapped (the compositor has handled the commit of its first buffer), so its
// presence means "ready".
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "xdg-shell-client-protocol.h"

namespace {

struct Options {
  std::string title = "tolm test window";
  std::string appId = "TolmTestWin";
  std::string log;
  std::string pidFile;
  int many = 0;
  bool releases = false;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const char* value = argv[i + 1];
    if (key == "--title") o.title = value;
    else if (key == "--app-id") o.appId = value;
    else if (key == "--log") o.log = value;
    else if (key == "--pid-file") o.pidFile = value;
    else if (key == "--many") o.many = std::atoi(value);
    else if (key == "--releases") o.releases = std::string(value) == "yes";
    else return false;
  }
  return argc % 2 == 1;
}

constexpr int kSize = 64;

struct Toplevel {
  wl_surface* surface = nullptr;
  xdg_surface* xdgSurface = nullptr;
  xdg_toplevel* toplevel = nullptr;
  bool main = false;
  struct App* app = nullptr;
};

struct App {
  Options options;
  wl_display* display = nullptr;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  xdg_wm_base* wmBase = nullptr;
  wl_seat* seat = nullptr;
  wl_keyboard* keyboard = nullptr;
  wl_buffer* buffer = nullptr;
  xkb_context* xkb = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap = nullptr;
  xkb_state* state = nullptr;
  std::vector<std::unique_ptr<Toplevel>> toplevels;
  bool closed = false;

  void Log(const std::string& line) const {
    if (options.log.empty()) return;
    std::ofstream out(options.log, std::ios::app | std::ios::binary);
    out << line << '\n';
    out.flush();
  }

  std::string Describe(uint32_t key) const {
    const xkb_keycode_t code = key + 8;
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state, code);
    char name[64] = {};
    xkb_keysym_get_name(keysym, name, sizeof name);
    std::string prefix;
    if (xkb_state_mod_name_is_active(state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0) prefix += "C-";
    if (xkb_state_mod_name_is_active(state, XKB_MOD_NAME_ALT, XKB_STATE_MODS_EFFECTIVE) > 0) prefix += "M-";
    if (!prefix.empty()) return prefix + name;
    char text[64] = {};
    xkb_state_key_get_utf8(state, code, text, sizeof text);
    const bool printable = text[0] != 0 && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F;
    return printable ? std::string(text) : std::string(name);
  }
};

// --- keyboard ---
void OnKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  App& app = *static_cast<App*>(data);
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      xkb_keymap* keymap = xkb_keymap_new_from_string(app.xkb, static_cast<const char*>(text),
                                                      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
      munmap(text, size);
      if (keymap != nullptr) {
        xkb_state_unref(app.state);
        xkb_keymap_unref(app.keymap);
        app.keymap = keymap;
        app.state = xkb_state_new(keymap);
      }
    }
  }
  close(fd);
}
void OnEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void OnLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void OnKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  App& app = *static_cast<App*>(data);
  if (app.state == nullptr) return;
  if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
    app.Log(app.Describe(key));
  } else if (app.options.releases) {
    char name[64] = {};
    xkb_keysym_get_name(xkb_state_key_get_one_sym(app.state, key + 8), name, sizeof name);
    app.Log(std::string("up ") + name);
  }
}
void OnModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                 uint32_t group) {
  App& app = *static_cast<App*>(data);
  if (app.state != nullptr) xkb_state_update_mask(app.state, depressed, latched, locked, 0, 0, group);
}
void OnRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener{OnKeymap, OnEnter, OnLeave, OnKey, OnModifiers, OnRepeatInfo};

void OnCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
  App& app = *static_cast<App*>(data);
  if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0 && app.keyboard == nullptr) {
    app.keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(app.keyboard, &kKeyboardListener, &app);
  } else if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) == 0 && app.keyboard != nullptr) {
    wl_keyboard_release(app.keyboard);
    app.keyboard = nullptr;
  }
}
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener{OnCapabilities, OnSeatName};

// --- shell ---
void OnPing(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener{OnPing};

void OnSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
  Toplevel& t = *static_cast<Toplevel*>(data);
  xdg_surface_ack_configure(surface, serial);
  wl_surface_attach(t.surface, t.app->buffer, 0, 0);
  wl_surface_damage(t.surface, 0, 0, kSize, kSize);
  wl_surface_commit(t.surface);
}
const xdg_surface_listener kSurfaceListener{OnSurfaceConfigure};

void OnToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
void OnToplevelClose(void* data, xdg_toplevel*) {
  Toplevel& t = *static_cast<Toplevel*>(data);
  if (t.main) t.app->closed = true;
}
const xdg_toplevel_listener kToplevelListener{OnToplevelConfigure, OnToplevelClose};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  App& app = *static_cast<App*>(data);
  const std::string which = interface;
  if (which == wl_compositor_interface.name) {
    app.compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 4));
  } else if (which == wl_shm_interface.name) {
    app.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  } else if (which == xdg_wm_base_interface.name) {
    app.wmBase = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
    xdg_wm_base_add_listener(app.wmBase, &kWmBaseListener, &app);
  } else if (which == wl_seat_interface.name && app.seat == nullptr) {
    app.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
    wl_seat_add_listener(app.seat, &kSeatListener, &app);
  }
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

wl_buffer* MakeBuffer(wl_shm* shm) {
  const int stride = kSize * 4;
  const int size = stride * kSize;
  const int fd = memfd_create("tolm-testwin", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, size) != 0) return nullptr;
  void* pixels = mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (pixels != MAP_FAILED) {
    std::memset(pixels, 0xff, static_cast<size_t>(size));
    munmap(pixels, static_cast<size_t>(size));
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
  wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, kSize, kSize, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  return buffer;
}

void AddToplevel(App& app, const std::string& title, bool main) {
  auto t = std::make_unique<Toplevel>();
  t->app = &app;
  t->main = main;
  t->surface = wl_compositor_create_surface(app.compositor);
  t->xdgSurface = xdg_wm_base_get_xdg_surface(app.wmBase, t->surface);
  xdg_surface_add_listener(t->xdgSurface, &kSurfaceListener, t.get());
  t->toplevel = xdg_surface_get_toplevel(t->xdgSurface);
  xdg_toplevel_add_listener(t->toplevel, &kToplevelListener, t.get());
  xdg_toplevel_set_title(t->toplevel, title.c_str());
  xdg_toplevel_set_app_id(t->toplevel, app.options.appId.c_str());
  wl_surface_commit(t->surface);
  app.toplevels.push_back(std::move(t));
}

void WritePidFile(const std::string& path) {
  if (path.empty()) return;
  // Written under a temporary name and renamed, so a reader never sees half of it.
  const std::string temporary = path + ".tmp";
  std::ofstream(temporary) << getpid() << '\n';
  std::rename(temporary.c_str(), path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  App app;
  if (!Parse(argc, argv, app.options)) {
    std::cerr << "usage: tolm_wayland_testwin --title T [--app-id A] [--log FILE] [--pid-file F] [--many N]"
                 " [--releases yes]\n";
    return 2;
  }
  app.display = wl_display_connect(nullptr);
  if (app.display == nullptr) {
    std::cerr << "tolm_wayland_testwin: cannot connect to the compositor\n";
    return 2;
  }
  wl_registry* registry = wl_display_get_registry(app.display);
  wl_registry_add_listener(registry, &kRegistryListener, &app);
  wl_display_roundtrip(app.display);
  if (app.compositor == nullptr || app.shm == nullptr || app.wmBase == nullptr) {
    std::cerr << "tolm_wayland_testwin: the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n";
    return 2;
  }
  app.buffer = MakeBuffer(app.shm);
  AddToplevel(app, app.options.title, true);
  for (int i = 1; i <= app.options.many; ++i) AddToplevel(app, app.options.title + " " + std::to_string(i), false);
  // Configure, ack and the first buffer; the last round trip makes sure the
  // compositor has handled the commits.
  wl_display_roundtrip(app.display);
  wl_display_roundtrip(app.display);
  WritePidFile(app.options.pidFile);
  while (!app.closed && wl_display_dispatch(app.display) >= 0) {
  }
  // A test tool: the process ends here and the system reclaims the window,
  // the connection and the keymaps, with no teardown to get wrong.
  std::fflush(nullptr);
  _exit(app.closed ? 0 : 1);
}
