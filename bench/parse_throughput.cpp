// Measures command-parser throughput on a generated command file of about
// 8 MB (or the file given as the first argument): lexing alone, a check
// (records dropped as they complete) and a full parse (records kept), each
// from memory and best of five runs; then expression evaluations per second.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "expr/evaluator.h"
#include "front/command_parser.h"

namespace {

std::string GeneratedCommandFile(size_t bytes) {
  static const char* const kBlock =
      "# start the editor and wait for it\r\n"
      "notepad /min c:\\doc\\a.txt\r\n"
      "/activate /warn Untitled - Notepad\r\n"
      "/sendkeys hello{ENTER}world\r\n"
      "xcopy \"c:\\program files\\src\" dst /s /e\r\n"
      "/set Path=c:\\bin\r\n"
      "/if env(X) eq \"a b\" {\r\n"
      "  calc /wait\r\n"
      "  /sleep 2\r\n"
      "} /else {\r\n"
      "  /pause \"Done\" & env(USER)\r\n"
      "}\r\n"
      "/do {\r\n"
      "  /waitfor Editor window\r\n"
      "} /while errorlevel() ne 0\r\n"
      "@ other.tm one two\r\n"
      "\r\n";
  std::string text;
  text.reserve(bytes + 1024);
  while (text.size() < bytes) text += kBlock;
  return text;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Best time of five runs of the step; the step's count comes back in count.
template <class Step>
double BestOfFive(Step step, size_t& count) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    auto start = std::chrono::steady_clock::now();
    count = step();
    double seconds = Seconds(start);
    if (seconds < best) best = seconds;
  }
  return best;
}

void Report(const char* what, size_t count, const char* unit, double seconds, size_t bytes) {
  std::printf("%-6s %zu %s, %.1f ms, %.1f MB/s\n", what, count, unit, seconds * 1e3,
              static_cast<double>(bytes) / 1e6 / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  std::string text;
  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    text = GeneratedCommandFile(8u << 20);
  }
  tolm::TTolmYacc warmup;  // builds the tables once, outside the timing
  size_t count = 0;
  double seconds = BestOfFive(
      [&] {
        std::string out, err;
        tolm::TTolmLex lex;
        lex.Open(text, "bench.tm", out, err);
        size_t tokens = 0;
        while (lex.yylex() != 0) ++tokens;
        return tokens;
      },
      count);
  Report("lex:", count, "tokens", seconds, text.size());
  seconds = BestOfFive([&] { return static_cast<size_t>(tolm::TTolmYacc().Check(text, "bench.tm")); }, count);
  Report("check:", count, "(1: no errors)", seconds, text.size());
  seconds = BestOfFive([&] { return tolm::TTolmYacc().Parse(text, "bench.tm")->Top().size(); }, count);
  Report("parse:", count, "records", seconds, text.size());

  const int evaluations = 200000;
  auto start = std::chrono::steady_clock::now();
  size_t total = 0;
  for (int i = 0; i < evaluations; ++i) total += tolm::EvaluateExpression("errorlevel() ne 0").size();
  seconds = Seconds(start);
  std::printf("evaluate: %d conditions, %.3f s, %.2f us each (%zu)\n", evaluations, seconds,
              seconds * 1e6 / evaluations, total);
  return 0;
}
