// The JavaScript that KWin runs for us: a small script per window command,
// generated here and loaded through KWin's scripting interface. Each script
// looks at KWin's window list, does its one thing and hands its result back
// by callDBus to the D-Bus object our program serves, with the token of the
// run, so a late answer of an earlier script is never taken for this one.
//
// Every text put into a script (our bus name, the target window's id, the
// token) is written as a JSON string literal with everything but printable
// ASCII escaped, so nothing from outside can end the literal or change the
// script; the script file is pure ASCII.
//
// The scripts serve both Plasma 5 (workspace.clientList(),
// workspace.activeClient) and Plasma 6 (workspace.windowList(),
// workspace.activeWindow): they ask which one the workspace has.
#pragma once

#include <string>

namespace tolm {

// Where and with what the script hands its result back:
// callDBus(busName, path, interface, member, token, resultText).
struct ScriptReturn {
  std::string busName;
  std::string path;
  std::string interface;
  std::string member;
  std::string token;
};

enum class WindowScript {
  kList,      // a JSON array of [id, caption, resourceClass, pid, stackingOrder, active] per window
  kActivate,  // "1" when the target was there and was activated, else "0"
  kClose,     // "1" when the target was there and was asked to close, else "0"
  kPid,       // the target's pid in decimal, "0" when it is gone
};

// A JSON (and JavaScript) string literal of UTF-8 text, quotes included:
// printable ASCII stays, except " and \ which get a backslash; every other
// character becomes \uXXXX (two for characters beyond U+FFFF). Bytes that are
// no UTF-8 become U+FFFD.
std::string JsonQuote(const std::string& utf8);

// The script's text. target is KWin's internalId of the window to act on
// (ignored by kList).
std::string WindowScriptText(WindowScript kind, const ScriptReturn& back, const std::string& target = "");

}  // namespace tolm
