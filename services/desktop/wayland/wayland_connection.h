// One connection to the Wayland compositor named by WAYLAND_DISPLAY, with the
// globals the backend uses bound: the seat, the foreign toplevel manager and
// the virtual keyboard manager.
//
// Wayland requests are buffered on our side and events are read only when we
// ask, so every exchange with the compositor goes through here: Flush sends
// what is queued (waiting, when the socket is full, until the compositor has
// read), Roundtrip waits until the compositor has handled every request so
// far and every event it sent meanwhile has been dispatched. On the main
// thread the waits run on the event pump, so a close request ends them at
// once; other threads (show-mode watchers) wait on the socket alone. Every
// wait is bounded by kCompositorAnswerTime.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;
struct zwlr_foreign_toplevel_manager_v1;
struct zwp_virtual_keyboard_manager_v1;

namespace tolm {

inline constexpr std::chrono::seconds kCompositorAnswerTime{5};

enum class WaitStyle {
  kPump,    // main thread: wait on the event pump
  kSocket,  // any other thread: wait on the socket alone
};

class WaylandConnection {
 public:
  // Connects and binds the globals; nullptr with the reason when there is no
  // compositor (WAYLAND_DISPLAY unset or unreachable) or it lacks one of the
  // two protocols.
  static std::unique_ptr<WaylandConnection> Open(WaitStyle style, std::string& reason);
  // Connects and binds the seat alone, whatever protocols the compositor
  // offers (for compositors of other families, which bind their own);
  // nullptr with the reason when there is no compositor.
  static std::unique_ptr<WaylandConnection> OpenAny(WaitStyle style, std::string& reason);
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  wl_display* Display() const { return display_; }
  wl_seat* Seat() const { return seat_; }
  // Binds the toplevel manager (once): the compositor then sends every
  // toplevel, so the caller adds its listener before the next dispatch.
  zwlr_foreign_toplevel_manager_v1* BindToplevelManager();
  zwp_virtual_keyboard_manager_v1* KeyboardManager() const { return keyboards_; }
  // The seat's capabilities (wl_seat.capability bits) as last announced.
  uint32_t SeatCapabilities() const { return capabilities_; }
  // The version of a global the compositor offers us, 0 when it offers none.
  uint32_t GlobalVersion(const std::string& interface) const;
  // Binds that global at the version (at most the one offered); nullptr
  // when it is not offered. The caller owns the proxy.
  void* BindGlobal(const wl_interface& interface, uint32_t version);

  // Sends the queued requests; throws Exception when the connection failed.
  void Flush();
  // Reads and dispatches the events that have arrived, without waiting.
  void DispatchAvailable();
  // Waits until the compositor has handled every request sent so far and
  // dispatches its events. Throws Exception when the connection fails or
  // the compositor does not answer in time.
  void Roundtrip();
  // For the end of the program: sends what is queued and waits, on the socket
  // alone and at most limit, until the compositor has handled it (it drops
  // the requests of a client that hangs up before it has read them). Never throws.
  void SettleBeforeExit(std::chrono::milliseconds limit) noexcept;
  // Waits until events arrive or the deadline passes, then dispatches them.
  void WaitForEvents(std::chrono::steady_clock::time_point deadline);

  // Called by the registry listener.
  void OnGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  void OnCapabilities(uint32_t capabilities) { capabilities_ = capabilities; }

 private:
  WaylandConnection(wl_display* display, WaitStyle style) : display_(display), style_(style) {}
  // Waits until the socket is ready for events (in) or for writing (out),
  // or the deadline passes; false on time-out.
  bool WaitSocket(bool out, std::chrono::steady_clock::time_point deadline);
  // Roundtrip bounded by the deadline.
  void RoundtripUntil(std::chrono::steady_clock::time_point deadline);
  // Throws the connection's error as Exception when it has one.
  void CheckError();

  wl_display* display_;
  WaitStyle style_;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  uint32_t toplevelsName_ = 0;
  uint32_t toplevelsVersion_ = 0;
  zwlr_foreign_toplevel_manager_v1* toplevels_ = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards_ = nullptr;
  uint32_t capabilities_ = 0;
  struct Global {
    uint32_t name = 0;
    uint32_t version = 0;
  };
  std::map<std::string, Global> globals_;  // every global offered, by interface
};

}  // namespace tolm
