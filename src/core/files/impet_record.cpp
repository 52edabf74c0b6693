#include "core/files/impet_record.h"

#include <chrono>
#include <cstring>

namespace ign {

namespace {

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
uint32_t Get32(const uint8_t* p) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// Seconds from 1601-01-01 to 1970-01-01, in FILETIME units.
constexpr int64_t kEpochDiff = 116444736000000000LL;
constexpr int64_t kUnitsPerSecond = 10000000LL;

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

}  // namespace

std::array<uint8_t, kImpetRecordSize> EncodeRecord(const IMPET_FILE& r) {
  std::array<uint8_t, kImpetRecordSize> b{};
  const size_t n = std::min(r.name.size(), kImpetNameMax);
  std::memcpy(b.data(), r.name.data(), n);  // the rest of the name field stays 0
  Put32(&b[53], uint32_t(r.offset));
  Put32(&b[57], r.size);
  Put32(&b[61], uint32_t(r.stored));
  Put32(&b[65], uint32_t(r.time));
  Put32(&b[69], uint32_t(r.time >> 32));
  b[73] = uint8_t(r.flags);
  b[74] = uint8_t(r.flags >> 8);
  // 75..78: the former content pointer, always 0.
  return b;
}

bool DecodeRecord(const uint8_t* b, IMPET_FILE& r) {
  const void* nul = std::memchr(b, 0, kImpetNameField);
  if (!nul) return false;
  r.name.assign(reinterpret_cast<const char*>(b), size_t(static_cast<const uint8_t*>(nul) - b));
  r.offset = int32_t(Get32(&b[53]));
  r.size = Get32(&b[57]);
  r.stored = int32_t(Get32(&b[61]));
  r.time = uint64_t(Get32(&b[65])) | (uint64_t(Get32(&b[69])) << 32);
  r.flags = uint16_t(b[73] | (b[74] << 8));
  return true;
}

const std::array<uint8_t, kImpetMarkerSize>& ImpetMarker() {
  static const std::array<uint8_t, kImpetMarkerSize> marker = [] {
    // Every byte passes through a volatile value, so the optimiser cannot
    // fold the 32 bytes into a constant of the program file: a program that
    // carried them at a 256-byte boundary would look like a store.
    static volatile uint8_t salt = 0;
    const char* word = "##IMPET_HEADER##";
    std::array<uint8_t, kImpetMarkerSize> m{};
    size_t i = 0;
    for (; word[i]; ++i) m[i] = uint8_t(word[i] ^ salt);
    for (uint8_t c = 0x21; c <= 0x2E; ++c) m[i++] = uint8_t(c ^ salt);
    m[i++] = uint8_t(':' ^ salt);
    m[i++] = uint8_t('>' ^ salt);
    return m;
  }();
  return marker;
}

uint64_t FileTimeFromPosix(const timespec& t) {
  const int64_t units = int64_t(t.tv_sec) * kUnitsPerSecond + t.tv_nsec / 100 + kEpochDiff;
  return units < 0 ? 0 : uint64_t(units);
}

timespec PosixFromFileTime(uint64_t fileTime) {
  // Times beyond what int64 holds are clamped; before 1970 gives negative seconds.
  const int64_t units = fileTime > uint64_t(INT64_MAX) ? INT64_MAX : int64_t(fileTime);
  const int64_t rel = units - kEpochDiff;
  int64_t sec = rel / kUnitsPerSecond, rem = rel % kUnitsPerSecond;
  if (rem < 0) {
    rem += kUnitsPerSecond;
    --sec;
  }
  timespec t{};
  t.tv_sec = time_t(sec);
  t.tv_nsec = long(rem * 100);
  return t;
}

uint64_t FileTimeNow() {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  timespec t{};
  t.tv_sec = time_t(ns / 1000000000);
  t.tv_nsec = long(ns % 1000000000);
  return FileTimeFromPosix(t);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::string CutName(std::string_view name) { return std::string(name.substr(0, kImpetNameMax)); }

}  // namespace ign
