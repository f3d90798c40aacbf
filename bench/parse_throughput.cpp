// Measures command-parser throughput on a generated command file of about
// 8 MB (or the file given as the first argument), and expression
// evaluations per second.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
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

}  // namespace

int main(int argc, char** argv) {
  std::string text;
  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
  } else {
    text = GeneratedCommandFile(8u << 20);
  }
  tolm::TTolmYacc warmup;  // builds the tables once, outside the timing
  auto start = std::chrono::steady_clock::now();
  {
    std::string out, err;
    tolm::TTolmLex lex;
    lex.Open(text, "bench.tm", out, err);
    size_t tokens = 0;
    while (lex.yylex() != 0) ++tokens;
    double lexSeconds = Seconds(start);
    std::printf("lex: %zu tokens, %.3f s, %.1f MB/s\n", tokens, lexSeconds,
                static_cast<double>(text.size()) / 1e6 / lexSeconds);
  }
  start = std::chrono::steady_clock::now();
  auto list = tolm::TTolmYacc().Parse(text, "bench.tm");
  double seconds = Seconds(start);
  std::printf("parse: %zu bytes, %zu records, %.3f s, %.1f MB/s\n", text.size(), list->size(), seconds,
              static_cast<double>(text.size()) / 1e6 / seconds);

  const int evaluations = 200000;
  start = std::chrono::steady_clock::now();
  size_t total = 0;
  for (int i = 0; i < evaluations; ++i) total += tolm::EvaluateExpression("errorlevel() ne 0").size();
  seconds = Seconds(start);
  std::printf("evaluate: %d conditions, %.3f s, %.2f us each (%zu)\n", evaluations, seconds,
              seconds * 1e6 / evaluations, total);
  return 0;
}
