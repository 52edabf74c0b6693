#include "core/comm/trace.h"

#include <cstdarg>
#include <ctime>

namespace ign {

CTrace::CTrace() {
  // Fractions of a second come from the steady clock, counted from a wall-clock
  // second boundary, so they line up with the printed seconds without a wait.
  const auto wallNow = std::chrono::system_clock::now();
  const auto whole = std::chrono::floor<std::chrono::seconds>(wallNow);
  base_ = std::chrono::steady_clock::now() - (wallNow - whole);
  baseWall_ = std::chrono::system_clock::to_time_t(whole);
}

CTrace::~CTrace() { Close(); }

bool CTrace::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "a");
  open_.store(file_ != nullptr, std::memory_order_release);
  return file_ != nullptr;
}

void CTrace::Close() {
  std::lock_guard lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = nullptr;
  open_.store(false, std::memory_order_release);
}

void CTrace::Line(const std::string& text) {
  if (!IsOpen()) return;
  const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - base_).count();
  const std::time_t wall = baseWall_ + std::time_t(secs);
  std::tm local{};
  localtime_r(&wall, &local);
  const double inMinute = local.tm_sec + (secs - double(std::time_t(secs)));
  std::lock_guard lock(mutex_);
  if (!file_) return;
  std::fprintf(file_, "%02i:%02i:%05.2f:   (%i) %s\n", local.tm_hour, local.tm_min, inMinute,
               passes.load(std::memory_order_relaxed), text.c_str());
  std::fflush(file_);
}

void CTrace::Linef(const char* format, ...) {
  if (!IsOpen()) return;
  char buf[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  Line(buf);
}

void CTrace::Raw(const std::string& text) {
  if (!IsOpen()) return;
  std::lock_guard lock(mutex_);
  if (!file_) return;
  std::fputs(text.c_str(), file_);
  std::fflush(file_);
}

}  // namespace ign
