// The icon tolm32.exe carries: read from the program file as the shell reads
// it, in every size it holds, and compared with the program's drawing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "services/platform/windows/win_program_icon.h"
#include "windows/icon_pixels.h"

namespace tolm {
namespace {

// The program file loaded for its resources only; freed at the end.
class ResourceFile {
 public:
  explicit ResourceFile(const char* path)
      : module_(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ResourceFile() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  ResourceFile(const ResourceFile&) = delete;
  ResourceFile& operator=(const ResourceFile&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

// The entries of an icon group resource: width (0 stands for 256) and bits
// per pixel of each image, in the file's order.
std::vector<std::pair<int, int>> IconGroupSizes(HMODULE module, int id) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
  if (found == nullptr) return {};
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
  const DWORD length = SizeofResource(module, found);
  std::vector<std::pair<int, int>> sizes;
  const size_t count = length >= 6 ? data[4] | data[5] << 8 : 0;
  for (size_t i = 0; i < count && 6 + 14 * (i + 1) <= length; ++i) {
    const uint8_t* entry = data + 6 + 14 * i;
    sizes.emplace_back(entry[0] == 0 ? 256 : entry[0], entry[6] | entry[7] << 8);
  }
  return sizes;
}

TEST(ProgramIcon, Tolm32ExeHoldsTheDrawingAt16To256Pixels) {
  ResourceFile program(TOLM_BINARY);
  ASSERT_NE(program.Get(), nullptr) << TOLM_BINARY;
  const std::vector<std::pair<int, int>> expected{{16, 32}, {32, 32}, {48, 32}, {256, 32}};
  EXPECT_EQ(IconGroupSizes(program.Get(), IDI_Tolm32), expected);
  for (int size : {16, 32, 48, 256}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(program.Get(), MAKEINTRESOURCEA(IDI_Tolm32), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << size;
    EXPECT_EQ(wintest::DifferenceFromProgramDrawing(icon, size), "");
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace tolm
