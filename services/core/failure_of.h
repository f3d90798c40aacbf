// A failure as a value: for the places where nothing may be thrown onward
// (the module boundary, a form's event handler), the message of what work
// threw. Inline, so that the catch runs in the runtime of the code that
// threw.
#pragma once

#include <exception>
#include <string>

namespace tolm {

// Runs work; returns the message of what it threw, or an empty text when it
// succeeded. A failure without a message of its own is "unknown failure".
template <typename Work>
std::string FailureOf(Work&& work) noexcept {
  try {
    work();
    return {};
  } catch (const std::exception& e) {
    try {
      return e.what()[0] != '\0' ? e.what() : "unknown failure";
    } catch (...) {
      return {};  // out of memory even for the text: nothing can be said
    }
  } catch (...) {
    try {
      return "unknown failure";
    } catch (...) {
      return {};
    }
  }
}

}  // namespace tolm
