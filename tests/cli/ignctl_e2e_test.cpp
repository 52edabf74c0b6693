#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "run_process.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

std::string Ignctl() { return std::string(IGN_BINARY_DIR) + "/src/cli/ignctl"; }

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class IgnctlE2E : public ::testing::Test {
 protected:
  IgnctlE2E() : dir_(MakeTempDir()), ports_(dir_ + "/ports") {}
  ProcessResult Run(std::vector<std::string> args, double cap = 90) {
    args.insert(args.begin(), Ignctl());
    return RunProcess(
        args,
        {"IGN_PORT_DIR=" + ports_, "XDG_STATE_HOME=" + Path("state"), "IGN_SETTINGS_DIR=" + Path("settings")},
        cap);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_, ports_;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// No port folder at all: every low port number is tried, and none of them
// names a device, which is not worth a line.
TEST_F(IgnctlE2E, NoUnitEndsWithExit3WithinTheTimeout) {
  ProcessResult r = Run({"info", "--timeout", "1"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("no unit found within 1 s"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("No such file"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("COM"), std::string::npos) << r.err;

  ProcessResult ports = Run({"ports"});
  EXPECT_EQ(ports.exitCode, 0);
  EXPECT_EQ(ports.out, "");
  EXPECT_NE(ports.err.find("no serial ports found"), std::string::npos) << ports.err;
}

// A port that exists but cannot be opened is named with its cause; one whose
// link leads nowhere is not.
TEST_F(IgnctlE2E, NoUnitNamesOnlyPortsThatExistAndCouldNotBeOpened) {
  std::filesystem::create_directories(ports_);
  WriteFile(Path("not-a-tty"), "plain file");
  std::filesystem::create_symlink(Path("not-a-tty"), ports_ + "/COM3");
  std::filesystem::create_symlink(Path("gone"), ports_ + "/COM5");
  ProcessResult r = Run({"info", "--timeout", "1"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_NE(r.err.find("ignctl: COM3: "), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("COM5"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("No such file"), std::string::npos) << r.err;
}

// Each field of the unit's header once, under one label.
TEST_F(IgnctlE2E, InfoPrintsEachUnitFieldOnce) {
  SimProcess sim(ports_, {.com = 2});
  ASSERT_TRUE(sim.ready());
  ProcessResult r = Run({"info"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* label : {"port:", "link:", "key:", "subversion:", "name:", "production:", "code:",
                            "serial:", "last update:", "owner:", "bad frames:"})
    EXPECT_EQ(Count("\n" + r.out, std::string("\n") + label), 1u) << label << " in:\n" << r.out;
  EXPECT_EQ(Count(r.out, "last update"), 1u) << r.out;
  EXPECT_EQ(Count(r.out, "IGNSIM"), 1u) << r.out;
  EXPECT_NE(r.out.find("code:            240314S+\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("owner:           Simulated unit\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find('('), std::string::npos) << r.out;
}

TEST_F(IgnctlE2E, UsageErrorsEndWithExit2) {
  EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
  EXPECT_EQ(Run({"read"}).exitCode, 2);  // no -o
  EXPECT_EQ(Run({"info", "--port", "300"}).exitCode, 2);
  EXPECT_EQ(Run({"convert", "a.ign"}).exitCode, 2);
}

TEST_F(IgnctlE2E, UnitWithAnotherKeyEndsWithExit4) {
  SimProcess sim(ports_, {.com = 2, .key = 109});
  ASSERT_TRUE(sim.ready());
  ProcessResult r = Run({"info", "--timeout", "5"});
  EXPECT_EQ(r.exitCode, 4) << r.err;
  EXPECT_NE(r.err.find("unmatched"), std::string::npos) << r.err;
}

TEST_F(IgnctlE2E, UnitWithAnotherSubversionEndsWithExit4) {
  SimProcess sim(ports_, {.com = 2, .subversion = 3});
  ProcessResult r = Run({"info", "--timeout", "5"});
  EXPECT_EQ(r.exitCode, 4) << r.err;
  EXPECT_NE(r.err.find("PC-108.00, IGN-108.03"), std::string::npos) << r.err;
}

TEST_F(IgnctlE2E, PortsInfoReadConvertProgramVerifyReset) {
  SimProcess sim(ports_, {.com = 7});
  ASSERT_TRUE(sim.ready());

  ProcessResult ports = Run({"ports"});
  EXPECT_EQ(ports.exitCode, 0);
  EXPECT_NE(ports.out.find("COM7"), std::string::npos) << ports.out;

  ProcessResult info = Run({"info"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("key:             108"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("IGNSIM"), std::string::npos) << info.out;

  // A raw read is the unit's block byte for byte; no progress bar off a terminal.
  ProcessResult read = Run({"read", "-o", Path("unit.bin")});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(read.out.find('\r'), std::string::npos);
  EXPECT_EQ(read.out, "read: 1050 bytes from COM7, two reads agree; written to " + Path("unit.bin") + "\n");
  EXPECT_EQ(read.err, "");
  EXPECT_EQ(ReadFile(Path("unit.bin")), ReadFile(sim.imagePath()));
  ASSERT_EQ(Run({"read", "--port", "7", "-o", Path("unit.ign")}).exitCode, 0);

  // .ign -> .bin -> .ign gives the same file.
  ASSERT_EQ(Run({"convert", Path("unit.ign"), Path("conv.bin")}).exitCode, 0);
  ASSERT_EQ(Run({"convert", Path("conv.bin"), Path("conv.ign")}).exitCode, 0);
  ASSERT_EQ(Run({"convert", Path("unit.ign"), Path("plain.ign")}).exitCode, 0);
  EXPECT_EQ(ReadFile(Path("conv.ign")), ReadFile(Path("plain.ign")));

  // Change the limiter, program it, and check the unit holds it.
  std::string text = ReadFile(Path("plain.ign"));
  const size_t at = text.find("\r\nLIMITER ");
  ASSERT_NE(at, std::string::npos);
  const size_t end = text.find("\r\n", at + 2);
  text.replace(at, end - at, "\r\nLIMITER           90 ");  // hundreds of rpm
  WriteFile(Path("changed.ign"), text);

  ProcessResult differs = Run({"verify", Path("changed.ign")});
  EXPECT_EQ(differs.exitCode, 1) << differs.err;
  EXPECT_NE(differs.out.find("LIMITER[0]: 9000 -> "), std::string::npos) << differs.out;
  EXPECT_NE(differs.out.find("1 difference"), std::string::npos) << differs.out;

  // In words under the page by default, by name with --raw.
  ProcessResult diff = Run({"diff", Path("plain.ign"), Path("changed.ign")});
  EXPECT_EQ(diff.exitCode, 1);
  EXPECT_NE(diff.out.find("Miscellaneous\n  Limiter [rpm]: "), std::string::npos) << diff.out;
  EXPECT_NE(diff.out.find(" → 9,000\n1 difference\n"), std::string::npos) << diff.out;
  ProcessResult raw = Run({"diff", "--raw", Path("plain.ign"), Path("changed.ign")});
  EXPECT_EQ(raw.exitCode, 1);
  EXPECT_NE(raw.out.find("LIMITER[0]: "), std::string::npos) << raw.out;
  EXPECT_NE(raw.out.find(" -> 9000\n1 difference\n"), std::string::npos) << raw.out;

  ProcessResult program = Run({"program", Path("changed.ign")});
  ASSERT_EQ(program.exitCode, 0) << program.err;
  EXPECT_NE(program.out.find("program: 1050 bytes written to COM7 and read back; the unit has saved them"),
            std::string::npos)
      << program.out;
  EXPECT_EQ(uint8_t(ReadFile(sim.imagePath())[172]), 90);
  ProcessResult verify = Run({"verify", Path("changed.ign")});
  EXPECT_EQ(verify.exitCode, 0) << verify.err << verify.out;

  ProcessResult changedOnly = Run({"program", "--changed-only", Path("plain.ign")});
  EXPECT_EQ(changedOnly.exitCode, 0) << changedOnly.err;
  EXPECT_NE(changedOnly.out.find("program: 1 changed byte written"), std::string::npos) << changedOnly.out;
  EXPECT_EQ(Run({"verify", Path("plain.ign")}).exitCode, 0);

  EXPECT_EQ(Run({"reset"}).exitCode, 0);
  ProcessResult monitor = Run({"monitor", "--seconds", "2"});
  EXPECT_EQ(monitor.exitCode, 0) << monitor.err;
  EXPECT_NE(monitor.out.find("RPM = "), std::string::npos) << monitor.out;
}

// A file for another bike than the unit's is refused with exit 5 and the
// reason, the unit untouched; --force programs it.
TEST_F(IgnctlE2E, ProgramForAnotherBikeIsRefusedUnlessForced) {
  SimProcess sim(ports_, {.com = 3});
  ASSERT_TRUE(sim.ready());
  ASSERT_EQ(Run({"read", "-o", Path("unit.bin")}).exitCode, 0);
  std::string bytes = ReadFile(Path("unit.bin"));
  ASSERT_EQ(bytes.size(), 1050u);
  const char otherBike = char(bytes[140] + 1);
  bytes[140] = otherBike;
  WriteFile(Path("other.bin"), bytes);
  const std::string before = ReadFile(sim.imagePath());

  ProcessResult refused = Run({"program", Path("other.bin")});
  EXPECT_EQ(refused.exitCode, 5) << refused.err;
  EXPECT_NE(refused.err.find("different bike"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFile(sim.imagePath()), before);

  ProcessResult forced = Run({"program", "--force", Path("other.bin")});
  ASSERT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(ReadFile(sim.imagePath())[140], otherBike);
  // The unit is now set for the file's bike: nothing to ask.
  EXPECT_EQ(Run({"program", Path("other.bin")}).exitCode, 0);
}

TEST_F(IgnctlE2E, DamagedInputIsRefusedBeforeTheUnitIsTouched) {
  SimProcess sim(ports_, {.com = 1});
  const std::string before = ReadFile(sim.imagePath());
  WriteFile(Path("short.bin"), std::string(100, '\x05'));
  WriteFile(Path("junk.ign"), "this is no settings file\r\n");
  WriteFile(Path("cut.ini"), "  110   100 \r\n");
  for (const char* name : {"short.bin", "junk.ign", "cut.ini", "missing.ign", "x.txt"}) {
    ProcessResult r = Run({"program", Path(name)});
    EXPECT_EQ(r.exitCode, 2) << name << ": " << r.err;
    EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadFile(sim.imagePath()), before);
}

// ignctl keeps where it found a unit in its own state file; the next run
// probes that protocol first on that port. A unit of another family on the
// port is still found, and the file then names the new one.
TEST_F(IgnctlE2E, StateFileFollowsTheUnitOnAPortAcrossFamilies) {
  const std::string state = Path("state/ignctl/search");
  {
    SimProcess sim(ports_, {.com = 2, .family = "IGN300"});
    ASSERT_TRUE(sim.ready()) << sim.errorOutput();
    ProcessResult r = Run({"info"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(ReadFile(state).find("rows=2:3300:115200\n"), std::string::npos) << ReadFile(state);
  }
  SimProcess sim(ports_, {.com = 2, .family = "WCOM"});
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ProcessResult r = Run({"info"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("key:             108"), std::string::npos) << r.out;
  EXPECT_NE(ReadFile(state).find("rows=2:1:57600\n"), std::string::npos) << ReadFile(state);
}

// Whatever is found where the state file should be, ignctl searches as if
// there were none, says nothing about it, and never fails for it.
TEST_F(IgnctlE2E, DamagedOrUnwritableStateFileGivesAPlainSearch) {
  SimProcess sim(ports_, {.com = 2});
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  const std::string state = Path("state/ignctl/search");
  const struct {
    const char* name;
    std::string contents;  // empty: none written
  } cases[] = {
      {"binary", std::string("\0\xff\x01rows=\xfe\0", 9)},
      {"wrong entries", "rows=2:3300:57600,300:1:57600,x:y:z\n"},
      {"another port only", "rows=9:3300:115200"},
      {"huge", "rows=" + std::string(100000, '9') + "\n"},
  };
  for (const auto& c : cases) {
    std::filesystem::create_directories(Path("state/ignctl"));
    WriteFile(state, c.contents);
    ProcessResult r = Run({"info", "--timeout", "20"});
    EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.err, "") << c.name;
    EXPECT_NE(ReadFile(state).find("2:3150:57600"), std::string::npos) << c.name << ": " << ReadFile(state);
  }
  // A folder where the file should be: nothing can be kept, the search still works.
  std::filesystem::remove(state);
  std::filesystem::create_directories(state);
  ProcessResult r = Run({"info", "--timeout", "20"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(std::filesystem::is_directory(state));
}

TEST_F(IgnctlE2E, HandoverWithoutARunningWindowFails) {
  ProcessResult r =
      RunProcess({Ignctl(), "handover", "--port", "3", "release"},
                 {"IGN_HANDOVER_SOCKET=" + Path("none.sock"), "XDG_STATE_HOME=" + Path("state")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("no running ignset"), std::string::npos) << r.err;
}

// The unit hangs up in the middle of the write: the programming ends with
// exit 1 and says what the unit may now hold.
TEST_F(IgnctlE2E, ProgramCutOffByTheUnitGoingAwayEndsWithExit1AndSaysWhatItMeans) {
  {
    SimProcess sim(ports_, {.com = 4, .image = Path("unit.bin")});
    ASSERT_TRUE(sim.ready()) << sim.errorOutput();
    ASSERT_EQ(Run({"read", "-o", Path("read.bin")}).exitCode, 0);
  }
  std::string bytes = ReadFile(Path("read.bin"));
  ASSERT_EQ(bytes.size(), 1050u);
  bytes[600] = char(bytes[600] + 1);
  bytes[1000] = char(bytes[1000] + 1);
  WriteFile(Path("changed.bin"), bytes);
  // The connection check answers about 16 frames; the line goes in the write.
  SimProcess sim(ports_, {.com = 4, .image = Path("unit.bin"), .extra = {"--hangup-after", "20"}});
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  ProcessResult r = Run({"program", "--timeout", "5", Path("changed.bin")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("Program cut off !"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("may hold only part of the new settings"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ign::test
