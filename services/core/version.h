// The program's version, shown by "--version" and the About box.
#pragma once

namespace tolm {

inline constexpr const char* kProgramVersion = "5.0";

}  // namespace tolm
