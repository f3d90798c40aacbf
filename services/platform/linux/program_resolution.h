// Deciding how a program text is started on Linux: run directly, handed to
// the desktop's opener, or refused.
#pragma once

#include <string>

namespace tolm {

enum class LaunchKind { Execute, Open, Missing };

struct ResolvedProgram {
  LaunchKind kind = LaunchKind::Missing;
  std::string path;  // absolute for Execute; the text to open for Open
};

// A text with a slash is a path; a name without one is looked up on PATH
// first (an executable regular file), then taken as a path relative to the
// current directory. A path to an executable regular file is executed; any
// other existing file or folder, and a URL, is opened; anything else is
// missing. Relative paths become absolute, since the program may be started
// in another directory.
ResolvedProgram ResolveProgram(const std::string& program);

// The full path of an executable regular file called name on PATH, or empty.
std::string FindOnPath(const std::string& name);

}  // namespace tolm
