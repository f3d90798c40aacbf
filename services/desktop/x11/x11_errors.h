// Xlib reports protocol errors through one process-wide handler, called on
// whichever thread made the failing request; the default one ends the
// program. A window can vanish between being found and being acted on, so
// errors about a window that has gone are expected and pass silently. Any
// other error is a fault worth knowing about: it goes to the diagnostic log.
//
// The handler runs inside Xlib and possibly on a watcher thread, where the
// log must not be written (it is the main thread's, and a failure to write it
// raises an exception). So the handler only queues a line and wakes the event
// pump through an eventfd; the pump writes the queued lines on the main thread.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace tolm {

// Installs the handler and registers its queue with the event pump. Called
// once, on the main thread, before any other thread uses Xlib.
void InstallX11ErrorHandler();

// Whether an error only says that the window it names has gone: BadWindow
// or BadDrawable from any request, BadMatch from SetInputFocus (the window
// was unmapped before the focus got there), BadValue from KillClient (its
// client has ended).
bool IsVanishedWindowError(const XErrorEvent& error);

// The log line for an error, e.g. "X error: BadAtom (invalid Atom parameter),
// request 17.0 X_GetAtomName, resource 0x7fffffff".
std::string X11ErrorText(Display* display, const XErrorEvent& error);

// Writes the queued lines to the diagnostic log (nothing when it is off) and
// empties the queue. The pump calls it; main thread only. A log that cannot
// be written throws, and fails the wait that served the pump.
void LogQueuedX11Errors();

}  // namespace tolm
