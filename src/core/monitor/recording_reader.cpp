#include "core/monitor/recording_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "core/comm/comm_const.h"
#include "core/text/codepage.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

RecordingLoad Fail(RecordingError e, std::string detail) {
  RecordingLoad l;
  l.error = e;
  l.detail = std::move(detail);
  return l;
}

std::string N(long v) { return std::to_string(v); }

}  // namespace

std::span<const uint8_t> Recording::Payload(int i) const {
  const RecordEntry& e = records[size_t(i)];
  return std::span<const uint8_t>(data.data() + e.offset + Rec::kRecordHead, e.length - Rec::kRecordHead);
}

int Recording::CountOfType(int type) const {
  int n = 0;
  for (const RecordEntry& e : records) n += e.type == type;
  return n;
}

RecordingLoad ParseRecording(std::span<const uint8_t> b) {
  const size_t size = b.size();
  if (size < size_t(Rec::kHeaderBase))
    return Fail(RecordingError::Truncated, "file of " + N(long(size)) + " bytes");
  const uint8_t* h = b.data();
  const int headerLength = GetU16(h + Rec::kOffLength);
  const int count = int16_t(GetU16(h + Rec::kOffCount));
  const int initial = int16_t(GetU16(h + Rec::kOffInitial));
  if (headerLength != Rec::kHeaderBase && headerLength != Rec::kHeaderBase + 2 * count)
    return Fail(RecordingError::HeaderLength,
                "header length " + N(headerLength) + " for " + N(count) + " records");
  if (size < size_t(headerLength))
    return Fail(RecordingError::Truncated,
                "file of " + N(long(size)) + " bytes, header of " + N(headerLength));
  const int key = int16_t(GetU16(h + Rec::kOffKey));
  if (key != kProgramKey) return Fail(RecordingError::Key, N(key));
  if (count < 1 || count > Rec::kMaxRecords || initial < 1 || initial > count)
    return Fail(RecordingError::Counts, N(initial) + " initial of " + N(count) + " records");
  const uint32_t dataSize = GetU32(h + Rec::kOffDataSize);
  if (uint64_t(dataSize) != size - size_t(headerLength) || dataSize > Rec::kMaxData)
    return Fail(RecordingError::DataSize,
                "data size " + N(long(dataSize)) + ", file data " + N(long(size - size_t(headerLength))));

  Recording rec;
  rec.headerLength = headerLength;
  rec.initialCount = initial;
  RecordingHeader& hd = rec.header;
  hd.startTime = GetU32(h + Rec::kOffStart);
  for (int i = 0; i < 4; ++i) hd.os[size_t(i)] = GetU32(h + Rec::kOffOs + 4 * i);
  for (int s = 0; s < 4; ++s) {
    const uint8_t* p = h + Rec::kOffScreens + 8 * s;
    hd.screens[size_t(s)] = {int16_t(GetU16(p)), int16_t(GetU16(p + 2)), int16_t(GetU16(p + 4)),
                             int16_t(GetU16(p + 6))};
  }
  hd.reserved = GetU32(h + Rec::kOffReserved);
  hd.key = key;
  const char* ident = reinterpret_cast<const char*>(h + Rec::kOffIdent);
  hd.ident = Cp1250ToUtf8(std::string_view(ident, strnlen(ident, Rec::kIdentMax)));

  // Offsets: the low halves, and the high halves when the header has them;
  // a file without them counts a wrap of the low half as 64 KiB more.
  const bool high = headerLength > Rec::kHeaderBase;
  uint32_t wraps = 0, lastLow = 0;
  rec.records.resize(size_t(count));
  for (int i = 0; i < count; ++i) {
    const uint32_t low = GetU16(h + Rec::kOffLow + 2 * i);
    if (i > 0 && low < lastLow) ++wraps;
    lastLow = low;
    uint32_t hi = high ? GetU16(h + Rec::kHeaderBase + 2 * i) : 0;
    if (hi == 0) hi = wraps;
    RecordEntry& e = rec.records[size_t(i)];
    e.offset = (hi << 16) | low;
    if (uint64_t(e.offset) + Rec::kRecordHead > dataSize)
      return Fail(RecordingError::Offset,
                  "record " + N(i) + " at " + N(long(e.offset)) + " of " + N(long(dataSize)));
    const uint8_t* p = h + headerLength + e.offset;
    e.length = GetU16(p);
    e.type = p[2];
    e.timeMs = GetU32(p + 4);
    if (e.length < Rec::kRecordHead || uint64_t(e.offset) + e.length > dataSize)
      return Fail(RecordingError::RecordLength, "record " + N(i) + " of " + N(e.length) + " bytes");
    const int want = Rec::LengthOfType(e.type);
    if (want != 0 && e.length != want)
      return Fail(RecordingError::RecordLength,
                  "record " + N(i) + " of type " + N(e.type) + ": " + N(e.length) + " bytes, not " + N(want));
  }
  rec.data.assign(h + headerLength, h + size);
  RecordingLoad l;
  l.recording = std::move(rec);
  return l;
}

RecordingLoad ReadRecording(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return Fail(RecordingError::Open, std::strerror(errno));
  const std::streamoff size = in.tellg();
  // Far above any recording the recorder writes; a larger file is not one.
  constexpr std::streamoff kLargest = Rec::kHeaderBuffer + std::streamoff(Rec::kMaxData);
  if (size < 0) return Fail(RecordingError::Open, "read error");
  if (size > kLargest) return Fail(RecordingError::DataSize, "file of " + N(long(size)) + " bytes");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return Fail(RecordingError::Open, "read error");
  return ParseRecording(bytes);
}

std::string RecordingErrorMessage(const RecordingLoad& load) {
  char buf[512];
  switch (load.error) {
    case RecordingError::None: return {};
    case RecordingError::Key:
      std::snprintf(buf, sizeof buf, "RS keys are not equal (%i!=%i)", std::atoi(load.detail.c_str()),
                    kProgramKey);
      return buf;
    case RecordingError::Open:
      std::snprintf(buf, sizeof buf, "%s (%s)",
                    LngStr("###The recording cannot be read.##Die Aufzeichnung kann nicht gelesen werden."
                           "##Záznam nelze přečíst."),
                    load.detail.c_str());
      return buf;
    case RecordingError::Truncated:
      std::snprintf(
          buf, sizeof buf, "%s (%s)",
          LngStr("###The recording is truncated.##Die Aufzeichnung ist unvollständig.##Záznam je neúplný."),
          load.detail.c_str());
      return buf;
    default:
      std::snprintf(
          buf, sizeof buf, "%s (%s)",
          LngStr("###The recording is damaged or not a recording of this program.##Die Aufzeichnung ist "
                 "beschädigt oder stammt nicht von diesem Programm.##Záznam je poškozený nebo nepochází z "
                 "tohoto programu."),
          load.detail.c_str());
      return buf;
  }
}

}  // namespace ign
