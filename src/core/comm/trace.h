#pragma once
// The diagnostic trace log of the communication layers. Off until a file is
// named (IGN_TRACE_FILE or Open); every thread of the link may write to it.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include "core/base/format.h"  // Format, used with the trace lines

namespace ign {

class CTrace {
 public:
  CTrace();
  ~CTrace();
  CTrace(const CTrace&) = delete;
  CTrace& operator=(const CTrace&) = delete;

  bool Open(const std::string& path);  // appends; false when the file cannot be opened
  void Close();
  bool IsOpen() const { return open_.load(std::memory_order_acquire); }

  // One time-stamped line: "hh:mm:ss.ss:   (passes) text".
  void Line(const std::string& text);
  // printf-style convenience for Line.
  void Linef(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Text written as it is (the port open/close/transmit records).
  void Raw(const std::string& text);

  // Passes of the protocol thread, printed in every line.
  std::atomic<int> passes{0};
  // Transmissions traced so far.
  std::atomic<int> txCount{0};

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
  std::atomic<bool> open_{false};
  std::chrono::steady_clock::time_point base_;
  std::time_t baseWall_ = 0;
};

}  // namespace ign
