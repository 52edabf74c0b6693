// The unit history as the session writes it, over simulated units: each Read
// and Program with the image the unit held, a unit's settings given back byte
// for byte from an entry, units told apart by their serial, a Verify that
// found differences, and a history that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/history/history_recorder.h"
#include "tests/e2e/session_driver.h"

namespace ign::test {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::vector<uint8_t> Bytes(const Image& img) {
  return std::vector<uint8_t>(img.begin(), img.begin() + RS_LEN_EXE);
}

class HistoryE2E : public ::testing::Test {
 protected:
  HistoryE2E() : dir_(MakeTempDir()), history_(dir_ + "/unit-history.sqlite") {
    config_.portDir = dir_ + "/ports";
  }

  bool Run(CSession& s, const std::function<bool()>& pred, double cap = 30) {
    return RunSession(s, pred, cap);
  }
  bool Checked(CSession& s) {
    return Run(s, [&] { return s.Machine().LastOutcome().operation == Operation::Check; }) &&
           s.Machine().LastOutcome().result == Result::Ok;
  }
  Result Do(CSession& s, Operation op, const std::function<void()>& request) {
    return DoOperation(s, op, request);
  }
  bool ProgramAndSave(CSession& s, const Image& img) {
    s.Params().Replace(std::span<const uint8_t>(img.data(), RS_LEN_EXE));
    if (Do(s, Operation::Program, [&] { s.Program(true); }) != Result::Ok) return false;
    return Run(s, [&] { return s.Machine().LastOutcome().result == Result::Saved; });
  }

  std::string dir_;
  std::string history_;
  RunConfig config_;
};

// Two Programs of one unit, each with the image it replaced; the first
// entry's image programmed back gives the unit its original settings.
TEST_F(HistoryE2E, ProgramsKeepTheImageTheyReplacedAndGiveItBack) {
  SimProcess sim(config_.portDir, {.com = 2, .image = UnitImageFile(95)});
  ASSERT_TRUE(sim.ready());
  const std::vector<uint8_t> original = FileBytes(sim.imagePath());
  CHistoryRecorder recorder(history_);
  recorder.SetFileSource([] { return std::string("/tuner/a.ign"); });
  CSession s(nullptr, nullptr, config_);
  s.SetHistory(&recorder);
  ASSERT_TRUE(Checked(s));

  Image a = s.Params().Unit();
  a[Adrb::LIMITER] = 110;
  NormaliseImage(a);
  ASSERT_TRUE(ProgramAndSave(s, a));
  Image b = a;
  b[Adrb::ADVANCE + 20] += 2;
  ASSERT_TRUE(ProgramAndSave(s, b));

  CHistoryStore& store = recorder.Store();
  const std::vector<HistoryRow> rows = store.List();
  ASSERT_EQ(rows.size(), 2u);
  const std::optional<HistoryEntry> first = store.Entry(rows[1].id);
  const std::optional<HistoryEntry> second = store.Entry(rows[0].id);
  ASSERT_TRUE(first && first->held && first->given && second && second->held && second->given);
  EXPECT_EQ(Bytes(*first->held), original);
  EXPECT_EQ(Bytes(*first->given), Bytes(a));
  EXPECT_EQ(Bytes(*second->held), Bytes(a));  // what the first one wrote
  EXPECT_EQ(Bytes(*second->given), Bytes(b));
  EXPECT_EQ(first->row.event, HistoryEvent::Program);
  EXPECT_EQ(first->row.changed, 1);
  EXPECT_EQ(first->row.file, "/tuner/a.ign");
  EXPECT_EQ(first->row.unitName, "IGNSIM");
  EXPECT_FALSE(first->row.identity.empty());
  EXPECT_EQ(store.Units().size(), 1u);

  ASSERT_TRUE(ProgramAndSave(s, *first->held));
  EXPECT_EQ(FileBytes(sim.imagePath()), original);
}

// A Read is kept with what was read; a Verify only when it found differences,
// with the unit's settings and the editor's.
TEST_F(HistoryE2E, ReadsAndVerifiesThatFoundDifferences) {
  SimProcess sim(config_.portDir, {.com = 3, .image = UnitImageFile(90)});
  ASSERT_TRUE(sim.ready());
  CHistoryRecorder recorder(history_);
  std::vector<HistoryNotice> notices;
  recorder.SetNoticeSink([&](const HistoryNotice& n) { notices.push_back(n); });
  CSession s(nullptr, nullptr, config_);
  s.SetHistory(&recorder);
  ASSERT_TRUE(Checked(s));
  ASSERT_EQ(Do(s, Operation::Read, [&] { s.Machine().RequestRead(); }), Result::Ok);
  ASSERT_EQ(Do(s, Operation::Verify, [&] { s.Machine().RequestVerify(); }), Result::Ok);
  s.Params().Working()[Adrb::LIMITER] = 100;
  ASSERT_EQ(Do(s, Operation::Verify, [&] { s.Machine().RequestVerify(); }), Result::Different);

  const std::vector<HistoryRow> rows = recorder.Store().List();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].event, HistoryEvent::Read);
  EXPECT_EQ(rows[0].event, HistoryEvent::Verify);
  EXPECT_EQ(rows[0].result, HistoryResult::Different);
  EXPECT_EQ(rows[0].changed, 1);
  const std::optional<HistoryEntry> verify = recorder.Store().Entry(rows[0].id);
  ASSERT_TRUE(verify && verify->held && verify->given);
  EXPECT_EQ(Bytes(*verify->held), FileBytes(sim.imagePath()));
  EXPECT_EQ((*verify->given)[Adrb::LIMITER], 100);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[1].entry, rows[0].id);
}

TEST_F(HistoryE2E, UnitsWithOtherSerialsAreKeptApart) {
  SimProcess simA(config_.portDir, {.com = 2, .extra = {"--serial", "7"}});
  SimProcess simB(config_.portDir, {.com = 3, .extra = {"--serial", "9"}});
  ASSERT_TRUE(simA.ready() && simB.ready());
  CHistoryRecorder recorderA(history_), recorderB(history_);
  RunConfig onlyA = config_, onlyB = config_;
  CSession a(nullptr, nullptr, onlyA), b(nullptr, nullptr, onlyB);
  a.Engine().Com().SetConfiguredPort(2);
  b.Engine().Com().SetConfiguredPort(3);
  a.SetHistory(&recorderA);
  b.SetHistory(&recorderB);
  ASSERT_TRUE(Checked(a));
  ASSERT_TRUE(Checked(b));
  ASSERT_EQ(Do(a, Operation::Read, [&] { a.Machine().RequestRead(); }), Result::Ok);
  ASSERT_EQ(Do(b, Operation::Read, [&] { b.Machine().RequestRead(); }), Result::Ok);
  ASSERT_EQ(Do(a, Operation::Read, [&] { a.Machine().RequestRead(); }), Result::Ok);

  const std::vector<HistoryUnit> units = recorderA.Store().Units();
  ASSERT_EQ(units.size(), 2u);
  EXPECT_NE(units[0].identity, units[1].identity);
  EXPECT_EQ(units[0].entries + units[1].entries, 3);
  EXPECT_EQ(a.UnitInformation().Texts().serial.substr(0, 14),
            b.UnitInformation().Texts().serial.substr(0, 14));
}

// A history that cannot be written: the operations end as they would, and
// the session says so once, not at every operation.
TEST_F(HistoryE2E, AnUnwritableHistoryLeavesTheOperationAndSaysSoOnce) {
  SimProcess sim(config_.portDir, {.com = 2});
  ASSERT_TRUE(sim.ready());
  CHistoryRecorder recorder(dir_ + "/no/such/folder/unit-history.sqlite");
  CSession s(nullptr, nullptr, config_);
  s.SetHistory(&recorder);
  ASSERT_TRUE(Checked(s));
  ASSERT_EQ(Do(s, Operation::Read, [&] { s.Machine().RequestRead(); }), Result::Ok);
  ASSERT_EQ(Do(s, Operation::Read, [&] { s.Machine().RequestRead(); }), Result::Ok);
  const std::vector<SessionMessage> messages = s.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, SessionMessage::Kind::History);
  EXPECT_FALSE(messages[0].holding);
  EXPECT_NE(messages[0].text.find("not recorded"), std::string::npos) << messages[0].text;
  EXPECT_TRUE(s.Params().UnitValid());
}

// Switched off in the store (by either program) or for one run: nothing is
// written, and what was noticed is still told.
TEST_F(HistoryE2E, ASwitchedOffHistoryWritesNothing) {
  SimProcess sim(config_.portDir, {.com = 2});
  ASSERT_TRUE(sim.ready());
  {
    CHistoryStore store;
    ASSERT_TRUE(store.Open(history_).Ok());
    ASSERT_TRUE(store.SetSettings({false, 100}).Ok());
  }
  CHistoryRecorder off(history_), oneRun(history_);
  int notices = 0;
  oneRun.SetEnabled(false);
  oneRun.SetNoticeSink([&](const HistoryNotice&) { ++notices; });
  CSession s(nullptr, nullptr, config_);
  s.SetHistory(&off);
  ASSERT_TRUE(Checked(s));
  ASSERT_EQ(Do(s, Operation::Read, [&] { s.Machine().RequestRead(); }), Result::Ok);
  ASSERT_TRUE(off.Store().SetSettings({true, 100}).Ok());
  s.SetHistory(&oneRun);
  ASSERT_EQ(Do(s, Operation::Read, [&] { s.Machine().RequestRead(); }), Result::Ok);
  EXPECT_EQ(notices, 1);
  EXPECT_TRUE(off.Store().List().empty());
}

}  // namespace
}  // namespace ign::test
