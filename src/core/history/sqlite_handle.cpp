#include "core/history/sqlite_handle.h"

#include <sqlite3.h>

namespace ign {

CSqliteDb::~CSqliteDb() { Close(); }

int CSqliteDb::Open(const std::string& path) {
  Close();
  const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) Close();
  return rc;
}

void CSqliteDb::Close() {
  // Statements are owned by their holders and finalized before the
  // connection goes, so close_v2 frees it at once.
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

int CSqliteDb::Exec(const char* sql) {
  if (!db_) return SQLITE_MISUSE;
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

std::string CSqliteDb::LastError() const { return db_ ? sqlite3_errmsg(db_) : "no database"; }
int64_t CSqliteDb::LastInsertId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }
int CSqliteDb::Changes() const { return db_ ? sqlite3_changes(db_) : 0; }

CSqliteStatement::CSqliteStatement(CSqliteDb& db, const char* sql) {
  prepared_ = db.Handle() ? sqlite3_prepare_v2(db.Handle(), sql, -1, &stmt_, nullptr) : SQLITE_MISUSE;
  if (prepared_ != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

CSqliteStatement::~CSqliteStatement() { sqlite3_finalize(stmt_); }

void CSqliteStatement::Bind(int at, int64_t value) {
  if (stmt_) sqlite3_bind_int64(stmt_, at, value);
}

void CSqliteStatement::Bind(int at, std::string_view text) {
  if (stmt_) sqlite3_bind_text(stmt_, at, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void CSqliteStatement::BindBlob(int at, std::span<const uint8_t> bytes) {
  if (stmt_) sqlite3_bind_blob(stmt_, at, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
}

void CSqliteStatement::BindNull(int at) {
  if (stmt_) sqlite3_bind_null(stmt_, at);
}

void CSqliteStatement::BindOptional(int at, std::optional<int64_t> value) {
  if (value)
    Bind(at, *value);
  else
    BindNull(at);
}

int CSqliteStatement::Step() { return stmt_ ? sqlite3_step(stmt_) : prepared_; }

void CSqliteStatement::Reset() {
  if (!stmt_) return;
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int64_t CSqliteStatement::Int(int column) const { return stmt_ ? sqlite3_column_int64(stmt_, column) : 0; }

bool CSqliteStatement::IsNull(int column) const {
  return !stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string CSqliteStatement::Text(int column) const {
  if (!stmt_) return {};
  const unsigned char* t = sqlite3_column_text(stmt_, column);
  return t ? std::string(reinterpret_cast<const char*>(t), size_t(sqlite3_column_bytes(stmt_, column)))
           : std::string();
}

std::vector<uint8_t> CSqliteStatement::Blob(int column) const {
  if (!stmt_) return {};
  const auto* b = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
  return b ? std::vector<uint8_t>(b, b + sqlite3_column_bytes(stmt_, column)) : std::vector<uint8_t>();
}

bool IsDamagedCode(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool IsBusyCode(int code) {
  const int primary = code & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

}  // namespace ign
