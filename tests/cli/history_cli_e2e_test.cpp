// ignctl and the unit history: each program kept with the image it replaced,
// listed newest first, shown, compared, exported; --no-history.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/history/history_types.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "run_process.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

std::vector<std::vector<std::string>> Rows(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields(1);
    for (char c : line) {
      if (c == '\t')
        fields.emplace_back();
      else
        fields.back() += c;
    }
    rows.push_back(fields);
  }
  return rows;
}

std::string Checksum(const std::string& bytes) {
  Image img{};
  std::copy(bytes.begin(), bytes.begin() + RS_LEN_EXE, img.begin());
  char text[16];
  std::snprintf(text, sizeof text, "%08x", ImageChecksum(img));
  return text;
}

class HistoryCli : public ::testing::Test {
 protected:
  HistoryCli() : dir_(MakeTempDir()), ports_(dir_ + "/ports") {}
  ProcessResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), std::string(IGN_BINARY_DIR) + "/src/cli/ignctl");
    return RunProcess(
        args,
        {"IGN_PORT_DIR=" + ports_, "XDG_STATE_HOME=" + Path("state"), "IGN_SETTINGS_DIR=" + Path("settings")},
        90);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string WriteImage(const std::string& name, uint8_t limiter) {
    Image img = StartupImage();
    img[Adrb::LIMITER] = limiter;
    NormaliseImage(img);
    std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE);
    return Path(name);
  }

  std::string dir_, ports_;
};

TEST_F(HistoryCli, ProgramsAreListedWithTheImageEachReplaced) {
  SimProcess sim(ports_, {.com = 4, .image = WriteImage("unit.bin", 95)});
  ASSERT_TRUE(sim.ready());
  const std::string original = ReadFile(sim.imagePath());
  ASSERT_EQ(Run({"program", "--force", WriteImage("a.bin", 100)}).exitCode, 0);
  ASSERT_EQ(Run({"program", "--force", WriteImage("b.bin", 105)}).exitCode, 0);
  ASSERT_EQ(Run({"program", "--force", "--no-history", Path("a.bin")}).exitCode, 0);

  const ProcessResult list = Run({"history", "list"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const auto rows = Rows(list.out);
  ASSERT_EQ(rows.size(), 2u) << list.out;
  ASSERT_EQ(rows[0].size(), 9u) << list.out;
  // id, time, event, unit, name, held -> given, changed, file, note; newest first
  EXPECT_GT(std::stoi(rows[0][0]), std::stoi(rows[1][0]));
  EXPECT_EQ(rows[0][2], "Program");
  EXPECT_EQ(rows[0][3], rows[1][3]);
  EXPECT_EQ(rows[1][5], Checksum(original) + " -> " + Checksum(ReadFile(Path("a.bin"))));
  EXPECT_EQ(rows[0][5], Checksum(ReadFile(Path("a.bin"))) + " -> " + Checksum(ReadFile(Path("b.bin"))));
  EXPECT_EQ(rows[0][6], "1");
  EXPECT_EQ(rows[0][7], Path("b.bin"));

  // The first entry gives the original settings back, byte for byte.
  ASSERT_EQ(Run({"history", "export", rows[1][0], Path("orig.bin")}).exitCode, 0);
  EXPECT_EQ(ReadFile(Path("orig.bin")), original);
  ASSERT_EQ(Run({"history", "export", rows[1][0] + ":programmed", Path("a-again.bin")}).exitCode, 0);
  EXPECT_EQ(ReadFile(Path("a-again.bin")), ReadFile(Path("a.bin")));

  const ProcessResult diff = Run({"history", "diff", rows[1][0], rows[0][0]});
  EXPECT_EQ(diff.exitCode, 1);
  EXPECT_EQ(diff.out, "Miscellaneous\n  Limiter [rpm]: 9,500 → 10,000\n1 difference\n");
  EXPECT_EQ(Run({"history", "diff", rows[0][0], Path("a.bin")}).exitCode, 0);

  ASSERT_EQ(Run({"history", "note", rows[0][0], "race tune"}).exitCode, 0);
  const ProcessResult show = Run({"history", "show", rows[0][0]});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  EXPECT_NE(show.out.find("note:     race tune\n"), std::string::npos) << show.out;
  EXPECT_NE(show.out.find("Limiter [rpm]: 10,000 → 10,500"), std::string::npos) << show.out;

  const ProcessResult units = Run({"history", "units"});
  EXPECT_EQ(Rows(units.out).size(), 1u) << units.out;
  EXPECT_EQ(Run({"history", "list", "--unit", rows[0][3]}).out, Run({"history", "list"}).out);
}

TEST_F(HistoryCli, BadReferencesAndAMissingHistoryAreUsageErrors) {
  EXPECT_EQ(Run({"history", "list"}).exitCode, 1);  // nothing kept yet
  SimProcess sim(ports_, {.com = 4});
  ASSERT_TRUE(sim.ready());
  ASSERT_EQ(Run({"read", "-o", Path("unit.bin")}).exitCode, 0);
  EXPECT_EQ(Run({"history", "show", "99"}).exitCode, 2);
  EXPECT_EQ(Run({"history", "export", "1:programmed", Path("x.bin")}).exitCode, 2);  // a Read wrote nothing
  EXPECT_EQ(Run({"history", "diff", "1", Path("missing.ign")}).exitCode, 2);
  EXPECT_EQ(Run({"history", "list", "--unit", "nobody"}).exitCode, 2);
  EXPECT_EQ(Run({"history", "frob"}).exitCode, 2);
}

}  // namespace
}  // namespace ign::test
