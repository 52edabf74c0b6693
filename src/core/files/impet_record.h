#pragma once
// The archive store's entry record (IMPET_FILE): 79 little-endian bytes,
// read and written field by field. The 4 bytes that once held a pointer are
// written as 0 and ignored when reading.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace ign {

constexpr size_t kImpetRecordSize = 79;
constexpr size_t kImpetNameField = 53;
constexpr size_t kImpetNameMax = 52;  // longer names are cut
constexpr size_t kImpetMarkerSize = 32;
constexpr uint32_t kImpetFileMax = 0x500000;  // 5 MiB, the largest file entry
constexpr uint16_t kImpetDirFlag = 0x8000;
constexpr uint16_t kImpetCountMask = 0x0FFF;  // at most 4095 children
constexpr uint32_t kImpetDirChunk = 1580;     // 20 records: the child array's growth step
constexpr int kImpetMaxDepth = 64;            // deepest entry below the root

// One record as it stands in the file. The name holds Windows-1250 bytes.
struct IMPET_FILE {
  std::string name;
  int32_t offset = 0;  // content offset from the root record's first byte
  uint32_t size = 0;   // file: uncompressed length; directory: child array capacity
  int32_t stored = 0;  // file: compressed length, 0 = stored plain
  uint64_t time = 0;   // FILETIME: 100 ns units since 1601-01-01 UTC
  uint16_t flags = 0;  // bit 15 directory, bits 0..11 child count

  bool IsDir() const { return (flags & kImpetDirFlag) != 0; }
  unsigned Count() const { return flags & kImpetCountMask; }
};

// Writes the record; a name longer than 52 bytes is cut.
std::array<uint8_t, kImpetRecordSize> EncodeRecord(const IMPET_FILE& r);
// Reads the record; false when the name has no NUL within its 53 bytes.
bool DecodeRecord(const uint8_t* bytes, IMPET_FILE& r);

// The 32 bytes that introduce a store, assembled at run time so that no
// program file carries them as a constant.
const std::array<uint8_t, kImpetMarkerSize>& ImpetMarker();

// FILETIME <-> POSIX time, both ways in one place; sub-100 ns parts are dropped.
uint64_t FileTimeFromPosix(const timespec& t);
timespec PosixFromFileTime(uint64_t fileTime);
uint64_t FileTimeNow();

// Names compare without regard to ASCII case; other bytes compare as they are.
bool SameName(std::string_view a, std::string_view b);
// The name cut to what a record holds.
std::string CutName(std::string_view name);

}  // namespace ign
