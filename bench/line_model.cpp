#include "bench/line_model.h"

#include <algorithm>

#include "core/comm/codec.h"
#include "core/params/image.h"

namespace ign::bench {

namespace {
constexpr int kHeaderRangeLen = 150;
constexpr int kMonitorLen = 150;
constexpr int kHeaderRequestRead = Hdr::Overhead + 2;  // a read request carries the 2-byte length
constexpr int kHeaderAck = Hdr::Overhead + 2;          // the short reply carries the address
// The simulated unit's identification: "IGNSIM", its NUL, frame length, hardware id and key.
constexpr int kHeaderIdentData = 7 + 3 * 2;

// Block lengths of a job over [0, length) with every address marked.
template <typename Fn>
void Blocks(const FamilyInfo& f, int length, Fn fn) {
  const int b = IsShortFamily(f.type) ? ShortDataLen(f.type) : f.headerData;
  for (int a = 0; a < length; a += b) fn(IsShortFamily(f.type) ? b : std::min(b, length - a));
}
}  // namespace

LineCost ReadCost(const FamilyInfo& f, int length) {
  LineCost c;
  Blocks(f, length, [&](int n) {
    const long req = IsShortFamily(f.type) ? n + 2 : kHeaderRequestRead;
    const long ans = IsShortFamily(f.type) ? n + 2 : Hdr::Overhead + n;
    c.bytes += req + ans, c.answerBytes += ans, ++c.frames;
  });
  return c;
}

LineCost WriteCost(const FamilyInfo& f, int length) {
  LineCost c;
  Blocks(f, length, [&](int n) {
    const long req = IsShortFamily(f.type) ? n + 2 : Hdr::Overhead + n;
    const long ans = IsShortFamily(f.type) ? n + 2 : kHeaderAck;
    c.bytes += req + ans, c.answerBytes += ans, ++c.frames;
  });
  return c;
}

LineCost MonitorCost(const FamilyInfo& f) {
  LineCost c;
  Blocks(f, kMonitorLen, [&](int n) {
    const long len = IsShortFamily(f.type) ? n + 2 : Hdr::Overhead + n;
    c.bytes += 2 * len, c.answerBytes += len, ++c.frames;
  });
  return c;
}

double LineMs(const FamilyInfo& f, long bytes) { return double(bytes) * 10.0 * 1000.0 / f.baud; }

LineCost ReadOpCost(const FamilyInfo& f) {
  LineCost c = ReadCost(f, RS_LEN_EXE);
  c += ReadCost(f, RS_LEN_EXE);
  return c;
}

LineCost VerifyOpCost(const FamilyInfo& f) { return ReadCost(f, RS_LEN_EXE); }

// The header read: on the short families one block, however short (the
// command byte of a header read carries no block number).
LineCost HeaderCost(const FamilyInfo& f) {
  return ReadCost(f,
                  IsShortFamily(f.type) ? std::min(kHeaderRangeLen, ShortDataLen(f.type)) : kHeaderRangeLen);
}

LineCost ProgramOpCost(const FamilyInfo& f) {
  LineCost c = HeaderCost(f);
  c += HeaderCost(f);
  c += WriteCost(f, RS_LEN_EXE);
  c += ReadCost(f, RS_LEN_EXE);
  return c;
}

LineCost CheckOpCost(const FamilyInfo& f) {
  LineCost c = HeaderCost(f);
  c += HeaderCost(f);
  c += MonitorCost(f);
  c += ReadCost(f, RS_LEN_EXE);
  c += ReadCost(f, RS_LEN_EXE);
  return c;
}

LineCost ProbeCost(const FamilyInfo& f) {
  LineCost c;
  const long probe = IsShortFamily(f.type) ? ShortDataLen(f.type) + 2 : Hdr::Overhead;
  const long answer = IsShortFamily(f.type) ? probe : Hdr::Overhead + kHeaderIdentData;
  c.bytes = probe + answer, c.answerBytes = answer, c.frames = 1;
  return c;
}

}  // namespace ign::bench
