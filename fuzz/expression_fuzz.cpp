// Feeds arbitrary bytes to the expression evaluator.
#include <cstddef>
#include <cstdint>
#include <string>

#include "expr/evaluator.h"
#include "services/core/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    tolm::EvaluateExpression(text);
  } catch (const tolm::Exception&) {
  }
  return 0;
}
