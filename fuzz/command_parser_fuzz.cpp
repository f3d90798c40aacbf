// Feeds arbitrary bytes to the command-file parser, as a file and as a
// command line. Failures must be reports and exceptions of the program's own
// family: never a crash, a hang or an end of the process.
//
// One parser serves every input, as one serves every file of a run: setting
// up its fixed stacks costs more than most parses, and each parse must start
// clean whatever the one before left behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "front/command_parser.h"
#include "front/lexer_runtime.h"
#include "services/core/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tolm::TTolmYacc parser;
  std::string text(reinterpret_cast<const char*>(data), size);
  for (const char* source : {"fuzz.tm", "ARGS"}) {
    // The first byte, when odd, also switches the lexer trace on.
    tolm::LexTrace = size > 0 && (data[0] & 1);
    try {
      parser.Parse(text, source);
    } catch (const tolm::Exception&) {
    }
  }
  tolm::LexTrace = false;
  return 0;
}
