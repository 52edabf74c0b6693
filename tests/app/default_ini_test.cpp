#include "core/app/default_ini.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/base/atomic_file.h"
#include "temp_dir.h"

namespace ign {
namespace {

constexpr size_t kImage = 1050;

TEST(DefaultIni, LayoutHasLineBreaksAfterEveryTenthAndHundredthValue) {
  std::array<uint8_t, kImage> img{};
  for (size_t i = 0; i < kImage; ++i) img[i] = uint8_t(i * 7);
  std::string text = FormatImageText(img.data(), img.size());
  std::string firstLine = "    0     7    14    21    28    35    42    49    56    63 \r\n";
  EXPECT_EQ(text.substr(0, firstLine.size()), firstLine);
  // Value 100 ends with a blank line; 10 lines of 10 make one block.
  size_t block = 10 * 62 + 2;
  EXPECT_EQ(text.substr(block - 4, 4), "\r\n\r\n");
  EXPECT_EQ(text.size(), kImage * 6 + (kImage / 10) * 2 + (kImage / 100) * 2);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare line feeds
  std::array<uint8_t, kImage> back{};
  EXPECT_EQ(ParseImageText(text, back.data(), back.size()), kImage);
  EXPECT_EQ(back, img);
}

TEST(DefaultIni, ShortOrDamagedFilesFillOnlyTheFirstBytes) {
  struct Case {
    const char* text;
    size_t filled;
  } cases[] = {
      {"", 0},
      {"  1 2 3", 3},
      {"1 2 x 4", 2},             // reading stops at the first thing that is no number
      {"256 511 4294967295", 3},  // cut to 8 bits
      {"12 -1", 2},
  };
  for (const Case& c : cases) {
    std::array<uint8_t, kImage> img;
    img.fill(0xAA);
    EXPECT_EQ(ParseImageText(c.text, img.data(), img.size()), c.filled) << c.text;
    for (size_t i = c.filled; i < kImage; ++i) ASSERT_EQ(img[i], 0xAA) << c.text << " byte " << i;
  }
  std::array<uint8_t, kImage> img{};
  ParseImageText("256 511 4294967295 -1", img.data(), img.size());
  EXPECT_EQ(img[0], 0);
  EXPECT_EQ(img[1], 255);
  EXPECT_EQ(img[2], 255);
  EXPECT_EQ(img[3], 255);
}

TEST(DefaultIni, ReadingStopsAfterTheLastImageByte) {
  std::string text;
  for (int i = 0; i < 1200; ++i) text += "9 ";
  std::array<uint8_t, kImage + 2> buf{};
  EXPECT_EQ(ParseImageText(text, buf.data(), kImage), kImage);
  EXPECT_EQ(buf[kImage], 0);  // the two spare bytes of the buffer stay untouched
}

TEST(DefaultIni, MissingFileLeavesTheImageAndWriteReplacesTheOldFile) {
  test::TempDir dir;
  std::array<uint8_t, kImage> img;
  img.fill(3);
  EXPECT_EQ(ReadImageFile(dir.File("default.ini"), img.data(), img.size()), -1);
  EXPECT_EQ(img[0], 3);
  ASSERT_TRUE(WriteFileAtomically(dir.File("default.ini"), std::string(9000, 'z')));
  ASSERT_TRUE(WriteImageFile(dir.File("default.ini"), img.data(), img.size()));
  std::array<uint8_t, kImage> back{};
  EXPECT_EQ(ReadImageFile(dir.File("default.ini"), back.data(), back.size()), long(kImage));
  EXPECT_EQ(back, img);
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileAndNoTemporary) {
  test::TempDir dir;
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing-folder/x.ini"), "abc"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("x.ini"), "old"));
  ASSERT_TRUE(WriteFileAtomically(dir.File("x.ini"), "new"));
  // A folder where the file should go: the rename fails and the temporary goes away.
  std::filesystem::create_directory(dir.File("d.ini"));
  EXPECT_FALSE(WriteFileAtomically(dir.File("d.ini"), "abc"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("d.ini")));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.File("x.ini"), text));
  EXPECT_EQ(text, "new");
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"d.ini", "x.ini"}));
}

}  // namespace
}  // namespace ign
