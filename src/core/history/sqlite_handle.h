#pragma once
// Small owners of the SQLite C interface: a connection and a prepared
// statement, each closed by its destructor, and the few calls the history
// store makes through them. Failures come back as SQLite result codes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ign {

class CSqliteDb {
 public:
  CSqliteDb() = default;
  ~CSqliteDb();
  CSqliteDb(const CSqliteDb&) = delete;
  CSqliteDb& operator=(const CSqliteDb&) = delete;

  // Opens (and creates) the file for reading and writing; the result code.
  int Open(const std::string& path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* Handle() const { return db_; }

  // Runs statements without results; the result code.
  int Exec(const char* sql);
  // The text of the last failure.
  std::string LastError() const;
  int64_t LastInsertId() const;
  int Changes() const;

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement. Bind positions count from 1, columns from 0.
class CSqliteStatement {
 public:
  CSqliteStatement(CSqliteDb& db, const char* sql);
  ~CSqliteStatement();
  CSqliteStatement(const CSqliteStatement&) = delete;
  CSqliteStatement& operator=(const CSqliteStatement&) = delete;

  // The result code of preparing it (SQLITE_OK when it can run).
  int Prepared() const { return prepared_; }

  void Bind(int at, int64_t value);
  void Bind(int at, std::string_view text);
  void BindBlob(int at, std::span<const uint8_t> bytes);
  void BindNull(int at);
  void BindOptional(int at, std::optional<int64_t> value);

  // SQLITE_ROW, SQLITE_DONE or a failure code.
  int Step();
  // Ready to run again with new bindings.
  void Reset();

  int64_t Int(int column) const;
  bool IsNull(int column) const;
  std::string Text(int column) const;
  std::vector<uint8_t> Blob(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepared_ = 0;
};

// A failure that says the file is not a sound database.
bool IsDamagedCode(int code);
// A failure that says the disk, the folder or another program is in the way.
bool IsBusyCode(int code);

}  // namespace ign
