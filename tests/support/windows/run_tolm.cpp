// The test helpers of support/run_tolm.h on Windows: programs are started
// with CreateProcessA, their output captured to files in a temporary folder.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

// One argument quoted so that the C runtime of the started program splits
// it back out unchanged: backslashes double only before a double quote.
std::string QuotedArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

// This process's environment with the extra "NAME=value" entries added, as
// the block CreateProcessA takes.
std::string EnvironmentBlock(const std::vector<std::string>& extra) {
  std::string block;
  if (char* strings = GetEnvironmentStringsA()) {
    for (const char* e = strings; *e != '\0'; e += std::strlen(e) + 1) block.append(e).push_back('\0');
    FreeEnvironmentStringsA(strings);
  }
  for (const std::string& e : extra) block.append(e).push_back('\0');
  block.push_back('\0');
  return block;
}

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TempDir::TempDir() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (unsigned attempt = GetTickCount() ^ GetCurrentProcessId();; ++attempt) {
    std::filesystem::path candidate = base / ("tolm-test-" + std::to_string(attempt));
    if (CreateDirectoryA(candidate.string().c_str(), nullptr)) {
      path_ = candidate.string();
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("CreateDirectoryA failed");
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
  std::string full = path_ + "/" + name;
  std::filesystem::create_directories(std::filesystem::path(full).parent_path());
  std::ofstream(full, std::ios::binary) << contents;
  return full;
}

std::string TempDir::Read(const std::string& name) const { return ReadFileText(path_ + "/" + name); }

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& dir,
                     const std::vector<std::string>& env, int timeoutSeconds) {
  TempDir capture;
  const std::string outPath = capture.File("out"), errPath = capture.File("err");
  HANDLE in = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);

  std::string commandLine = QuotedArgument(program);
  for (const std::string& a : args) commandLine += " " + QuotedArgument(a);
  std::string environment = EnvironmentBlock(env);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                      environment.data(), dir.empty() ? nullptr : dir.c_str(), &startup, &child);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) throw std::runtime_error("cannot start " + program);
  CloseHandle(child.hThread);

  RunResult result;
  const DWORD waited = WaitForSingleObject(child.hProcess, static_cast<DWORD>(timeoutSeconds) * 1000);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hProcess);
  result.status = static_cast<int>(code);
  result.out = ReadFileText(outPath);
  result.err = ReadFileText(errPath);
  if (waited != WAIT_OBJECT_0) result.err += "\n[test: killed after " + std::to_string(timeoutSeconds) + " s]\n";
  return result;
}

RunResult RunTolm(const std::vector<std::string>& args, const std::string& dir, const std::vector<std::string>& env) {
  return RunProgram(TOLM_BINARY, args, dir, env);
}

}  // namespace tolm::testing
