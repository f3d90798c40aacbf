// The event pump names its sources by an int (a file descriptor on Linux).
// On Windows a source is a waitable kernel handle: Windows keeps only the low
// 32 bits of a kernel handle significant, also in 64-bit processes, so that
// handles can pass between 32- and 64-bit code; an int holds it whole.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tolm {

inline int SourceOfHandle(HANDLE handle) {
  return static_cast<int>(static_cast<int32_t>(reinterpret_cast<intptr_t>(handle)));
}

inline HANDLE HandleOfSource(int source) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(source)); }

}  // namespace tolm
