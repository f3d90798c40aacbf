// The program's exception family. Every failure a script can meet is one of
// these: the interpreter's own (EScriptError), program starts (ESystemError)
// and plain Exception for platform and conversion failures. Each carries only
// the message text the user will read.
#pragma once

#include <exception>
#include <string>

namespace tolm {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

class EScriptError : public Exception {
 public:
  using Exception::Exception;
};

class ESystemError : public Exception {
 public:
  using Exception::Exception;
};

// Resets the application title to its title word (ResetApplicationTitle,
// services/seams/app_title.h), then throws EScriptError with the message
// unchanged. Every EScriptError is raised through here.
[[noreturn]] void RaiseScriptError(const std::string& message);

// Messages of the run-time conversions, shared so tests can compare them whole.
std::string InvalidIntegerMessage(const std::string& text);  // "'x' is not a valid integer value"
inline constexpr const char* kIntegerOverflow = "Integer overflow";
inline constexpr const char* kRangeCheckError = "Range check error";

}  // namespace tolm
