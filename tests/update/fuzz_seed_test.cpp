// The update fuzz targets' bodies over their kept inputs (seeds and
// findings), without the fuzzer: every file must pass the targets' checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ign::fuzz {
int UpdateDocument(const uint8_t* data, size_t size);
int UpdateRtf(const uint8_t* data, size_t size);
}  // namespace ign::fuzz

namespace ign {
namespace {

namespace fs = std::filesystem;

int Replay(const char* target, int (*fn)(const uint8_t*, size_t)) {
  int files = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(IGN_SOURCE_DIR) / "fuzz" / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
      std::ifstream in(e.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      fn(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++files;
    }
  }
  return files;
}

TEST(UpdateFuzzSeeds, DocumentInputsPass) { EXPECT_GT(Replay("update_doc", fuzz::UpdateDocument), 0); }
TEST(UpdateFuzzSeeds, RichTextInputsPass) { EXPECT_GT(Replay("update_rtf", fuzz::UpdateRtf), 0); }

}  // namespace
}  // namespace ign
