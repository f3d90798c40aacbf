// Setting environment variables for the rest of the run and for every program
// started later, without the C library's setenv keeping every value it was
// ever given (a "/do" loop that counts would grow without end).
#pragma once

#include <string>

namespace tolm {

// Sets name=value in this process's environment. Returns 0, or the errno that
// explains a failure (EINVAL for an empty name or one holding "=").
int SetEnvironmentVariable(const std::string& name, const std::string& value);

}  // namespace tolm
