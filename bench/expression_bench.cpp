// Evaluations per second of typical expressions: the conditions that /if and
// /while judge, and a program argument built with arithmetic and joining.
// Each case first checks the value once, so a broken evaluator cannot look fast.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "expr/evaluator.h"
#include "services/seams/exit_status.h"

namespace {

struct Case {
  const char* name;
  std::string_view text;
  const char* expected;  // value the evaluation must give; nullptr: it must fail
};

// `1 + 2 & "x"` groups as 1 + (2 & "x") (the later operator binds tighter),
// so it fails with a conversion error: it times the failing path, exception
// included. `"x" & 1 + 2` is the same mix written so that it succeeds.
constexpr Case kCases[] = {
    {"env(X) eq \"abc\"", R"(env(X) eq "abc")", "1"},
    {"errorlevel() ne 0", "errorlevel() ne 0", "0"},
    {"\"x\" & 1 + 2", R"("x" & 1 + 2)", "x3"},
    {"1 + 2 & \"x\" (fails)", R"(1 + 2 & "x")", nullptr},
};

// Returns the value, or the error text prefixed with "error: ".
std::string Evaluate(std::string_view text) {
  try {
    return tolm::EvaluateExpression(text);
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
}

void BM_Evaluate(benchmark::State& state, const Case& c) {
  std::string first = Evaluate(c.text);
  bool failed = first.rfind("error: ", 0) == 0;
  if (c.expected == nullptr ? !failed : first != c.expected) {
    state.SkipWithError(("unexpected value: " + first).c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Evaluate(c.text));
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
  setenv("X", "abc", 1);
  tolm::LastExitCode = 0;
  for (const Case& c : kCases) benchmark::RegisterBenchmark(c.name, BM_Evaluate, c);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
