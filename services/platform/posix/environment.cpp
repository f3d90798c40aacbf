#include "services/seams/environment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include <unistd.h>

namespace tolm {
namespace {

// The "NAME=value" strings this program handed to putenv, by name. The
// environment points into them, so each lives until its variable is set again.
std::map<std::string, std::unique_ptr<char[]>>& OwnedEntries() {
  static std::map<std::string, std::unique_ptr<char[]>> entries;
  return entries;
}

}  // namespace

int SetEnvironmentVariable(const std::string& name, const std::string& value) {
  if (name.empty() || name.find('=') != std::string::npos) return EINVAL;
  const size_t size = name.size() + 1 + value.size() + 1;
  auto entry = std::make_unique_for_overwrite<char[]>(size);  // every byte is written below
  std::memcpy(entry.get(), name.data(), name.size());
  entry[name.size()] = '=';
  std::memcpy(entry.get() + name.size() + 1, value.c_str(), value.size() + 1);
  if (putenv(entry.get()) != 0) return errno;
  // The environment no longer refers to the string the name had before.
  OwnedEntries()[name] = std::move(entry);
  return 0;
}

}  // namespace tolm

namespace tolm {

std::string ProcessCurrentDirectory() {
  std::unique_ptr<char, decltype(&std::free)> cwd(getcwd(nullptr, 0), &std::free);
  return cwd ? std::string(cwd.get()) : std::string();
}

int ChangeCurrentDirectory(const std::string& directory) { return chdir(directory.c_str()) == 0 ? 0 : errno; }

}  // namespace tolm
