#pragma once
// File descriptor helpers of the archive store: whole reads and writes that
// survive interrupted calls, and a temporary file beside its target that is
// renamed into place only when everything reached the disk.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ign {

// Reads exactly n bytes at offset; false on an error or a short file.
bool PreadFull(int fd, void* dst, size_t n, uint64_t offset);
// Reads until n bytes or the end; returns the count, or -1 on an error.
ssize_t ReadUpTo(int fd, void* dst, size_t n);
bool WriteFull(int fd, const void* src, size_t n);

// A buffered writer over a descriptor that remembers the first failure.
class FdWriter {
 public:
  explicit FdWriter(int fd) : fd_(fd) {}
  void Write(const void* src, size_t n);
  void Write(std::string_view s) { Write(s.data(), s.size()); }
  void Zeros(size_t n);
  bool Flush();
  bool Ok() const { return ok_; }

 private:
  static constexpr size_t kBuffer = 1 << 20;
  int fd_;
  bool ok_ = true;
  std::vector<char> buf_;
};

// mkstemp beside target; Commit gives it the mode bits, flushes it to disk,
// renames it over target and flushes the folder. Destroying an uncommitted
// one removes the temporary file.
class TempFile {
 public:
  explicit TempFile(const std::string& target);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int Fd() const { return fd_; }
  bool Commit(mode_t mode);

 private:
  std::string target_, name_;
  int fd_ = -1;
};

}  // namespace ign
