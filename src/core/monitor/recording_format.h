#pragma once
// The recording file (.ignlog): a header of 12256 + 2n bytes followed by the
// record data. All numbers little-endian, text in Windows-1250.
//
// Header: 0 u16 header length; 2 byte 0; 4 u32 start (seconds since 1970,
// UTC); 8 4 x u32 operating system (major, minor, patch, platform); 24 four
// screens of 4 x i16 (left, width, top, height); 56 u32 reserved; 60 i16 key;
// 62 identification text, NUL-terminated; 248 u32 data size; 252 i16 initial
// records; 254 i16 records; 256 6000 x u16 low halves of the record offsets;
// 12256 n x u16 high halves.
//
// Record: 0 u16 length (with these 8 bytes); 2 byte type; 3 byte 0; 4 u32
// milliseconds since the start; 8 the payload.
#include <array>
#include <cstdint>
#include <string>

namespace ign {

namespace Rec {
constexpr int kHeaderBase = 12256;    // header length without the high halves
constexpr int kHeaderBuffer = 24256;  // header length with 6000 high halves
constexpr int kMaxRecords = 6000;
constexpr uint32_t kMaxData = 2000000;
constexpr int kRecordHead = 8;

constexpr int kOffLength = 0, kOffStart = 4, kOffOs = 8, kOffScreens = 24, kOffReserved = 56, kOffKey = 60,
              kOffIdent = 62, kOffDataSize = 248, kOffInitial = 252, kOffCount = 254, kOffLow = 256;
constexpr int kIdentMax = kOffDataSize - kOffIdent;  // with its NUL

// Record types and their lengths.
enum Type : uint8_t { UnitInfo = 1, EditedImage = 2, UnitImage = 3, Monitor = 4, View = 5 };
constexpr int kUnitInfoLen = 84, kImageLen = 1058, kMonitorLen = 158, kViewLen = 112;
// The length a record of this type must have; 0 for a type the player skips.
int LengthOfType(int type);

// Platform codes of the operating-system field (never read back).
constexpr uint32_t kPlatformLinux = 100, kPlatformOtherUnix = 101;
}  // namespace Rec

struct RecordedScreen {
  int16_t left = 0, width = 0, top = 0, height = 0;
};

struct RecordingHeader {
  uint32_t startTime = 0;  // seconds since 1970, UTC
  std::array<uint32_t, 4> os{};
  std::array<RecordedScreen, 4> screens{};
  uint32_t reserved = 0;
  int key = 108;
  std::string ident;  // UTF-8 in the program, Windows-1250 in the file
};

// The running system's release numbers and our platform code.
std::array<uint32_t, 4> OsVersionFields();
// "QUNTAR6   RSKEY=108.00   COMPILE=<buildDate>".
std::string ProgramIdentification(const std::string& buildDate);

// The page and the sheet each map editor shows (payload of a type-5 record).
struct ViewRecord {
  uint8_t page = 0;
  std::array<uint8_t, 50> editorIds{};
  std::array<uint8_t, 50> sheets{};
  bool operator==(const ViewRecord&) const = default;
};

inline void PutU16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  PutU16(p, v & 0xFFFF);
  PutU16(p + 2, v >> 16);
}
inline uint16_t GetU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) { return GetU16(p) | (uint32_t(GetU16(p + 2)) << 16); }

}  // namespace ign
