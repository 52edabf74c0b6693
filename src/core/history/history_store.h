#pragma once
// The unit history in one SQLite file: units, entries and their images.
// Written by the window and ignctl alike, at the same time if need be (WAL
// mode, a short wait for the other's transaction). Every addition is one
// transaction; a file that is not a sound database is moved aside and a new
// store begun, so nothing but the damaged file is ever lost.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/history/history_checkpoint.h"
#include "core/history/history_types.h"
#include "core/history/sqlite_handle.h"

namespace ign {

class CHistoryStore {
 public:
  // How long a write waits for another program's transaction.
  static constexpr int kBusyWaitMs = 500;

  // Opens (or creates) the store; a damaged or foreign file is moved aside
  // first (StoreStatus::movedAside names where).
  StoreStatus Open(const std::string& path);
  bool IsOpen() const { return db_.IsOpen(); }
  // The journal is folded into the file by a thread of its own instead of by
  // the write that fills it (the window: no write waits for the disk). Call
  // before Open.
  void CheckpointInBackground() { background_ = true; }
  const std::string& Path() const { return path_; }

  // Adds an entry in one transaction, then prunes the oldest entries past
  // the limit of the settings. A store found damaged on the way is moved
  // aside and the entry goes into a new one.
  StoreStatus Add(const HistoryRecord& record, int64_t* id = nullptr);

  // Units by last seen, newest first.
  std::vector<HistoryUnit> Units();
  // Entries newest first, of one unit or of all.
  std::vector<HistoryRow> List(std::optional<int64_t> unitId = std::nullopt);
  std::optional<HistoryEntry> Entry(int64_t id);
  int64_t EntryCount();
  StoreStatus SetNote(int64_t id, const std::string& note);

  HistorySettings Settings();
  StoreStatus SetSettings(const HistorySettings& settings);
  // Deletes the oldest entries past limit, never a unit's newest, and the
  // images no entry uses any more.
  StoreStatus Prune(int limit);

  // The status of the last read (Units, List, Entry): a damaged store
  // found while reading has been moved aside.
  const StoreStatus& LastReadStatus() const { return readStatus_; }

 private:
  StoreStatus OpenOnce();
  StoreStatus CreateSchema();
  StoreStatus MoveAside(const std::string& why);
  StoreStatus Fail(int code);
  StoreStatus AddOnce(const HistoryRecord& record, int64_t* id);
  std::optional<int64_t> StoreImage(const Image& image, int& code);
  int64_t UnitId(const HistoryRecord& record, int& code);
  void NoteRead(int code);

  std::string path_;
  bool background_ = false;
  std::unique_ptr<CHistoryCheckpointer> checkpointer_;  // before the connection: it goes last
  CSqliteDb db_;
  StoreStatus readStatus_;
};

// "unit-history.sqlite" in the settings folder (ends with '/').
std::string HistoryFilePath(const std::string& settingsFolder);

}  // namespace ign
