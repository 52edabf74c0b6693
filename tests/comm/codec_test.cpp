// The frame codec: checks, frame building and the receive rules of both families.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/comm/ccom.h"
#include "core/comm/codec.h"
#include "core/comm/frame_check.h"
#include "core/comm/stream.h"
#include "core/comm/trace.h"
#include "tests/comm/test_clock.h"

namespace ign {
namespace {

using Bytes = std::vector<uint8_t>;

// Feeds bytes through a port's ring, the way the I/O thread does, and runs
// ReceiveStep until the bytes are used up. Returns the frames delivered.
struct RingFeeder {
  CCOM com;
  std::vector<Bytes> Feed(CFrameCodec& codec, const Bytes& bytes) {
    std::vector<Bytes> frames;
    size_t at = 0;
    while (at < bytes.size() || com.RxCount() > 0) {
      while (at < bytes.size() && com.RxCount() < kRxRingSize - 1) {
        const uint32_t w = com.rxWrite.load();
        com.rxRing[w] = bytes[at++];
        com.rxWrite.store(w + 1 == kRxRingSize ? 0 : w + 1);
      }
      while (codec.ReceiveStep(com)) frames.emplace_back(codec.rx, codec.rx + codec.RxFrameLen());
    }
    return frames;
  }
};

Bytes Sent(const CFrameCodec& codec) { return Bytes(codec.tx, codec.tx + codec.txLen); }

// A unit's answer of the short family: command byte with bit 7 set, N data bytes, check.
Bytes ShortAnswer(int n, uint8_t command, uint8_t fill) {
  Bytes f(size_t(n) + 2, fill);
  f[0] = command;
  f[size_t(n) + 1] = XorCheck(f.data(), size_t(n) + 1);
  return f;
}

// A header frame built by hand, independent of the codec's builder.
Bytes HeaderFrame(bool sum, uint8_t marker, uint16_t word, uint16_t address, const Bytes& data) {
  Bytes f = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, uint8_t((sum ? 0xF0 : 0xB0) | marker)};
  for (uint16_t v : {word, address, uint16_t(data.size())}) {
    f.push_back(uint8_t(v & 0xFF));
    f.push_back(uint8_t(v >> 8));
  }
  f.insert(f.end(), data.begin(), data.end());
  f.resize(f.size() + 2);
  const size_t at = f.size() - 2;
  if (sum) {
    PutSumCheck(f.data(), at);
  } else {
    const uint16_t c = Crc(f.data(), at);
    f[at] = uint8_t(c & 0xFF);
    f[at + 1] = uint8_t(c >> 8);
  }
  return f;
}

TEST(FrameCheck, CrcRegisterAfterFixedStartIsB797) {
  const uint8_t start[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB};
  EXPECT_EQ(Crc(start, sizeof start), 0xB797);
}

TEST(FrameCheck, CrcShiftsBitsInLeastSignificantFirst) {
  // From register 1, one byte 0x01: the register shifts left eight times and
  // takes the byte's bit 0 first, so it ends as 0x0180 with no overflow.
  EXPECT_EQ(CrcByte(1, 0x01), 0x0180);
  // A register with bit 15 set folds in the polynomial on the first shift:
  // 0x8000 becomes 0x1083, and seven zero bits shift it on, folding whenever
  // bit 15 falls out (the fourth shift moves bit 12 out).
  uint16_t expected = 0x1083;
  for (int i = 0; i < 7; ++i) expected = uint16_t((expected << 1) ^ ((expected & 0x8000) ? 0x1083 : 0));
  EXPECT_EQ(CrcByte(0x8000, 0x00), expected);
}

TEST(FrameCheck, SumAfterHeaderIs5B5EPlusMarker) {
  for (uint8_t marker : {0x00, 0xBB, 0xFB, 0xFC}) {
    const uint8_t header[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, marker};
    EXPECT_EQ(WordSum(header, sizeof header), uint16_t(0x5B5E + 256 * marker)) << int(marker);
  }
}

TEST(FrameCheck, SumCheckMakesWholeFrameFFFFForEvenAndOddLengths) {
  for (size_t n : {0u, 1u, 2u, 3u, 31u, 32u}) {
    Bytes f(14 + n + 2, 0);
    for (size_t i = 0; i < 14 + n; ++i) f[i] = uint8_t(i * 37 + 11);
    PutSumCheck(f.data(), 14 + n);
    EXPECT_EQ(WordSum(f.data(), f.size()), 0xFFFF) << "n=" << n;
  }
}

TEST(FrameCheck, OddSumFrameCarriesCheckHighByteFirst) {
  Bytes f = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xFB, 0x10, 0x70, 0, 0, 1, 0, 0x42, 0, 0};
  const uint16_t s = WordSum(f.data(), 15);
  PutSumCheck(f.data(), 15);
  EXPECT_EQ(f[15], uint8_t(~(s >> 8)));
  EXPECT_EQ(f[16], uint8_t(~s));
}

TEST(Codec, ShortRequestCarriesKeyAtOffsetNAndCheckAfter) {
  struct Case {
    int type;
    int key;
    int keyLowAt;   // -1: no key
    int keyHighAt;  // -1: no high byte
  };
  const Case cases[] = {
      {Proto::Ign150, 108, 150, -1},     {Proto::Ign50, 108, 50, -1},  {Proto::Ign100, 108, 100, -1},
      {Proto::Ign150, 0x1234, 150, 149}, {Proto::Ign300, 108, -1, -1}, {Proto::Ign150, 0, -1, -1},
  };
  for (const Case& c : cases) {
    CFrameCodec codec;
    const int n = ShortDataLen(c.type);
    std::vector<uint8_t> data(size_t(n), 0x11);
    codec.BuildShortFrame(n, 0x30, 2, data.data(), c.type == Proto::Ign300 ? 0 : c.key);
    const Bytes f = Sent(codec);
    ASSERT_EQ(f.size(), size_t(n) + 2);
    EXPECT_EQ(f[0], 0x32);
    EXPECT_EQ(f[size_t(n)], c.keyLowAt < 0 ? 0x11 : uint8_t(c.key & 0xFF)) << c.type;
    EXPECT_EQ(f[size_t(n) - 1], c.keyHighAt < 0 ? 0x11 : uint8_t(c.key >> 8)) << c.type;
    EXPECT_EQ(XorCheck(f.data(), f.size()), 0) << "0xFF xor all bytes is 0";
  }
  // The probe of the preferred protocol, byte for byte at its ends.
  CFrameCodec probe;
  probe.BuildShortFrame(150, 0x30, 0, nullptr, 108);
  EXPECT_EQ(probe.tx[150], 0x6C);
  EXPECT_EQ(probe.tx[151], uint8_t(0xFF ^ 0x30 ^ 0x6C));
}

TEST(Codec, HeaderRequestsMatchHandBuiltFrames) {
  const Bytes data = {1, 2, 3, 4, 5};
  for (bool sum : {false, true}) {
    CFrameCodec codec;
    codec.BuildHeaderFrame(0x7020 | (sum ? HdrFlag::SumCheck : 0), 0x0123, int(data.size()), data.data());
    EXPECT_EQ(Sent(codec), HeaderFrame(sum, 0x0B, 0x7020, 0x0123, data)) << "sum=" << sum;
  }
  CFrameCodec big;
  Bytes lots(600, 7);
  EXPECT_EQ(big.BuildHeaderFrame(0x7020, 0, 600, lots.data()), 16u + 512u) << "data cut to 512 bytes";
}

TEST(Codec, ShortAnswerDeliveredWhole) {
  CFrameCodec codec;
  codec.ResetCodec(Proto::Ign150, 175);
  RingFeeder ring;
  const Bytes answer = ShortAnswer(150, 0xC1, 0x5A);
  const auto frames = ring.Feed(codec, answer);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], answer);
}

TEST(Codec, ShortAnswerWithWrongCheckNeverDeliveredAndNextFrameStartsClean) {
  CFrameCodec codec;
  codec.ResetCodec(Proto::Ign50, 125);
  RingFeeder ring;
  Bytes bad = ShortAnswer(50, 0xC1, 0x01);
  bad[51] ^= 0x40;
  const Bytes good = ShortAnswer(50, 0xC2, 0x02);
  EXPECT_TRUE(ring.Feed(codec, bad).empty());
  // Bytes with bit 7 clear between frames are skipped.
  const auto frames = ring.Feed(codec, Bytes{0x00, 0x30, 0x7F});
  EXPECT_TRUE(frames.empty());
  const auto after = ring.Feed(codec, good);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0], good);
  EXPECT_EQ(codec.badFrames, 1u);
}

TEST(Codec, GapLongerThanLimitDropsPartialShortFrame) {
  CFrameCodec codec;
  codec.clock = &test::Clock();
  codec.ResetCodec(Proto::Ign50, 125);
  RingFeeder ring;
  const Bytes answer = ShortAnswer(50, 0xB0, 0x33);
  // Half a frame, a pause longer than the gap limit, then a whole frame.
  ring.Feed(codec, Bytes(answer.begin(), answer.begin() + 20));
  test::AdvanceMs(200);
  const auto frames = ring.Feed(codec, answer);
  ASSERT_EQ(frames.size(), 1u) << "without the gap limit the halves would run together";
  EXPECT_EQ(frames[0], answer);
}

TEST(Codec, GapWithinLimitKeepsPartialFrame) {
  CFrameCodec codec;
  codec.clock = &test::Clock();
  codec.ResetCodec(Proto::Ign50, 125);
  RingFeeder ring;
  const Bytes answer = ShortAnswer(50, 0xB0, 0x33);
  ring.Feed(codec, Bytes(answer.begin(), answer.begin() + 20));
  test::AdvanceMs(100);
  const auto frames = ring.Feed(codec, Bytes(answer.begin() + 20, answer.end()));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], answer);
}

TEST(Codec, HeaderFamilyResynchronisesAfterNoise) {
  const Bytes data = {9, 8, 7};
  for (bool sum : {false, true}) {
    CFrameCodec codec;
    codec.ResetCodec(sum ? Proto::Wcoms : Proto::Wcom, 75);
    RingFeeder ring;
    const Bytes frame = HeaderFrame(sum, 0x0C, 0x7010, 0x20, data);
    // Noise that looks like a start: partial FF runs and a false A5 5A.
    Bytes input = {0x00, 0xFF, 0xFF, 0xA5, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0x00, 0x13};
    input.insert(input.end(), frame.begin(), frame.end());
    const auto frames = ring.Feed(codec, input);
    ASSERT_EQ(frames.size(), 1u) << "sum=" << sum;
    EXPECT_EQ(frames[0], frame);
  }
}

TEST(Codec, HeaderFrameWithWrongCheckNotDelivered) {
  for (bool sum : {false, true}) {
    CFrameCodec codec;
    codec.ResetCodec(sum ? Proto::Wcoms : Proto::Wcom, 75);
    RingFeeder ring;
    Bytes frame = HeaderFrame(sum, 0x0C, 0x7010, 0x20, {1, 2, 3, 4});
    Bytes spoiled = frame;
    spoiled[15] ^= 0x01;  // a data byte
    EXPECT_TRUE(ring.Feed(codec, spoiled).empty()) << "sum=" << sum;
    EXPECT_EQ(ring.Feed(codec, frame).size(), 1u) << "sum=" << sum;
  }
}

TEST(Codec, OddLengthSumFrameChecksCorrectly) {
  CFrameCodec codec;
  codec.ResetCodec(Proto::Wcoms, 125);
  RingFeeder ring;
  const Bytes frame = HeaderFrame(true, 0x0C, 0x7010, 0, {0xAA, 0xBB, 0xCC});
  ASSERT_EQ(frame.size() % 2, 1u);
  EXPECT_EQ(ring.Feed(codec, frame).size(), 1u);
}

TEST(Codec, ShortReplyIsRewritten) {
  struct Case {
    uint16_t word;
    Bytes data;
    uint8_t marker;
    uint16_t address;
  };
  const Case cases[] = {
      {0xFFFF, {0x34, 0x12}, 0x0C, 0x1234},  // positive, 16-bit data word
      {0xFFFF, {0x56}, 0x0C, 0x0056},        // positive, one data byte
      {0xFFFE, {}, 0x0D, 0x0000},            // negative, no data
  };
  for (const Case& c : cases) {
    for (bool sum : {false, true}) {
      CFrameCodec codec;
      codec.ResetCodec(sum ? Proto::Wcoms : Proto::Wcom, 75);
      RingFeeder ring;
      const auto frames = ring.Feed(codec, HeaderFrame(sum, 0x0C, c.word, 0x7020, c.data));
      ASSERT_EQ(frames.size(), 1u);
      EXPECT_EQ(codec.rx[Hdr::Marker] & 0x0F, c.marker);
      EXPECT_EQ(codec.RxWord(Hdr::Command), 0x7020) << "the command word is the received address field";
      EXPECT_EQ(codec.RxWord(Hdr::Address), c.address);
      EXPECT_EQ(codec.RxWord(Hdr::Length), 0);
    }
  }
}

TEST(Codec, HeaderLengthBeyondReceiveLimitIsDroppedNotBuffered) {
  CFrameCodec codec;
  codec.ResetCodec(Proto::Wcom, 75);
  RingFeeder ring;
  Bytes junk = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBC, 0x10, 0x70, 0, 0, 0xFF, 0xFF};
  const Bytes good = HeaderFrame(false, 0x0C, 0x7010, 0, {1});
  junk.insert(junk.end(), good.begin(), good.end());
  const auto frames = ring.Feed(codec, junk);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0], good);
}

TEST(Codec, TypeNoneDiscardsInput) {
  CFrameCodec codec;
  codec.ResetCodec(Proto::None, 0);
  RingFeeder ring;
  EXPECT_TRUE(ring.Feed(codec, ShortAnswer(150, 0xB0, 0)).empty());
  EXPECT_EQ(ring.com.RxCount(), 0u);
}

TEST(Codec, SendStepCutsLongFramesIntoTransmitBufferChunks) {
  CFrameCodec codec;
  CCOM com;
  Bytes data(400, 0x5C);
  codec.BuildHeaderFrame(0x7020, 0, 400, data.data());
  ASSERT_EQ(codec.txLen, 416u);
  Bytes out;
  int chunks = 0;
  for (int i = 0; i < 10 && !codec.SendDone(); ++i) {
    codec.SendStep(com);
    if (com.txLen.load() != 0) {
      out.insert(out.end(), com.txBuf, com.txBuf + com.txLen.load());
      ++chunks;
      codec.SendStep(com);  // busy: nothing may be overwritten
      com.txLen.store(0);   // the I/O thread wrote it
    }
  }
  EXPECT_EQ(chunks, 2);
  EXPECT_EQ(out, Sent(codec));
}

TEST(Codec, StreamBytesBypassFramesAndCompleteIntoHandOver) {
  StreamShare share;
  CFrameCodec codec;
  codec.ResetCodec(Proto::Ign150, 175);
  codec.stream = &share;
  const Bytes samples = {0x10, 0x20, 0x30, 0x81, 0x05};
  uint8_t x = 0, s = 0;
  for (uint8_t b : samples) x ^= b, s = uint8_t(s + b);
  share.Announce(1, uint16_t(samples.size()), x, s, 3);
  RingFeeder ring;
  Bytes input = samples;
  const Bytes answer = ShortAnswer(150, 0xB0, 1);
  input.insert(input.end(), answer.begin(), answer.end());
  const auto frames = ring.Feed(codec, input);
  ASSERT_EQ(frames.size(), 1u) << "the frame after the stream is still found";
  uint8_t type = 0, further = 0;
  uint16_t length = 0;
  std::vector<uint8_t> got(kStreamBufSize);
  ASSERT_TRUE(share.Take(type, length, further, got.data()));
  EXPECT_EQ(type, 1);
  EXPECT_EQ(further, 3);
  EXPECT_EQ(Bytes(got.begin(), got.begin() + length), samples);
  EXPECT_EQ(share.stepMask.load(), 1);
}

TEST(Codec, DamagedStreamIsDroppedAndSlowsTheSteps) {
  StreamShare share;
  for (int expectedMask : {3, 7, 7}) {
    share.Announce(2, 4, 0x00, 0x00, 0);
    CFrameCodec codec;
    codec.ResetCodec(Proto::Ign150, 175);
    codec.stream = &share;
    RingFeeder ring;
    ring.Feed(codec, Bytes{1, 2, 3, 4});
    EXPECT_EQ(share.stepMask.load(), expectedMask);
    EXPECT_EQ(share.completed.type.load(), 0);
    EXPECT_EQ(share.live.type.load(), 0);
  }
}

TEST(Codec, CompletedStreamNotOverwrittenBeforeTaken) {
  StreamShare share;
  CFrameCodec codec;
  codec.ResetCodec(Proto::Ign150, 175);
  codec.stream = &share;
  RingFeeder ring;
  share.Announce(1, 2, 0x01 ^ 0x02, 0x03, 0);
  ring.Feed(codec, Bytes{1, 2});
  share.Announce(2, 2, 0x05 ^ 0x06, 0x0B, 0);
  ring.Feed(codec, Bytes{5, 6});
  EXPECT_EQ(share.overrun.load(), 1u);
  uint8_t type = 0, further = 0;
  uint16_t length = 0;
  std::vector<uint8_t> got(kStreamBufSize);
  ASSERT_TRUE(share.Take(type, length, further, got.data()));
  EXPECT_EQ(type, 1);
  EXPECT_EQ(got[0], 1);
}

// Every dropped frame is counted where other threads can read it and leaves
// exactly one trace line that says why; the good frame after it still comes.
TEST(Codec, BadFrameCountedAndTracedOnce) {
  struct Case {
    const char* what;
    int type;
    Bytes bad;
    Bytes good;
    const char* traced;
  };
  Bytes shortBad = ShortAnswer(50, 0xC1, 0x01);
  shortBad[51] ^= 0x40;
  Bytes crcBad = HeaderFrame(false, 0x0C, 0x7010, 0, {1, 2});
  crcBad[14] ^= 0x01;
  Bytes sumBad = HeaderFrame(true, 0x0C, 0x7010, 0, {1, 2, 3});
  sumBad[15] ^= 0x80;
  Bytes tooLong = HeaderFrame(false, 0x0C, 0x7010, 0, {});
  tooLong[12] = 0xD0;  // 2000 data bytes: more than any of our frames carries
  tooLong[13] = 0x07;
  const Bytes headerGood = HeaderFrame(false, 0x0C, 0x7010, 0, {9});
  const Case cases[] = {
      {"short check", Proto::Ign50, shortBad, ShortAnswer(50, 0xC2, 0x02),
       "bad frame (check): IGN50 52 bytes [0xc1], 1 so far"},
      {"crc", Proto::Wcom, crcBad, headerGood, "bad frame (check): WCOM 18 bytes [0xff], 1 so far"},
      {"sum", Proto::Wcoms, sumBad, HeaderFrame(true, 0x0C, 0x7010, 0, {9}),
       "bad frame (check): WCOMS 19 bytes [0xff], 1 so far"},
      {"length", Proto::Wcom, Bytes(tooLong.begin(), tooLong.begin() + 14), headerGood,
       "bad frame (length): WCOM 2016 bytes [0xff], 1 so far"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    char path[] = "/tmp/ign-codec-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    CTrace trace;
    ASSERT_TRUE(trace.Open(path));
    std::atomic<int> total{0};
    CFrameCodec codec;
    codec.ResetCodec(c.type, 125);
    codec.trace = &trace;
    codec.badFrameTotal = &total;
    RingFeeder ring;
    EXPECT_TRUE(ring.Feed(codec, c.bad).empty());
    const auto frames = ring.Feed(codec, c.good);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], c.good);
    EXPECT_EQ(total.load(), 1);
    EXPECT_EQ(codec.badFrames, 1u);
    trace.Close();
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    const std::string log = text.str();
    std::remove(path);
    EXPECT_NE(log.find(c.traced), std::string::npos) << log;
    EXPECT_EQ(log.find("bad frame"), log.rfind("bad frame")) << "one line per bad frame: " << log;
  }
}

// Frames written out byte for byte from the frame layout, with their check
// bytes worked out by hand from the check rules. Nothing here goes through
// Crc, PutSumCheck or XorCheck, so a fault those share with the codec shows up.
struct HandFrame {
  const char* what;
  int type;
  // Builds the request into the codec; null for an answer from the unit.
  uint32_t (*build)(CFrameCodec&);
  Bytes bytes;
};

const std::vector<HandFrame>& HandFrames() {
  static const std::vector<HandFrame> frames = {
      // Requests the program sends.
      {"WCOM read request",
       Proto::Wcom,
       [](CFrameCodec& c) {
         const uint8_t length[] = {0x96, 0x00};
         return c.BuildHeaderFrame(0x7010, 0x0096, 2, length);
       },
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xBB,                                      // CRC check, request
        0x10, 0x70,                                // command 0x7010
        0x96, 0x00,                                // address 150
        0x02, 0x00,                                // length 2
        0x96, 0x00,                                // data: 150 bytes wanted
        0xE5, 0x5E}},                              // CRC 0x5EE5
      {"WCOM identify request, no data",
       Proto::Wcom,
       [](CFrameCodec& c) { return c.BuildHeaderFrame(0xFEEE, 0, 0, nullptr); },
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xBB,                                      // CRC check, request
        0xEE, 0xFE,                                // command 0xFEEE
        0x00, 0x00,                                // address 0
        0x00, 0x00,                                // length 0
        0xD8, 0x69}},                              // CRC 0x69D8
      {"WCOMS read request, even length",
       Proto::Wcoms,
       [](CFrameCodec& c) {
         const uint8_t length[] = {0x96, 0x00};
         return c.BuildHeaderFrame(0x7010 | HdrFlag::SumCheck, 0x0096, 2, length);
       },
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xFB,                                      // sum check, request
        0x10, 0x70,                                // command 0x7010
        0x96, 0x00,                                // address 150
        0x02, 0x00,                                // length 2
        0x96, 0x00,                                // data
        0x63, 0x38}},                              // word sum 0xC79C, stored NOT 0x3863 low first
      {"WCOMS write request, odd length",
       Proto::Wcoms,
       [](CFrameCodec& c) {
         const uint8_t data[] = {0x11, 0x22, 0x33};
         return c.BuildHeaderFrame(0x7020 | HdrFlag::SumCheck, 0x0123, 3, data);
       },
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xFB,                                      // sum check, request
        0x20, 0x70,                                // command 0x7020
        0x23, 0x01,                                // address 0x0123
        0x03, 0x00,                                // length 3
        0x11, 0x22, 0x33,                          // data
        0x16, 0x17}},                              // word sum 0xE9E8: NOT 0xE9 (high) then NOT 0xE8 (low)
      {"IGN150 probe with key 108",
       Proto::Ign150,
       [](CFrameCodec& c) { return c.BuildShortFrame(150, 0x30, 0, nullptr, 108); },
       {0x30,  // command 0x30, block 0
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // data 1..149
        0x6C,                                                                          // data 150: key 108
        0xA3}},                                                                        // check: FF ^ 30 ^ 6C
      {
          "IGN50 write block 2",
          Proto::Ign50,
          [](CFrameCodec& c) {
            uint8_t data[50];
            for (int i = 0; i < 50; ++i) data[i] = uint8_t(i + 1);
            return c.BuildShortFrame(50, 0x01, 2, data, 0);
          },
          {0x03,  // command 0x01 + block 2
           0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D,
           0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A,
           0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,
           0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32,  // data 1..50
           0xCF}},  // check: FF ^ 03 ^ (1 ^ 2 ^ ... ^ 50 = 33)
      // Answers the unit sends.
      {"WCOM positive reply",
       Proto::Wcom,
       nullptr,                                    // an answer: nothing to build
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xBC,                                      // CRC check, positive reply
        0x10, 0x70,                                // command 0x7010
        0x96, 0x00,                                // address 150
        0x04, 0x00,                                // length 4
        0xDE, 0xAD, 0xBE, 0xEF,                    // data
        0xB2, 0x55}},                              // CRC 0x55B2
      {"WCOMS positive reply, even length",
       Proto::Wcoms,
       nullptr,
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xFC,                                      // sum check, positive reply
        0x10, 0x70,                                // command 0x7010
        0x96, 0x00,                                // address 150
        0x04, 0x00,                                // length 4
        0xDE, 0xAD, 0xBE, 0xEF,                    // data
        0x5B, 0x9A}},                              // word sum 0x65A4, stored NOT 0x9A5B low first
      {"WCOMS positive reply, odd length",
       Proto::Wcoms,
       nullptr,
       {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB,  // start
        0xFC,                                      // sum check, positive reply
        0x10, 0x70,                                // command 0x7010
        0x96, 0x00,                                // address 150
        0x03, 0x00,                                // length 3
        0xDE, 0xAD, 0xBE,                          // data
        0x89, 0x5C}},                              // word sum 0x76A3: NOT 0x76 (high) then NOT 0xA3 (low)
      {
          "IGN50 read answer block 1",
          Proto::Ign50,
          nullptr,
          {0xC2,  // command 0xC1 + block 1
           0x12, 0x34, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,  // data 1..50
           0x9B}},                                                            // check: FF ^ C2 ^ 12 ^ 34 ^ 80
      {"IGN150 monitor answer",
       Proto::Ign150,
       nullptr,
       {0xB0,  // command 0xB0, block 0
        0x6C, 0x00, 0xE8, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55,  // data 1..150
        0x9D}},  // check: FF ^ B0 ^ 6C ^ E8 ^ 03 ^ 55
  };
  return frames;
}

TEST(CodecFrames, RequestsMatchHandWrittenBytes) {
  for (const HandFrame& f : HandFrames()) {
    if (!f.build) continue;
    SCOPED_TRACE(f.what);
    CFrameCodec codec;
    codec.ResetCodec(f.type, 125);
    EXPECT_EQ(f.build(codec), f.bytes.size());
    EXPECT_EQ(Sent(codec), f.bytes);
  }
}

// Each answer is delivered whole; with any one of its check bytes changed it is
// refused, and the intact answer after it still comes through.
TEST(CodecFrames, AnswersWithHandWrittenChecksAcceptedAndRefusedWhenCheckChanged) {
  for (const HandFrame& f : HandFrames()) {
    if (f.build) continue;
    SCOPED_TRACE(f.what);
    {
      CFrameCodec codec;
      codec.ResetCodec(f.type, 125);
      RingFeeder ring;
      const auto frames = ring.Feed(codec, f.bytes);
      ASSERT_EQ(frames.size(), 1u);
      EXPECT_EQ(frames[0], f.bytes);
    }
    const size_t checkBytes = IsShortFamily(f.type) ? 1 : 2;
    for (size_t at = f.bytes.size() - checkBytes; at < f.bytes.size(); ++at) {
      CFrameCodec codec;
      codec.ResetCodec(f.type, 125);
      RingFeeder ring;
      Bytes spoiled = f.bytes;
      spoiled[at] ^= 0x01;
      EXPECT_TRUE(ring.Feed(codec, spoiled).empty()) << "check byte at " << at;
      EXPECT_EQ(codec.badFrames, 1u) << "check byte at " << at;
      const auto after = ring.Feed(codec, f.bytes);
      ASSERT_EQ(after.size(), 1u) << "check byte at " << at;
      EXPECT_EQ(after[0], f.bytes);
    }
  }
}

}  // namespace
}  // namespace ign
