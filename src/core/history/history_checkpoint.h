#pragma once
// Folds the history's write-ahead journal back into its file on a thread of
// its own, so that a write on the GUI thread never waits for the disk to
// take a checkpoint. At most one checkpoint a second; each opens its own
// connection by the file's name, so a file moved aside is never touched.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace ign {

class CHistoryCheckpointer {
 public:
  static constexpr int kPauseMs = 1000;  // between two checkpoints

  explicit CHistoryCheckpointer(std::string path);
  // Waits for a checkpoint under way (one fold of the journal), no longer.
  ~CHistoryCheckpointer();
  CHistoryCheckpointer(const CHistoryCheckpointer&) = delete;
  CHistoryCheckpointer& operator=(const CHistoryCheckpointer&) = delete;

  // Something was written: a checkpoint follows soon.
  void Kick();
  // Checkpoints taken (tests, benchmark).
  int Taken() const;

 private:
  void Run();

  const std::string path_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool kicked_ = false;
  bool stop_ = false;
  int taken_ = 0;
  std::thread thread_;  // last: it starts once everything above is there
};

}  // namespace ign
