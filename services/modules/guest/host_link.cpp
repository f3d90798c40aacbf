#include "services/modules/guest/guest.h"

#include <utility>

#include "services/core/errors.h"

namespace tolm {
namespace {

const HostTable*& Linked() {
  static const HostTable* host = nullptr;
  return host;
}

// Takes the program's table, or says why it cannot (the reason made through
// FailureOf: even the text's memory must not throw here).
bool Connect(const HostTable* host, const ModuleOffer* offer, Failure* why) noexcept {
  if (host != nullptr && host->size == sizeof(HostTable) && offer != nullptr && offer->size == sizeof(ModuleOffer)) {
    Linked() = host;
    return true;
  }
  if (why != nullptr) *why = FailureOf([] { throw Exception("the module is from another build of tolm32"); });
  return false;
}

// Runs open and reports why it failed.
template <typename Open>
bool Offer(const HostTable* host, ModuleOffer* offer, Failure* why, Open&& open) noexcept {
  if (!Connect(host, offer, why)) return false;
  Failure failure = FailureOf(std::forward<Open>(open));
  if (failure.empty()) return true;
  if (why != nullptr) *why = std::move(failure);
  return false;
}

}  // namespace

const HostTable* LinkedHost() noexcept { return Linked(); }

const HostTable& Host() {
  if (Linked() == nullptr) throw Exception("the module was used before its entry");
  return *Linked();
}

bool OfferDesktop(const HostTable* host, ModuleOffer* offer, Failure* why,
                  const std::function<DesktopBackend()>& open) noexcept {
  return Offer(host, offer, why, [&] { offer->desktop = CallsOf(open()); });
}

bool OfferDesktop(const HostTable* host, ModuleOffer* offer, Failure* why,
                  bool (*open)(DesktopBackend& desktop, std::string& reason)) noexcept {
  return OfferDesktop(host, offer, why, [open] {
    DesktopBackend desktop;
    std::string reason;
    if (!open(desktop, reason)) throw Exception(reason);
    return desktop;
  });
}

bool OfferWindows(const HostTable* host, ModuleOffer* offer, Failure* why,
                  const std::function<UserInterface&()>& open) noexcept {
  return Offer(host, offer, why, [&] { offer->windows = CallsOf(open()); });
}

}  // namespace tolm
