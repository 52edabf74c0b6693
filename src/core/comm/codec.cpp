#include "core/comm/codec.h"

#include <algorithm>
#include <cstring>

#include "core/base/tick_clock.h"
#include "core/comm/ccom.h"
#include "core/comm/frame_check.h"
#include "core/comm/stream.h"
#include "core/comm/trace.h"

namespace ign {

namespace {
constexpr uint8_t kStart[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB};
constexpr uint16_t kShortAck = 0xFFFF;
constexpr uint16_t kShortNak = 0xFFFE;
}  // namespace

bool IsHeaderFamily(int type) { return type == Proto::Wcom || type == Proto::Wcoms; }
bool IsShortFamily(int type) { return ShortDataLen(type) != 0; }

int ShortDataLen(int type) {
  switch (type) {
    case Proto::Ign50: return 50;
    case Proto::Ign100: return 100;
    case Proto::Ign150: return 150;
    case Proto::Ign300: return 300;
    default: return 0;
  }
}

const char* ProtoName(int type) {
  switch (type) {
    case Proto::Wcom: return "WCOM";
    case Proto::Wcoms: return "WCOMS";
    case Proto::Ign50: return "IGN50";
    case Proto::Ign100: return "IGN100";
    case Proto::Ign150: return "IGN150";
    case Proto::Ign300: return "IGN300";
    default: return "";
  }
}

void CFrameCodec::ClearSend() {
  txLen = 0;
  txRemaining = 0;
  txPos = -1;
}

void CFrameCodec::ArmSend(uint32_t frameLen) {
  txLen = std::min<uint32_t>(frameLen, kFrameBufSize);
  txRemaining = 0;
  txPos = -1;
}

void CFrameCodec::ResetCodec(int newType, int gapLimitMs) {
  position = 0;
  accumulator = 0;
  check = 0;
  lastByteTime = 0;
  kind = CheckKind::Unknown;
  ClearSend();
  const int n = ShortDataLen(newType);
  expectedLen = n ? n + 2 : (IsHeaderFamily(newType) ? Hdr::Overhead : 0);
  type = newType;
  gapLimit = gapLimitMs;
}

void CFrameCodec::SendStep(CCOM& port) {
  if (txPos < 0) {
    txPos = 0;
    txRemaining = int(txLen);
  }
  if (txRemaining <= 0 || !port.TxIdle()) return;
  if (trace) trace->Linef("...sent [0x%02x] (%i)", tx[0], txRemaining);
  const int chunk = std::min(txRemaining, kTxBufSize);
  port.TxPut(tx + txPos, uint32_t(chunk));
  txPos += chunk;
  txRemaining -= chunk;
}

bool CFrameCodec::ReceiveStep(CCOM& port) {
  uint8_t byte = 0;
  while (port.RxGet(byte)) {
    if (stream && stream->live.type.load(std::memory_order_acquire) != 0) {
      if (stream->Feed(byte)) return false;
      continue;
    }
    if (ReceiveByte(byte)) return true;
    if (type == Proto::None) {
      port.RxDiscard();
      return false;
    }
  }
  return false;
}

bool CFrameCodec::ReceiveByte(uint8_t byte) {
  const int64_t now = clock ? clock->Ms() : 0;
  if (now - lastByteTime > gapLimit && position > 0) position = 0;
  lastByteTime = now;
  if (IsShortFamily(type)) return ReceiveShort(byte);
  if (IsHeaderFamily(type)) return ReceiveHeader(byte);
  return false;
}

bool CFrameCodec::ReceiveShort(uint8_t byte) {
  if (position >= expectedLen) position = 0;
  if (position == 0) {
    accumulator = 0xFF;
    if ((byte & 0x80) == 0) return false;  // only the unit's answers start a frame
  }
  accumulator ^= byte;
  rx[position++] = byte;
  if (position < expectedLen) return false;
  if ((accumulator & 0xFF) == 0) {
    position = 0;
    return true;
  }
  NoteBadFrame("check", expectedLen);
  return false;
}

void CFrameCodec::NoteBadFrame(const char* why, int length) {
  ++badFrames;
  if (badFrameTotal) badFrameTotal->fetch_add(1, std::memory_order_acq_rel);
  if (trace)
    trace->Linef("bad frame (%s): %s %i bytes [0x%02x], %u so far", why, ProtoName(type), length, rx[0],
                 unsigned(badFrames));
}

bool CFrameCodec::ReceiveHeader(uint8_t byte) {
  if (position >= kFrameBufSize) position = 0;
  if (position == 0) {
    kind = CheckKind::Unknown;
    expectedLen = Hdr::Overhead;
  }
  rx[position++] = byte;
  if (kind == CheckKind::Crc)
    accumulator = CrcByte(accumulator, byte);
  else if (kind == CheckKind::Sum)
    accumulator = SumByte(accumulator, byte, size_t(position - 1));

  if (position < 8) return false;
  if (position == 8) {
    const uint8_t high = rx[Hdr::Marker] & 0xF0;
    if (std::memcmp(rx, kStart, sizeof kStart) == 0 && high == Hdr::KindCrc) {
      kind = CheckKind::Crc;
      accumulator = CrcByte(kCrcAfterStart, rx[Hdr::Marker]);
    } else if (std::memcmp(rx, kStart, sizeof kStart) == 0 && high == Hdr::KindSum) {
      kind = CheckKind::Sum;
      accumulator = uint16_t(kSumAfterStart + 256 * rx[Hdr::Marker]);
    } else {
      // Hunting for the start: drop the oldest byte.
      std::memmove(rx, rx + 1, 7);
      position = 7;
    }
    return false;
  }
  if (position < 14) return false;
  if (position == 14) {
    const int n = RxWord(Hdr::Length);
    if (n > kMaxHeaderDataRecv) {  // cannot be one of our frames: hunt again
      position = 0;
      NoteBadFrame("length", n + Hdr::Overhead);
      return false;
    }
    expectedLen = n + Hdr::Overhead;
  }
  if (position == expectedLen - 2) check = accumulator;
  if (position < expectedLen) return false;
  position = 0;
  const bool good = kind == CheckKind::Crc ? check == RxWord(expectedLen - 2) : accumulator == 0xFFFF;
  if (!good) {
    NoteBadFrame("check", expectedLen);
    return false;
  }
  RewriteShortReply();
  return true;
}

void CFrameCodec::RewriteShortReply() {
  const uint16_t command = RxWord(Hdr::Command);
  if (command != kShortAck && command != kShortNak) return;
  rx[Hdr::Marker] =
      uint8_t((rx[Hdr::Marker] & 0xF0) | (command == kShortAck ? Hdr::Positive : Hdr::Negative));
  const int n = RxWord(Hdr::Length);
  uint16_t address = 0;
  if (n == 1) address = rx[Hdr::Data];
  if (n == 2) address = RxWord(Hdr::Data);
  rx[Hdr::Command] = rx[Hdr::Address];
  rx[Hdr::Command + 1] = rx[Hdr::Address + 1];
  rx[Hdr::Address] = uint8_t(address & 0xFF);
  rx[Hdr::Address + 1] = uint8_t(address >> 8);
  rx[Hdr::Length] = 0;
  rx[Hdr::Length + 1] = 0;
}

uint32_t CFrameCodec::BuildShortFrame(int n, int commandBase, int block, const uint8_t* data, int key) {
  n = std::clamp(n, 1, kFrameBufSize - 2);
  tx[0] = uint8_t(commandBase + block);
  if (data)
    std::memcpy(tx + 1, data, size_t(n));
  else
    std::memset(tx + 1, 0, size_t(n));
  if (key != 0 && (n == 50 || n == 100 || n == 150)) {
    tx[n] = uint8_t(key & 0xFF);
    if (key >= 256) tx[n - 1] = uint8_t((key >> 8) & 0xFF);
  }
  tx[n + 1] = XorCheck(tx, size_t(n) + 1);
  ArmSend(uint32_t(n + 2));
  return txLen;
}

uint32_t CFrameCodec::BuildHeaderFrame(uint32_t commandAndFlags, int address, int dataLen,
                                       const uint8_t* data) {
  dataLen = std::clamp(dataLen, 0, kMaxHeaderDataSent);
  std::memcpy(tx, kStart, sizeof kStart);
  const bool sum = (commandAndFlags & HdrFlag::SumCheck) != 0;
  uint8_t marker = sum ? Hdr::KindSum : Hdr::KindCrc;
  if (commandAndFlags & HdrFlag::Positive)
    marker |= Hdr::Positive;
  else if (commandAndFlags & HdrFlag::Negative)
    marker |= Hdr::Negative;
  else
    marker |= Hdr::Request;
  tx[Hdr::Marker] = marker;
  tx[Hdr::Command] = uint8_t(commandAndFlags & 0xFF);
  tx[Hdr::Command + 1] = uint8_t((commandAndFlags >> 8) & 0xFF);
  tx[Hdr::Address] = uint8_t(address & 0xFF);
  tx[Hdr::Address + 1] = uint8_t((address >> 8) & 0xFF);
  tx[Hdr::Length] = uint8_t(dataLen & 0xFF);
  tx[Hdr::Length + 1] = uint8_t(dataLen >> 8);
  if (data)
    std::memcpy(tx + Hdr::Data, data, size_t(dataLen));
  else
    std::memset(tx + Hdr::Data, 0, size_t(dataLen));
  const size_t checkAt = size_t(Hdr::Data + dataLen);
  if (sum) {
    PutSumCheck(tx, checkAt);
  } else {
    const uint16_t crc = Crc(tx, checkAt);
    tx[checkAt] = uint8_t(crc & 0xFF);
    tx[checkAt + 1] = uint8_t(crc >> 8);
  }
  ArmSend(uint32_t(checkAt + 2));
  return txLen;
}

}  // namespace ign
