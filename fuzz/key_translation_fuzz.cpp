// Feeds arbitrary bytes to the key-string translation as a "/sendkeys"
// argument. Any repeat count must cost time only while the keys are taken,
// never memory or time up front: every chunk is small, arrives quickly, and
// holds only characters that CharactersOfKeys announced.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "services/core/errors.h"
#include "services/core/key_translation.h"

namespace {

// Chunks taken from each input: enough to cross many chunk boundaries, few
// enough that a repeat of two billion keys is cut short.
constexpr int kChunksTaken = 16;
// A chunk holds a few hundred runs, plus at most the length of the string.
constexpr size_t kRunsPerChunkLimit = 512;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view keys(reinterpret_cast<const char*>(data), size);
  try {
    const std::vector<char32_t> characters = tolm::CharactersOfKeys(keys);
    const std::unordered_set<char32_t> announced(characters.begin(), characters.end());
    Check(announced.size() == characters.size());  // distinct

    tolm::KeyTranslator translator(keys);
    tolm::KeyRuns runs;
    for (int chunk = 0; chunk < kChunksTaken && translator.Next(runs); ++chunk) {
      Check(!runs.empty() && runs.size() <= kRunsPerChunkLimit + size);
      for (const tolm::KeyRun& run : runs) {
        Check(run.count > 0);
        const char32_t ch = tolm::CharacterOfKeyCode(run.code);
        Check(ch == 0 || announced.count(ch) == 1);
      }
    }
  } catch (const tolm::Exception&) {
  }
  return 0;
}
