#include "services/desktop/x11/x11_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "services/core/errors.h"

#include "services/seams/event_pump.h"

namespace tolm {
namespace {

// Flush queued events every this many, so the server starts working early.
constexpr unsigned kFlushBatch = 128;
// Clients read a changed keyboard map when they handle its notification,
// which may be after a key string has been sent. Bound keys stay bound this
// long after the last event, so that the clients see them.
constexpr std::chrono::milliseconds kUnbindDelay{150};

// Keysyms of the named keys, in NamedKey order; a second choice where one exists.
struct NamedKeysym {
  KeySym first;
  KeySym second;
};
constexpr std::array<NamedKeysym, 29> kNamedKeysyms{{
    {XK_BackSpace, NoSymbol}, {XK_Tab, NoSymbol},   {XK_Return, XK_KP_Enter}, {XK_Escape, NoSymbol},
    {XK_F1, NoSymbol},        {XK_F2, NoSymbol},    {XK_F3, NoSymbol},        {XK_F4, NoSymbol},
    {XK_F5, NoSymbol},        {XK_F6, NoSymbol},    {XK_F7, NoSymbol},        {XK_F8, NoSymbol},
    {XK_F9, NoSymbol},        {XK_F10, NoSymbol},   {XK_F11, NoSymbol},       {XK_F12, NoSymbol},
    {XK_Home, NoSymbol},      {XK_End, NoSymbol},   {XK_Up, NoSymbol},        {XK_Down, NoSymbol},
    {XK_Left, NoSymbol},      {XK_Right, NoSymbol}, {XK_Prior, NoSymbol},     {XK_Next, NoSymbol},
    {XK_Insert, NoSymbol},    {XK_Delete, NoSymbol}, {XK_Shift_L, XK_Shift_R}, {XK_Control_L, XK_Control_R},
    {XK_Alt_L, XK_Meta_L},
}};

struct DeviceInfoDeleter {
  void operator()(XIDeviceInfo* info) const { XIFreeDeviceInfo(info); }
};

// The XKB device id of the XTEST keyboard (the device XTestFakeKeyEvent
// drives), or the core keyboard when the server does not say.
unsigned int FindXTestKeyboard(Display* display) {
  int opcode = 0, event = 0, error = 0;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return XkbUseCoreKbd;
  int major = 2, minor = 0;
  if (XIQueryVersion(display, &major, &minor) != Success) return XkbUseCoreKbd;
  int count = 0;
  std::unique_ptr<XIDeviceInfo, DeviceInfoDeleter> devices(XIQueryDevice(display, XIAllDevices, &count));
  for (int i = 0; devices && i < count; ++i) {
    const XIDeviceInfo& device = devices.get()[i];
    if (device.use == XISlaveKeyboard && std::strstr(device.name, "XTEST") != nullptr) {
      return static_cast<unsigned int>(device.deviceid);
    }
  }
  return XkbUseCoreKbd;
}

}  // namespace

Display* X11Keyboard::Get() {
  const bool first = !device_;
  Display* display = display_.Get("keystrokes need");
  if (first) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
      throw Exception("The X server has no XTEST extension: keystrokes cannot be sent");
    }
    device_ = FindXTestKeyboard(display);
  }
  return display;
}

void X11Keyboard::BeginKeys(const std::vector<char32_t>& characters) {
  Display* display = Get();
  // The connection selects no events of its own for the keyboard; what
  // arrives are mapping notifications, of no use here.
  DiscardQueuedEvents(display);
  // Read afresh for every key string: the layout or group may have changed.
  map_ = X11KeyboardMap::Read(display, *device_);
  queued_ = 0;
  abandonAtEnd_.emplace([this] { Abandon(); });
  missing_.clear();
  missingIndex_.clear();
  for (char32_t ch : characters) {
    if (!map_->Find(ch) && missingIndex_.emplace(ch, missing_.size()).second) missing_.push_back(ch);
  }
  BindBatch(display, 0);
}

void X11Keyboard::BindBatch(Display* display, size_t first) {
  // Two characters per spare key: one on the plain level, one on the SHIFT
  // level. A lone last character goes on both levels.
  const std::vector<XKeyCode>& spare = map_->SpareKeys();
  const size_t count = std::min(missing_.size(), 2 * spare.size());
  std::vector<XKeyCode> previous = std::move(boundKeys_);
  bound_.clear();
  boundKeys_.clear();
  for (size_t i = 0, key = 0; i < count; i += 2, ++key) {
    const char32_t plain = missing_[(first + i) % missing_.size()];
    const char32_t shifted = i + 1 < count ? missing_[(first + i + 1) % missing_.size()] : plain;
    KeySym keysyms[2] = {CharacterKeysym(plain), CharacterKeysym(shifted)};
    XChangeKeyboardMapping(display, spare[key], 2, keysyms, 1);
    bound_.emplace(plain, CharacterKey{spare[key], false});
    bound_.emplace(shifted, CharacterKey{spare[key], true});
    boundKeys_.push_back(spare[key]);
  }
  // Keys of the last round that this one does not use go back to no symbols.
  for (size_t key = boundKeys_.size(); key < previous.size(); ++key) {
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display, previous[key], 2, none, 1);
  }
}

void X11Keyboard::EndRound(Display* display) {
  XSync(display, False);
  // Waits on the event pump, so a close request ends the program here too.
  const auto deadline = std::chrono::steady_clock::now() + kUnbindDelay;
  while (std::chrono::steady_clock::now() < deadline) PumpWaitUntil(deadline);
}

void X11Keyboard::UnbindAll(Display* display) {
  if (boundKeys_.empty()) return;
  std::this_thread::sleep_for(kUnbindDelay);
  for (XKeyCode keycode : boundKeys_) {
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display, keycode, 2, none, 1);
  }
  bound_.clear();
  boundKeys_.clear();
  XSync(display, False);
}

std::optional<CharacterKey> X11Keyboard::BoundKeyFor(char32_t character) {
  if (const auto it = bound_.find(character); it != bound_.end()) return it->second;
  const auto missing = missingIndex_.find(character);
  if (missing == missingIndex_.end() || map_->SpareKeys().empty()) return std::nullopt;
  Display* display = Get();
  EndRound(display);
  BindBatch(display, missing->second);
  return bound_.at(character);
}

std::optional<CharacterKey> X11Keyboard::KeyFor(char32_t character) const {
  if (const auto it = bound_.find(character); it != bound_.end()) return it->second;
  return map_->Find(character);
}

std::optional<bool> X11Keyboard::CharacterNeedsShift(char32_t character) {
  // The sender asks this before a character's events: the place to start
  // a new round when the character is not bound yet.
  std::optional<CharacterKey> key = map_->Find(character);
  if (!key) key = BoundKeyFor(character);
  if (!key) return std::nullopt;
  return key->shift;
}

void X11Keyboard::PressNamed(NamedKey key, bool down) {
  const NamedKeysym& keysyms = kNamedKeysyms.at(static_cast<size_t>(key));
  std::optional<XKeyCode> keycode = map_->FindKeysym(keysyms.first);
  if (!keycode && keysyms.second != NoSymbol) keycode = map_->FindKeysym(keysyms.second);
  if (keycode) Queue(*keycode, down);
}

void X11Keyboard::PressCharacter(char32_t character, bool down) {
  if (const std::optional<CharacterKey> key = KeyFor(character)) Queue(key->keycode, down);
}

void X11Keyboard::Queue(XKeyCode keycode, bool down) {
  Display* display = Get();
  XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime);
  down_[keycode] = down;
  if (++queued_ % kFlushBatch == 0) XFlush(display);
}

void X11Keyboard::EndKeys() {
  abandonAtEnd_.reset();
  Display* display = Get();
  XSync(display, False);
  UnbindAll(display);
}

void X11Keyboard::Abandon() {
  Display* display = display_.Get("keystrokes need");
  for (size_t keycode = 0; keycode < down_.size(); ++keycode) {
    if (down_[keycode]) XTestFakeKeyEvent(display, static_cast<unsigned>(keycode), False, CurrentTime);
  }
  down_.reset();
  for (XKeyCode keycode : boundKeys_) {
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display, keycode, 2, none, 1);
  }
  boundKeys_.clear();
  XSync(display, False);
}

}  // namespace tolm
