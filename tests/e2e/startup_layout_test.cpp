// A start-up runs a few hundred functions; the link places them next to each
// other (cmake/startup-order.txt) so that a start maps a few pages of the
// program, not one per function. Spread over the whole program, as they are
// when the ordering stops taking effect, a start costs a page fault each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

#ifdef TOLM_STARTUP_ORDERED
// Addresses of the program's functions, by name as nm shows it demangled.
std::map<std::string, uint64_t> FunctionAddresses() {
  const RunResult r = RunProgram("/usr/bin/nm", {"-C", "--defined-only", TOLM_BINARY});
  EXPECT_EQ(r.status, 0) << r.err;
  std::map<std::string, uint64_t> addresses;
  std::istringstream lines(r.out);
  std::string line;
  while (std::getline(lines, line)) {
    // "<address> <kind> <name>", the name possibly with spaces and arguments.
    // Cold parts ("[clone .cold]") are placed away from the rest on purpose.
    if (line.size() < 20 || (line[17] != 'T' && line[17] != 't')) continue;
    if (line.find("[clone ") != std::string::npos) continue;
    std::string name = line.substr(19);
    if (const size_t paren = name.find('('); paren != std::string::npos) name.resize(paren);
    addresses.emplace(name, std::stoull(line.substr(0, 16), nullptr, 16));
  }
  return addresses;
}
#endif

TEST(StartupLayout, TheFunctionsEveryRunCallsLieTogether) {
#ifndef TOLM_STARTUP_ORDERED
  GTEST_SKIP() << "this build does not order the start-up code (no gold, or a sanitizer build)";
#else
  const std::map<std::string, uint64_t> addresses = FunctionAddresses();
  // From the start of main to parsing and running a line, and the C++
  // runtime's allocation every step uses.
  const char* const names[] = {"main",
                               "tolm::ReadProgramOptions",
                               "tolm::SetApplicationTitle",
                               "tolm::InstallPlatform",
                               "tolm::RunArgumentText",
                               "tolm::TTolmYacc::RunParse",
                               "tolm::ExecuteCommand",
                               "tolm::EvaluateExpression[abi:cxx11]",
                               "operator new"};
  uint64_t low = UINT64_MAX, high = 0;
  for (const char* name : names) {
    const auto found = addresses.find(name);
    ASSERT_NE(found, addresses.end()) << name << " is not in the program: regenerate cmake/startup-order.txt "
                                      << "with tools/startup_order.py and update this list";
    low = std::min(low, found->second);
    high = std::max(high, found->second);
  }
  // Unordered, these lie across the program's 500 KiB of code.
  EXPECT_LT(high - low, 128u * 1024) << "start-up functions spread from 0x" << std::hex << low << " to 0x" << high;
#endif
}

}  // namespace
}  // namespace tolm::testing
