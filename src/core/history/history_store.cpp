#include "core/history/history_store.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/history/history_images.h"

namespace ign {

namespace {

constexpr int kSchemaVersion = 1;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS units(id INTEGER PRIMARY KEY, identity TEXT NOT NULL UNIQUE,"
    " name TEXT NOT NULL, last_seen INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS images(id INTEGER PRIMARY KEY, crc INTEGER NOT NULL, data BLOB NOT NULL);"
    "CREATE INDEX IF NOT EXISTS images_by_crc ON images(crc);"
    "CREATE TABLE IF NOT EXISTS entries(id INTEGER PRIMARY KEY, unit INTEGER NOT NULL REFERENCES units(id),"
    " time INTEGER NOT NULL, event INTEGER NOT NULL, result INTEGER NOT NULL, name TEXT NOT NULL,"
    " version TEXT NOT NULL, owner TEXT NOT NULL, file TEXT NOT NULL, changed INTEGER NOT NULL,"
    " held INTEGER REFERENCES images(id), given INTEGER REFERENCES images(id), held_crc INTEGER,"
    " given_crc INTEGER, note TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS entries_by_unit ON entries(unit, id);"
    "CREATE INDEX IF NOT EXISTS entries_by_held ON entries(held);"
    "CREATE INDEX IF NOT EXISTS entries_by_given ON entries(given);";

constexpr const char* kRowColumns =
    "e.id, e.unit, u.identity, e.time, e.event, e.result, e.name, e.version, e.owner, e.file, e.note,"
    " e.changed, e.held_crc, e.given_crc";
// A list leaves out what only an entry's own view shows (its version and owner texts).
constexpr const char* kListColumns =
    "e.id, e.unit, u.identity, e.time, e.event, e.result, e.name, NULL, NULL, e.file, e.note,"
    " e.changed, e.held_crc, e.given_crc";
// The checksums ride in the entry, so a list reads no image.
constexpr const char* kRowJoins = " FROM entries e JOIN units u ON u.id = e.unit";
constexpr const char* kImageJoins =
    " LEFT JOIN images hi ON hi.id = e.held LEFT JOIN images gi ON gi.id = e.given";

HistoryRow ReadRow(const CSqliteStatement& s) {
  HistoryRow r;
  r.id = s.Int(0);
  r.unitId = s.Int(1);
  r.identity = s.Text(2);
  r.time = s.Int(3);
  r.event = HistoryEvent(s.Int(4));
  r.result = HistoryResult(s.Int(5));
  r.unitName = s.Text(6);
  r.version = s.Text(7);
  r.owner = s.Text(8);
  r.file = s.Text(9);
  r.note = s.Text(10);
  r.changed = int(s.Int(11));
  if (!s.IsNull(12)) r.heldCrc = uint32_t(s.Int(12));
  if (!s.IsNull(13)) r.givenCrc = uint32_t(s.Int(13));
  return r;
}

StoreFailure FailureOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return StoreFailure::None;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return StoreFailure::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return StoreFailure::Busy;
    case SQLITE_FULL: return StoreFailure::Full;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return StoreFailure::ReadOnly;
    case SQLITE_CANTOPEN: return StoreFailure::NoFolder;
    default: return StoreFailure::Other;
  }
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// A name beside the file that nothing holds yet: "<file>.damaged-YYYYMMDD-HHMMSS[-n]".
std::string AsideName(const std::string& path) {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  std::string name = path + ".damaged-" + stamp;
  for (int n = 2; Exists(name); ++n) name = path + ".damaged-" + stamp + "-" + std::to_string(n);
  return name;
}

}  // namespace

std::string HistoryFilePath(const std::string& settingsFolder) {
  return settingsFolder + "unit-history.sqlite";
}

StoreStatus CHistoryStore::Open(const std::string& path) {
  path_ = path;
  StoreStatus s = OpenOnce();
  if (s.failure != StoreFailure::Damaged) return s;
  // Moved aside: the new store must open now.
  StoreStatus again = OpenOnce();
  again.movedAside = s.movedAside;
  return again;
}

StoreStatus CHistoryStore::OpenOnce() {
  db_.Close();
  if (const int rc = db_.Open(path_); rc != SQLITE_OK) return {FailureOf(rc), sqlite3_errstr(rc), {}};
  sqlite3_busy_timeout(db_.Handle(), kBusyWaitMs);
  // The first read of the file: a file that is no database says so here.
  int version = -1;
  int tables = -1;
  {
    CSqliteStatement v(db_, "PRAGMA user_version");
    const int rc = v.Step();
    if (rc != SQLITE_ROW) return Fail(rc);
    version = int(v.Int(0));
    CSqliteStatement t(db_, "SELECT count(*) FROM sqlite_master");
    const int rt = t.Step();
    if (rt != SQLITE_ROW) return Fail(rt);
    tables = int(t.Int(0));
  }
  if (version != kSchemaVersion && !(version == 0 && tables == 0))
    return MoveAside("not a unit history of this program (version " + std::to_string(version) + ")");
  if (const int rc = db_.Exec("PRAGMA journal_mode=WAL"); rc != SQLITE_OK) return Fail(rc);
  // A crash may lose the last transaction, never the ones before it.
  db_.Exec("PRAGMA synchronous=NORMAL");
  db_.Exec("PRAGMA foreign_keys=ON");
  if (background_) {
    db_.Exec("PRAGMA wal_autocheckpoint=0");
    if (!checkpointer_) checkpointer_ = std::make_unique<CHistoryCheckpointer>(path_);
  }
  return version == 0 ? CreateSchema() : StoreStatus{};
}

StoreStatus CHistoryStore::CreateSchema() {
  if (int rc = db_.Exec("BEGIN IMMEDIATE"); rc != SQLITE_OK) return Fail(rc);
  int rc = db_.Exec(kSchema);
  if (rc == SQLITE_OK) rc = db_.Exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
  if (rc == SQLITE_OK) rc = db_.Exec("COMMIT");
  if (rc != SQLITE_OK) {
    db_.Exec("ROLLBACK");
    return Fail(rc);
  }
  return {};
}

StoreStatus CHistoryStore::Fail(int code) {
  StoreStatus s{FailureOf(code), db_.IsOpen() ? db_.LastError() : sqlite3_errstr(code), {}};
  if (s.failure == StoreFailure::Damaged) return MoveAside(s.detail);
  return s;
}

StoreStatus CHistoryStore::MoveAside(const std::string& why) {
  db_.Close();
  StoreStatus s{StoreFailure::Damaged, why, AsideName(path_)};
  if (std::rename(path_.c_str(), s.movedAside.c_str()) != 0) {
    s.failure = StoreFailure::ReadOnly;
    s.movedAside.clear();
    return s;
  }
  // The journal files belong to the damaged file: they go with it.
  for (const char* suffix : {"-wal", "-shm"})
    if (Exists(path_ + suffix)) std::rename((path_ + suffix).c_str(), (s.movedAside + suffix).c_str());
  return s;
}

StoreStatus CHistoryStore::Add(const HistoryRecord& record, int64_t* id) {
  if (!IsOpen()) {
    StoreStatus opened = Open(path_);
    if (!opened.Ok()) return opened;
    if (!opened.movedAside.empty()) {
      StoreStatus s = AddOnce(record, id);
      s.movedAside = opened.movedAside;
      return s;
    }
  }
  StoreStatus s = AddOnce(record, id);
  if (s.failure != StoreFailure::Damaged || s.movedAside.empty()) return s;
  StoreStatus opened = OpenOnce();
  if (!opened.Ok()) {
    opened.movedAside = s.movedAside;
    return opened;
  }
  StoreStatus again = AddOnce(record, id);
  again.movedAside = s.movedAside;
  return again;
}

StoreStatus CHistoryStore::AddOnce(const HistoryRecord& r, int64_t* id) {
  if (int rc = db_.Exec("BEGIN IMMEDIATE"); rc != SQLITE_OK) return Fail(rc);
  int code = SQLITE_OK;
  const int64_t unit = UnitId(r, code);
  std::optional<int64_t> held, given;
  if (code == SQLITE_OK && r.held) held = StoreImage(*r.held, code);
  if (code == SQLITE_OK && r.given) given = StoreImage(*r.given, code);
  if (code == SQLITE_OK) {
    CSqliteStatement s(db_,
                       "INSERT INTO entries(unit, time, event, result, name, version, owner, file, changed,"
                       " held, given, held_crc, given_crc, note) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    s.Bind(1, unit);
    s.Bind(2, r.time);
    s.Bind(3, int64_t(r.event));
    s.Bind(4, int64_t(r.result));
    s.Bind(5, r.unitName);
    s.Bind(6, r.version);
    s.Bind(7, r.owner);
    s.Bind(8, r.file);
    s.Bind(9, int64_t(r.changed));
    s.BindOptional(10, held);
    s.BindOptional(11, given);
    if (r.held) s.Bind(12, int64_t(ImageChecksum(*r.held)));
    if (r.given) s.Bind(13, int64_t(ImageChecksum(*r.given)));
    s.Bind(14, r.note);
    code = s.Step();
    if (code == SQLITE_DONE) {
      code = SQLITE_OK;
      if (id) *id = db_.LastInsertId();
    }
  }
  if (code == SQLITE_OK) {
    const StoreStatus pruned = Prune(Settings().limit);
    if (!pruned.Ok()) {
      db_.Exec("ROLLBACK");
      return pruned;
    }
    code = db_.Exec("COMMIT");
  }
  if (code != SQLITE_OK) {
    db_.Exec("ROLLBACK");
    return Fail(code);
  }
  if (checkpointer_) checkpointer_->Kick();
  return {};
}

int64_t CHistoryStore::UnitId(const HistoryRecord& r, int& code) {
  CSqliteStatement up(db_,
                      "INSERT INTO units(identity, name, last_seen) VALUES(?,?,?) ON CONFLICT(identity)"
                      " DO UPDATE SET name = excluded.name, last_seen = max(last_seen, excluded.last_seen)");
  up.Bind(1, r.identity);
  up.Bind(2, r.unitName);
  up.Bind(3, r.time);
  code = up.Step();
  if (code != SQLITE_DONE) return 0;
  CSqliteStatement get(db_, "SELECT id FROM units WHERE identity = ?");
  get.Bind(1, r.identity);
  code = get.Step();
  if (code != SQLITE_ROW) return 0;
  code = SQLITE_OK;
  return get.Int(0);
}

std::optional<int64_t> CHistoryStore::StoreImage(const Image& image, int& code) {
  const uint32_t crc = ImageChecksum(image);
  CSqliteStatement find(db_, "SELECT id, data FROM images WHERE crc = ?");
  find.Bind(1, int64_t(crc));
  while ((code = find.Step()) == SQLITE_ROW) {
    const std::optional<Image> kept = UnpackImage(find.Blob(1));
    if (kept && std::equal(kept->begin(), kept->begin() + RS_LEN_EXE, image.begin())) {
      code = SQLITE_OK;
      return find.Int(0);
    }
  }
  if (code != SQLITE_DONE) return std::nullopt;
  CSqliteStatement add(db_, "INSERT INTO images(crc, data) VALUES(?, ?)");
  add.Bind(1, int64_t(crc));
  add.BindBlob(2, PackImage(image));
  code = add.Step();
  if (code != SQLITE_DONE) return std::nullopt;
  code = SQLITE_OK;
  return db_.LastInsertId();
}

StoreStatus CHistoryStore::Prune(int limit) {
  CSqliteStatement count(db_, "SELECT count(*) FROM entries");
  int code = count.Step();
  if (code != SQLITE_ROW) return Fail(code);
  const int64_t excess = count.Int(0) - std::max(limit, HistorySettings::kMinimumLimit);
  if (excess <= 0) return {};
  // The oldest entries that have a newer one of their unit.
  std::vector<int64_t> victims, images;
  {
    CSqliteStatement pick(
        db_,
        "SELECT e.id, e.held, e.given FROM entries e WHERE EXISTS"
        " (SELECT 1 FROM entries n WHERE n.unit = e.unit AND n.id > e.id) ORDER BY e.id LIMIT ?");
    pick.Bind(1, excess);
    while ((code = pick.Step()) == SQLITE_ROW) {
      victims.push_back(pick.Int(0));
      for (int column : {1, 2})
        if (!pick.IsNull(column)) images.push_back(pick.Int(column));
    }
    if (code != SQLITE_DONE) return Fail(code);
  }
  CSqliteStatement drop(db_, "DELETE FROM entries WHERE id = ?");
  for (int64_t id : victims) {
    drop.Bind(1, id);
    if ((code = drop.Step()) != SQLITE_DONE) return Fail(code);
    drop.Reset();
  }
  // Their images, unless another entry still uses them.
  std::sort(images.begin(), images.end());
  images.erase(std::unique(images.begin(), images.end()), images.end());
  CSqliteStatement orphan(
      db_,
      "DELETE FROM images WHERE id = ?1 AND NOT EXISTS (SELECT 1 FROM entries WHERE held = ?1)"
      " AND NOT EXISTS (SELECT 1 FROM entries WHERE given = ?1)");
  for (int64_t id : images) {
    orphan.Bind(1, id);
    if ((code = orphan.Step()) != SQLITE_DONE) return Fail(code);
    orphan.Reset();
  }
  return {};
}

void CHistoryStore::NoteRead(int code) {
  readStatus_ = (code == SQLITE_DONE || code == SQLITE_ROW || code == SQLITE_OK) ? StoreStatus{} : Fail(code);
  // A damaged store has been moved aside: the reader goes on with a new one.
  if (!readStatus_.movedAside.empty()) {
    const std::string aside = readStatus_.movedAside;
    readStatus_ = OpenOnce();
    readStatus_.movedAside = aside;
  }
}

std::vector<HistoryUnit> CHistoryStore::Units() {
  std::vector<HistoryUnit> out;
  CSqliteStatement s(
      db_,
      "SELECT u.id, u.identity, u.name, u.last_seen, count(e.id) FROM units u"
      " LEFT JOIN entries e ON e.unit = u.id GROUP BY u.id ORDER BY u.last_seen DESC, u.id DESC");
  int code;
  while ((code = s.Step()) == SQLITE_ROW)
    out.push_back({s.Int(0), s.Text(1), s.Text(2), s.Int(3), int(s.Int(4))});
  NoteRead(code);
  return out;
}

std::vector<HistoryRow> CHistoryStore::List(std::optional<int64_t> unitId) {
  std::vector<HistoryRow> out;
  const std::string sql = std::string("SELECT ") + kListColumns + kRowJoins +
                          (unitId ? " WHERE e.unit = ?" : "") + " ORDER BY e.id DESC";
  CSqliteStatement s(db_, sql.c_str());
  if (unitId) s.Bind(1, *unitId);
  int code;
  while ((code = s.Step()) == SQLITE_ROW) out.push_back(ReadRow(s));
  NoteRead(code);
  return out;
}

std::optional<HistoryEntry> CHistoryStore::Entry(int64_t id) {
  const std::string sql = std::string("SELECT ") + kRowColumns + ", hi.data, gi.data" + kRowJoins +
                          kImageJoins + " WHERE e.id = ?";
  CSqliteStatement s(db_, sql.c_str());
  s.Bind(1, id);
  const int code = s.Step();
  if (code != SQLITE_ROW) {
    NoteRead(code);
    return std::nullopt;
  }
  HistoryEntry e;
  e.row = ReadRow(s);
  if (!s.IsNull(14)) e.held = UnpackImage(s.Blob(14));
  if (!s.IsNull(15)) e.given = UnpackImage(s.Blob(15));
  NoteRead(SQLITE_OK);
  return e;
}

int64_t CHistoryStore::EntryCount() {
  CSqliteStatement s(db_, "SELECT count(*) FROM entries");
  const int code = s.Step();
  NoteRead(code);
  return code == SQLITE_ROW ? s.Int(0) : 0;
}

StoreStatus CHistoryStore::SetNote(int64_t id, const std::string& note) {
  CSqliteStatement s(db_, "UPDATE entries SET note = ? WHERE id = ?");
  s.Bind(1, note);
  s.Bind(2, id);
  const int code = s.Step();
  return code == SQLITE_DONE ? StoreStatus{} : Fail(code);
}

HistorySettings CHistoryStore::Settings() {
  HistorySettings settings;
  CSqliteStatement s(db_, "SELECT key, value FROM meta WHERE key IN ('enabled', 'limit')");
  while (s.Step() == SQLITE_ROW) {
    const std::string key = s.Text(0);
    const std::string value = s.Text(1);
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (end == value.c_str() || *end) continue;  // a value nobody wrote: the default
    if (key == "enabled") settings.enabled = n != 0;
    if (key == "limit") settings.limit = int(std::max<long>(n, HistorySettings::kMinimumLimit));
  }
  return settings;
}

StoreStatus CHistoryStore::SetSettings(const HistorySettings& settings) {
  CSqliteStatement s(db_, "INSERT OR REPLACE INTO meta(key, value) VALUES('enabled', ?), ('limit', ?)");
  s.Bind(1, std::string(settings.enabled ? "1" : "0"));
  s.Bind(2, std::to_string(std::max(settings.limit, HistorySettings::kMinimumLimit)));
  const int code = s.Step();
  return code == SQLITE_DONE ? StoreStatus{} : Fail(code);
}

}  // namespace ign
