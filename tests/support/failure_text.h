// The message of the Exception a call throws, for tests that compare
// failures whole; "(no failure)" when it throws nothing.
#pragma once

#include <string>

#include "services/core/errors.h"

namespace tolm::testing {

template <typename Call>
std::string FailureText(Call&& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no failure)";
}

}  // namespace tolm::testing
