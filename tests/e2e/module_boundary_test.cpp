// The module boundary as the build made it: every module imports nothing of
// the program and exports its entry alone, and the program exports none of
// its own symbols, so nothing but the host table and the module's offer can
// cross (services/modules/boundary.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

// The modules built beside the program.
std::vector<std::string> BuiltModules() {
  std::vector<std::string> modules;
  const std::filesystem::path folder = std::filesystem::path(TOLM_BINARY).parent_path();
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("tolm32-", 0) == 0 && entry.path().extension() == ".so") modules.push_back(entry.path().string());
  }
  return modules;
}

// The dynamic symbols nm lists with these options, one name per line.
std::vector<std::string> DynamicSymbols(const std::string& file, const std::string& which) {
  const RunResult r = RunProgram("/usr/bin/nm", {"-D", "-C", which, "--format=just-symbols", file});
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) names.push_back(line);
  }
  return names;
}

std::vector<std::string> OfTheProgram(const std::vector<std::string>& names) {
  std::vector<std::string> found;
  for (const std::string& name : names) {
    if (name.find("tolm::") != std::string::npos) found.push_back(name);
  }
  return found;
}

TEST(ModuleBoundary, ModulesImportNothingOfTheProgramAndExportTheirEntryAlone) {
  const std::vector<std::string> modules = BuiltModules();
  ASSERT_FALSE(modules.empty()) << "no module beside " << TOLM_BINARY;
  for (const std::string& module : modules) {
    SCOPED_TRACE(module);
    EXPECT_EQ(OfTheProgram(DynamicSymbols(module, "--undefined-only")), std::vector<std::string>{});
    EXPECT_EQ(DynamicSymbols(module, "--defined-only"), std::vector<std::string>{"tolm_module_entry"});
  }
}

TEST(ModuleBoundary, TheProgramExportsNoneOfItsOwnSymbols) {
  EXPECT_EQ(OfTheProgram(DynamicSymbols(TOLM_BINARY, "--defined-only")), std::vector<std::string>{});
}

}  // namespace
}  // namespace tolm::testing
