// Setting environment variables for the rest of the run and for every program
// started later, without the C library's setenv keeping every value it was
// ever given (a "/do" loop that counts would grow without end).
#pragma once

#include <string>

namespace tolm {

// Sets name=value in this process's environment. Returns 0, or the system's
// error code that explains a failure (for an empty name or one holding "=").
int SetEnvironmentVariable(const std::string& name, const std::string& value);

// The process's current directory as an absolute path; empty when it cannot
// be read (it was removed, or a parent is not searchable).
std::string ProcessCurrentDirectory();

// Makes directory the process's current directory. Returns 0, or the system's
// error code that explains the failure.
int ChangeCurrentDirectory(const std::string& directory);

}  // namespace tolm
