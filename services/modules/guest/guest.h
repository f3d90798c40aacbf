// The module's side of the boundary (services/modules/boundary.h): the
// program's services, implemented over the host table a module gets at its
// entry, and the helpers that make a module's offer. Linked into every module
// and into nothing else: the program has the real services.
#pragma once

#include <functional>
#include <string>

#include "services/modules/boundary.h"
#include "services/seams/desktop.h"
#include "services/seams/user_interface.h"

namespace tolm {

// The host table of this module, which lives until the program ends; Host
// throws before the module's entry has run, LinkedHost gives nullptr then.
const HostTable& Host();
const HostTable* LinkedHost() noexcept;

// A desktop's services, or a user interface, as the calls of an offer: each
// call runs the service and hands back what it threw as a Failure. What they
// call must live until the program ends.
DesktopCalls CallsOf(const DesktopBackend& desktop);
WindowCalls CallsOf(UserInterface& windows);

// The body of a desktop module's entry: keeps host, runs open (which
// returns the desktop's services, or declines by throwing with the reason)
// and offers them. The services must live until the program ends.
bool OfferDesktop(const HostTable* host, ModuleOffer* offer, Failure* why,
                  const std::function<DesktopBackend()>& open) noexcept;
// The same for a desktop that declines by its answer: open fills in the
// services, or returns false with the reason, which the program is handed.
bool OfferDesktop(const HostTable* host, ModuleOffer* offer, Failure* why,
                  bool (*open)(DesktopBackend& desktop, std::string& reason)) noexcept;

// The body of the window module's entry: the same for the user interface
// that shows windows.
bool OfferWindows(const HostTable* host, ModuleOffer* offer, Failure* why,
                  const std::function<UserInterface&()>& open) noexcept;

}  // namespace tolm
