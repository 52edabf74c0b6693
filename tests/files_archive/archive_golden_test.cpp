// A short script with a fixed clock gives a host file equal byte for byte to
// the bytes written out below: host, padding, marker, records, contents.
#include <gtest/gtest.h>

#include "archive_support.h"

namespace ign::test {
namespace {

// A record: the name padded with zeros to 53 bytes, then the fields.
std::string Record(const std::string& name, const std::string& fields) {
  return name + std::string(53 - name.size(), '\0') + fields;
}

std::string Hex(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(char(b));
  return s;
}

TEST(ArchiveGolden, ScriptGivesExactHostBytes) {
  TempDir dir;
  const std::string host = dir.File("host.bin");
  WriteBytes(host, "0123456789");
  CImpet store;
  const std::string out = RunLines(
      store, {"OPEN " + host, "MKDIR Docs", "SET Docs\\a.txt \"hi\"", "SET \\Docs\\b.txt \"\"", "SAVE"});
  EXPECT_EQ(out, "OPEN " + host +
                     "\n (opened)\n"
                     "MKDIR Docs\n (directory created)\n"
                     "SET Docs\\a.txt \"hi\"\n (file rewritten)\n"
                     "SET \\Docs\\b.txt \"\"\n (file rewritten)\n"
                     "SAVE\n (stored 318 bytes - 3 items)\n");

  const std::string time = Hex({0x80, 0x00, 0x40, 0x74, 0x94, 0x7b, 0xdc, 0x01});
  std::string expected = "0123456789" + std::string(246, '\0');
  expected += "##IMPET_HEADER##" + Hex({0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B,
                                        0x2C, 0x2D, 0x2E, ':', '>'});
  // Root: content at 79, 1580 bytes of child array, one directory child.
  expected +=
      Record("", Hex({0x4F, 0, 0, 0, 0x2C, 0x06, 0, 0, 0, 0, 0, 0}) + time + Hex({0x01, 0x80, 0, 0, 0, 0}));
  // Docs: its records at 158, two children.
  expected += Record(
      "Docs", Hex({0x9E, 0, 0, 0, 0x2C, 0x06, 0, 0, 0, 0, 0, 0}) + time + Hex({0x02, 0x80, 0, 0, 0, 0}));
  // a.txt: 2 bytes plain at 158 + 2 x 79 = 316; b.txt: 0 bytes at 318.
  expected +=
      Record("a.txt", Hex({0x3C, 0x01, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0}) + time + Hex({0, 0, 0, 0, 0, 0}));
  expected +=
      Record("b.txt", Hex({0x3E, 0x01, 0, 0, 0x00, 0, 0, 0, 0, 0, 0, 0}) + time + Hex({0, 0, 0, 0, 0, 0}));
  expected += "hi";
  EXPECT_EQ(ReadBytes(host), expected);
}

}  // namespace
}  // namespace ign::test
