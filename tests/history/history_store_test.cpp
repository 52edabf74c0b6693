// The unit history's store: entries by unit, images kept once, the oldest
// pruned past the limit but never a unit's newest, a damaged file moved aside
// and a new store begun, two programs writing side by side.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/history/history_images.h"
#include "core/history/history_store.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

namespace fs = std::filesystem;

Image Filled(uint8_t seed) {
  Image img{};
  for (int i = 0; i < RS_LEN_EXE; ++i) img[size_t(i)] = uint8_t((i * 7 + seed) % 251);
  return img;
}

HistoryRecord Record(const std::string& unit, int64_t time, std::optional<Image> held,
                     std::optional<Image> given = std::nullopt) {
  HistoryRecord r;
  r.time = time;
  r.event = given ? HistoryEvent::Program : HistoryEvent::Read;
  r.identity = unit;
  r.unitName = "IGNSIM";
  r.version = "108.00";
  r.owner = "Owner";
  r.file = "/tmp/a.ign";
  r.held = std::move(held);
  r.given = std::move(given);
  return r;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int64_t CountRows(const std::string& path, const char* table) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, (std::string("SELECT count(*) FROM ") + table).c_str(), -1, &s, nullptr);
  int64_t n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
  sqlite3_finalize(s);
  sqlite3_close(db);
  return n;
}

class HistoryStore : public ::testing::Test {
 protected:
  HistoryStore() : folder_(test::MakeTempDir()), path_(folder_ + "/unit-history.sqlite") {}
  ~HistoryStore() override { fs::remove_all(folder_); }

  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
    return names;
  }

  std::string folder_, path_;
};

TEST_F(HistoryStore, EntriesComeBackByUnitNewestFirstWithTheirImages) {
  CHistoryStore store;
  ASSERT_TRUE(store.Open(path_).Ok());
  ASSERT_TRUE(store.Add(Record("SN-A", 100, Filled(1))).Ok());
  ASSERT_TRUE(store.Add(Record("SN-B", 200, Filled(2))).Ok());
  int64_t program = 0;
  ASSERT_TRUE(store.Add(Record("SN-A", 300, Filled(1), Filled(3)), &program).Ok());

  const auto all = store.List();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].id, program);
  EXPECT_EQ(all[0].identity, "SN-A");
  EXPECT_EQ(all[2].time, 100);
  const auto units = store.Units();
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(units[0].identity, "SN-A");  // seen last
  EXPECT_EQ(units[0].entries, 2);
  const auto ofA = store.List(units[0].id);
  ASSERT_EQ(ofA.size(), 2u);
  EXPECT_EQ(ofA[0].heldCrc, ofA[1].heldCrc);  // the same image, found again by its checksum

  const std::optional<HistoryEntry> e = store.Entry(program);
  ASSERT_TRUE(e && e->held && e->given);
  EXPECT_TRUE(std::equal(e->held->begin(), e->held->begin() + RS_LEN_EXE, Filled(1).begin()));
  EXPECT_TRUE(std::equal(e->given->begin(), e->given->begin() + RS_LEN_EXE, Filled(3).begin()));
  EXPECT_EQ(e->row.event, HistoryEvent::Program);
  EXPECT_EQ(e->row.file, "/tmp/a.ign");
  EXPECT_EQ(CountRows(path_, "images"), 3);  // image 1 kept once

  ASSERT_TRUE(store.SetNote(program, "winter tune").Ok());
  EXPECT_EQ(store.Entry(program)->row.note, "winter tune");
  EXPECT_FALSE(store.Entry(program + 100));
}

TEST_F(HistoryStore, PruningDropsTheOldestButNeverAUnitsNewest) {
  CHistoryStore store;
  ASSERT_TRUE(store.Open(path_).Ok());
  HistorySettings settings;
  settings.limit = HistorySettings::kMinimumLimit;
  ASSERT_TRUE(store.SetSettings(settings).Ok());
  // The oldest entry is the only one of its unit.
  ASSERT_TRUE(store.Add(Record("SN-OLD", 1, Filled(99))).Ok());
  for (int i = 0; i < 14; ++i)
    ASSERT_TRUE(store.Add(Record(i % 2 ? "SN-A" : "SN-B", 10 + i, Filled(uint8_t(i)))).Ok());

  const auto all = store.List();
  EXPECT_EQ(all.size(), size_t(HistorySettings::kMinimumLimit));
  EXPECT_EQ(all.back().identity, "SN-OLD");
  EXPECT_EQ(all.front().time, 23);
  // Entries 10 .. 14 went; so did their images, and nothing else.
  EXPECT_EQ(all[all.size() - 2].time, 15);
  EXPECT_EQ(CountRows(path_, "images"), int64_t(HistorySettings::kMinimumLimit));
}

TEST_F(HistoryStore, SettingsAreKeptInTheStore) {
  {
    CHistoryStore store;
    ASSERT_TRUE(store.Open(path_).Ok());
    EXPECT_TRUE(store.Settings().enabled);
    EXPECT_EQ(store.Settings().limit, HistorySettings::kDefaultLimit);
    ASSERT_TRUE(store.SetSettings({false, 500}).Ok());
  }
  CHistoryStore again;
  ASSERT_TRUE(again.Open(path_).Ok());
  EXPECT_FALSE(again.Settings().enabled);
  EXPECT_EQ(again.Settings().limit, 500);
}

// What lies in place of the store: the program starts a new store and keeps
// the old file, byte for byte, beside it.
TEST_F(HistoryStore, ADamagedFileIsMovedAsideAndANewStoreBegun) {
  const struct {
    const char* what;
    std::function<void(const std::string&)> make;
  } cases[] = {
      {"garbage",
       [](const std::string& p) {
         std::ofstream(p, std::ios::binary) << std::string(5000, '\x5a') << "not sqlite";
       }},
      {"a database of another program",
       [](const std::string& p) {
         sqlite3* db = nullptr;
         sqlite3_open(p.c_str(), &db);
         sqlite3_exec(db, "CREATE TABLE t(x); PRAGMA user_version=42;", nullptr, nullptr, nullptr);
         sqlite3_close(db);
       }},
  };
  for (const auto& c : cases) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    c.make(path_);
    const std::string before = ReadBytes(path_);
    CHistoryStore store;
    const StoreStatus opened = store.Open(path_);
    ASSERT_TRUE(opened.Ok()) << c.what << ": " << opened.detail;
    ASSERT_FALSE(opened.movedAside.empty()) << c.what;
    EXPECT_EQ(ReadBytes(opened.movedAside), before) << c.what;
    ASSERT_TRUE(store.Add(Record("SN-A", 1, Filled(1))).Ok()) << c.what;
    EXPECT_EQ(store.List().size(), 1u) << c.what;
  }
}

// Damage found by a write rather than at the start: the entry goes into a
// new store, and the write says where the old one went.
TEST_F(HistoryStore, DamageFoundByAWriteKeepsTheEntry) {
  {
    CHistoryStore store;
    ASSERT_TRUE(store.Open(path_).Ok());
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(store.Add(Record("SN-A", i, Filled(uint8_t(i)))).Ok());
  }
  // Everything after the first page spoilt.
  {
    std::fstream f(path_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4096);
    const std::string junk(60000, '\x77');
    f.write(junk.data(), std::streamsize(junk.size()));
  }
  CHistoryStore store;
  StoreStatus opened = store.Open(path_);
  StoreStatus added = store.Add(Record("SN-A", 99, Filled(200)));
  ASSERT_TRUE(added.Ok()) << added.detail;
  EXPECT_TRUE(!opened.movedAside.empty() || !added.movedAside.empty());
  const auto rows = store.List();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].time, 99);
}

TEST_F(HistoryStore, AFolderThatCannotHoldTheFileFailsWithoutHarm) {
  CHistoryStore store;
  const StoreStatus opened = store.Open(folder_ + "/missing/unit-history.sqlite");
  EXPECT_FALSE(opened.Ok());
  const StoreStatus added = store.Add(Record("SN-A", 1, Filled(1)));
  EXPECT_EQ(added.failure, StoreFailure::NoFolder);
  EXPECT_TRUE(added.movedAside.empty());
}

// The window and ignctl: two connections, each adding in turn; one holding a
// write transaction makes the other fail as busy after its wait, not hang.
TEST_F(HistoryStore, TwoProgramsWriteSideBySide) {
  CHistoryStore window, cli;
  ASSERT_TRUE(window.Open(path_).Ok());
  ASSERT_TRUE(cli.Open(path_).Ok());
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(window.Add(Record("SN-A", 2 * i, Filled(uint8_t(i)))).Ok());
    ASSERT_TRUE(cli.Add(Record("SN-B", 2 * i + 1, Filled(uint8_t(i)))).Ok());
  }
  EXPECT_EQ(window.List().size(), 20u);
  EXPECT_EQ(cli.Units().size(), 2u);

  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path_.c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(cli.Add(Record("SN-B", 100, Filled(1))).failure, StoreFailure::Busy);
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_TRUE(cli.Add(Record("SN-B", 101, Filled(1))).Ok());
  EXPECT_EQ(window.List().size(), 21u);
}

TEST(HistoryImages, PackedImagesComeBackExactlyAndDamageIsRefused) {
  const Image img = Filled(5);
  const std::vector<uint8_t> packed = PackImage(img);
  ASSERT_FALSE(packed.empty());
  EXPECT_LT(packed.size(), size_t(RS_LEN_EXE));
  const std::optional<Image> back = UnpackImage(packed);
  ASSERT_TRUE(back);
  EXPECT_TRUE(std::equal(back->begin(), back->begin() + RS_LEN_EXE, img.begin()));
  std::vector<uint8_t> spoilt = packed;
  spoilt[spoilt.size() / 2] ^= 0xFF;
  EXPECT_FALSE(UnpackImage(spoilt));
  EXPECT_FALSE(UnpackImage({}));
}

}  // namespace
}  // namespace ign
