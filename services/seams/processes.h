// The running processes, one at a time for "/kill" and "/plist", and ending
// one of them.
#pragma once

#include <cstdint>
#include <string>

namespace tolm {

// Delivers the n-th running process (n counts from 1): its id and the full
// path of its executable, trimmed, or empty when that cannot be read. n = 1
// takes a fresh list of every running process; later n read that list.
// Returns false when there is no n-th process.
bool GetProcess(int n, uint32_t& id, std::string& name);

// Ends the process at once. Returns true when it was ended, false when it
// is already gone (it ended on its own since it was listed: no failure).
// Any other failure throws Exception with "Function OpenProcess failed: " or
// "Function TerminateProcess failed: " (not allowed) and the system's reason.
bool KillProcess(uint32_t id);

uint32_t CurrentProcessId();

}  // namespace tolm
