#include "core/files/impet_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ign {

bool PreadFull(int fd, void* dst, size_t n, uint64_t offset) {
  auto* p = static_cast<char*>(dst);
  while (n > 0) {
    const ssize_t r = ::pread(fd, p, n, off_t(offset));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    p += r;
    n -= size_t(r);
    offset += uint64_t(r);
  }
  return true;
}

ssize_t ReadUpTo(int fd, void* dst, size_t n) {
  auto* p = static_cast<char*>(dst);
  size_t done = 0;
  while (done < n) {
    const ssize_t r = ::read(fd, p + done, n - done);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    done += size_t(r);
  }
  return ssize_t(done);
}

bool WriteFull(int fd, const void* src, size_t n) {
  const auto* p = static_cast<const char*>(src);
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= size_t(w);
  }
  return true;
}

void FdWriter::Write(const void* src, size_t n) {
  if (!ok_) return;
  if (buf_.size() + n > kBuffer && !Flush()) return;
  if (n >= kBuffer) {
    ok_ = WriteFull(fd_, src, n);
    return;
  }
  const auto* p = static_cast<const char*>(src);
  buf_.insert(buf_.end(), p, p + n);
}

void FdWriter::Zeros(size_t n) {
  static const char zeros[256] = {};
  while (n > 0 && ok_) {
    const size_t k = n < sizeof zeros ? n : sizeof zeros;
    Write(zeros, k);
    n -= k;
  }
}

bool FdWriter::Flush() {
  if (ok_ && !buf_.empty()) ok_ = WriteFull(fd_, buf_.data(), buf_.size());
  buf_.clear();
  return ok_;
}

TempFile::TempFile(const std::string& target) : target_(target) {
  std::string pattern = target + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ >= 0) name_ = pattern;
}

TempFile::~TempFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!name_.empty()) ::unlink(name_.c_str());
}

bool TempFile::Commit(mode_t mode) {
  if (fd_ < 0) return false;
  bool ok = ::fchmod(fd_, mode & 07777) == 0;
  ok = ok && ::fsync(fd_) == 0;
  ok = (::close(fd_) == 0) && ok;
  fd_ = -1;
  if (!ok || ::rename(name_.c_str(), target_.c_str()) != 0) return false;
  name_.clear();
  // The rename itself reaches the disk with the folder.
  const size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target_.substr(0, slash);
  const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

}  // namespace ign
