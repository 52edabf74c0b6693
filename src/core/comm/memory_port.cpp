#include "core/comm/memory_port.h"

#include <cerrno>

namespace ign {

namespace {

class MemoryDevice : public ISerialDevice {
 public:
  explicit MemoryDevice(std::shared_ptr<MemoryLine> line) : line_(std::move(line)) {}
  ~MemoryDevice() override { PurgeAndClose(); }
  OpenResult Open(const std::string&, int baud) override {
    PurgeAndClose();
    if (!line_) return OpenResult::Failed(ENOENT);
    const int error = line_->NearOpen(baud);
    opened_ = error == 0;
    return OpenResult{error};
  }
  int Waiting() override { return opened_ ? line_->NearWaiting() : -1; }
  int Read(uint8_t* buf, int n) override { return opened_ ? line_->NearRead(buf, n) : -1; }
  int Write(const uint8_t* buf, int n) override {
    lastError_ = EBADF;
    return opened_ ? line_->NearWrite(buf, n, lastError_) : -1;
  }
  int LastError() const override { return lastError_; }
  void PurgeAndClose() override {
    if (opened_) line_->NearClose();
    opened_ = false;
  }

 private:
  std::shared_ptr<MemoryLine> line_;
  bool opened_ = false;
  int lastError_ = 0;
};

}  // namespace

std::vector<uint8_t> MemoryLine::TakeSent() {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> out;
  out.swap(fromHost_);
  return out;
}

void MemoryLine::Answer(const std::vector<uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  toHost_.insert(toHost_.end(), bytes.begin(), bytes.end());
}

void MemoryLine::Fail() {
  std::lock_guard lock(mutex_);
  failed_ = true;
}

void MemoryLine::SetOpenable(bool openable) { SetOpenError(openable ? 0 : ENODEV); }

void MemoryLine::SetOpenError(int error) {
  std::lock_guard lock(mutex_);
  openError_ = error;
}

void MemoryLine::SetWriteLimit(int bytes) {
  std::lock_guard lock(mutex_);
  writeLimit_ = bytes;
}

void MemoryLine::SetEcho(bool echo) {
  std::lock_guard lock(mutex_);
  echo_ = echo;
}

void MemoryLine::SetOpenHangs(bool hangs) {
  {
    std::lock_guard lock(mutex_);
    openHangs_ = hangs;
  }
  released_.notify_all();
}

bool MemoryLine::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

int MemoryLine::OpenCount() const {
  std::lock_guard lock(mutex_);
  return openCount_;
}

int MemoryLine::LastBaud() const {
  std::lock_guard lock(mutex_);
  return baud_;
}

int MemoryLine::NearOpen(int baud) {
  std::unique_lock lock(mutex_);
  released_.wait(lock, [&] { return !openHangs_; });
  if (openError_ != 0) return openError_;
  if (failed_) return EIO;
  if (open_) return EBUSY;
  open_ = true;
  ++openCount_;
  baud_ = baud;
  toHost_.clear();
  return 0;
}

int MemoryLine::NearWaiting() {
  std::lock_guard lock(mutex_);
  return failed_ ? -1 : int(toHost_.size());
}

int MemoryLine::NearRead(uint8_t* buf, int n) {
  std::lock_guard lock(mutex_);
  if (failed_) return -1;
  int count = 0;
  while (count < n && !toHost_.empty()) {
    buf[count++] = toHost_.front();
    toHost_.pop_front();
  }
  return count;
}

int MemoryLine::NearWrite(const uint8_t* buf, int n, int& error) {
  std::lock_guard lock(mutex_);
  error = 0;
  if (failed_) {
    error = EIO;
    return -1;
  }
  if (writeLimit_ >= 0 && n > writeLimit_) {
    n = writeLimit_;
    error = EAGAIN;
  }
  fromHost_.insert(fromHost_.end(), buf, buf + n);
  if (echo_) toHost_.insert(toHost_.end(), buf, buf + n);
  return n;
}

void MemoryLine::NearClose() {
  std::lock_guard lock(mutex_);
  open_ = false;
  toHost_.clear();
}

std::shared_ptr<MemoryLine> MemoryPortSystem::Line(int port) {
  std::lock_guard lock(mutex_);
  auto& line = lines_[port];
  if (!line) line = std::make_shared<MemoryLine>();
  if (port >= 0 && port < 256) present_[port] = true;
  return line;
}

void MemoryPortSystem::SetPresent(int port, bool present) {
  std::lock_guard lock(mutex_);
  if (port >= 0 && port < 256) present_[port] = present;
}

void MemoryPortSystem::SetListFails(bool fails) {
  std::lock_guard lock(mutex_);
  listFails_ = fails;
}

bool MemoryPortSystem::List(PortPresence& present) {
  std::lock_guard lock(mutex_);
  if (listFails_) return false;
  present = present_;
  return true;
}

std::string MemoryPortSystem::DevicePath(int port) { return "mem:COM" + std::to_string(port); }

std::unique_ptr<ISerialDevice> MemoryPortSystem::MakeDevice(int port) {
  std::lock_guard lock(mutex_);
  auto it = lines_.find(port);
  return std::make_unique<MemoryDevice>(it == lines_.end() ? nullptr : it->second);
}

}  // namespace ign
