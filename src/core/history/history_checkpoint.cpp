#include "core/history/history_checkpoint.h"

#include <sqlite3.h>

#include <chrono>

#include "core/history/sqlite_handle.h"

namespace ign {

CHistoryCheckpointer::CHistoryCheckpointer(std::string path)
    : path_(std::move(path)), thread_([this] { Run(); }) {}

CHistoryCheckpointer::~CHistoryCheckpointer() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void CHistoryCheckpointer::Kick() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    kicked_ = true;
  }
  wake_.notify_all();
}

int CHistoryCheckpointer::Taken() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return taken_;
}

void CHistoryCheckpointer::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return kicked_ || stop_; });
    if (stop_) return;
    kicked_ = false;
    lock.unlock();
    {
      // A passive checkpoint waits for nobody and nobody waits for it.
      CSqliteDb db;
      if (db.Open(path_) == SQLITE_OK) db.Exec("PRAGMA wal_checkpoint(PASSIVE)");
    }
    lock.lock();
    ++taken_;
    wake_.wait_for(lock, std::chrono::milliseconds(kPauseMs), [this] { return stop_; });
  }
}

}  // namespace ign
