#pragma once
// The frame codec: builds a request frame of either family, hands it to a port
// in transmit-buffer chunks, and takes the answer byte by byte out of the
// port's receive ring until a whole frame with a correct check is in.
#include <atomic>
#include <cstdint>

#include "core/comm/comm_const.h"

namespace ign {

struct CCOM;
class CTickClock;
class CTrace;
struct StreamShare;

namespace Proto {
constexpr int None = 0;
constexpr int Wcom = 1;   // header frame, CRC check
constexpr int Wcoms = 2;  // header frame, sum check
constexpr int Ign50 = 3050;
constexpr int Ign100 = 3100;
constexpr int Ign150 = 3150;
constexpr int Ign300 = 3300;
}  // namespace Proto

bool IsHeaderFamily(int type);
bool IsShortFamily(int type);
// Data bytes of a short frame (50, 100, 150, 300); 0 for other types.
int ShortDataLen(int type);
const char* ProtoName(int type);

// Header frame layout.
namespace Hdr {
constexpr int Marker = 7;
constexpr int Command = 8;
constexpr int Address = 10;
constexpr int Length = 12;
constexpr int Data = 14;
constexpr int Overhead = 16;
constexpr uint8_t KindCrc = 0xB0;
constexpr uint8_t KindSum = 0xF0;
constexpr uint8_t Request = 0x0B;
constexpr uint8_t Positive = 0x0C;
constexpr uint8_t Negative = 0x0D;
}  // namespace Hdr

// Flags for BuildHeaderFrame's command word argument (above the 16-bit word).
namespace HdrFlag {
constexpr uint32_t SumCheck = 0x10000;
constexpr uint32_t Positive = 0x20000;
constexpr uint32_t Negative = 0x40000;
}  // namespace HdrFlag

enum class CheckKind : int { Crc = 0, Sum = 1, Unknown = 255 };

struct CFrameCodec {
  int type = Proto::None;
  uint16_t accumulator = 0;
  uint16_t check = 0;
  int64_t lastByteTime = 0;
  int64_t gapLimit = 0;
  int expectedLen = 0;
  int position = 0;
  CheckKind kind = CheckKind::Unknown;
  uint8_t rx[kFrameBufSize] = {};
  uint32_t txLen = 0;
  uint8_t tx[kFrameBufSize] = {};
  int txRemaining = 0;
  int txPos = -1;  // -1: unset, the next SendStep starts at the frame's first byte

  // Where the optional collaborators live; both may be null.
  CTrace* trace = nullptr;
  StreamShare* stream = nullptr;
  // The clock that times the gaps between bytes; none: no gap ends a frame.
  const CTickClock* clock = nullptr;
  uint32_t badFrames = 0;  // frames dropped for a wrong check or an impossible length
  // Where each bad frame is also counted for other threads to read; may be null.
  std::atomic<int>* badFrameTotal = nullptr;

  void ResetCodec(int type, int gapLimitMs);
  void ClearSend();
  // Arms the frame in tx to go out from its first byte.
  void ArmSend(uint32_t frameLen);
  bool SendDone() const { return txPos >= 0 && txRemaining == 0; }
  void SendStep(CCOM& port);
  bool ReceiveStep(CCOM& port);
  // Feeds one byte through the frame rules; true when it completed a frame.
  bool ReceiveByte(uint8_t byte);

  // Builds a short frame into tx and returns its length (N + 2).
  uint32_t BuildShortFrame(int n, int commandBase, int block, const uint8_t* data, int key);
  // Builds a header frame into tx and returns its length (16 + data length).
  uint32_t BuildHeaderFrame(uint32_t commandAndFlags, int address, int dataLen, const uint8_t* data);

  // The received header frame's fields (valid after ReceiveStep returned true).
  uint16_t RxWord(int offset) const { return uint16_t(rx[offset] | (rx[offset + 1] << 8)); }
  int RxFrameLen() const { return expectedLen; }

 private:
  bool ReceiveShort(uint8_t byte);
  bool ReceiveHeader(uint8_t byte);
  void RewriteShortReply();
  // Counts a dropped frame and writes one trace line about it.
  void NoteBadFrame(const char* why, int length);
};

}  // namespace ign
