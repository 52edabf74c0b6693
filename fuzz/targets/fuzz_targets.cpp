#include "fuzz/targets/fuzz_targets.h"
#include "fuzz/targets/fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

#include "core/app/app_settings.h"
#include "core/app/default_ini.h"
#include "core/app/ini_file.h"
#include "core/base/tick_clock.h"
#include "core/comm/ccom.h"
#include "core/comm/codec.h"
#include "core/comm/frame_check.h"
#include "core/comm/stream.h"
#include "core/files/ign_reader.h"
#include "core/files/unit_info.h"
#include "core/params/defaults.h"

namespace ign::fuzz {

namespace {

// Input reader: bytes are taken from the front, 0 once the input is used up.
class Bytes {
 public:
  Bytes(const uint8_t* d, size_t n) : d_(d), n_(n) {}
  uint8_t Take() { return pos_ < n_ ? d_[pos_++] : 0; }
  size_t Left() const { return n_ - pos_; }

 private:
  const uint8_t* d_;
  size_t n_;
  size_t pos_ = 0;
};

// Puts bytes into the port's receive ring as its I/O thread would (one slot stays free).
size_t FillRing(CCOM& com, Bytes& in, size_t want) {
  size_t put = 0;
  while (put < want && in.Left() > 0) {
    const uint32_t w = com.rxWrite.load(std::memory_order_relaxed);
    const uint32_t next = (w + 1) % kRxRingSize;
    if (next == com.rxRead.load(std::memory_order_relaxed)) break;  // full
    com.rxRing[w] = in.Take();
    com.rxWrite.store(next, std::memory_order_release);
    ++put;
  }
  return put;
}

// What a delivered frame must satisfy, checked again independently of the codec.
void CheckDelivered(const CFrameCodec& c) {
  if (IsShortFamily(c.type)) {
    const int len = ShortDataLen(c.type) + 2;
    FUZZ_CHECK(c.RxFrameLen() == len);
    FUZZ_CHECK((c.rx[0] & 0x80) != 0);
    uint8_t x = 0xFF;
    for (int i = 0; i < len; ++i) x ^= c.rx[i];
    FUZZ_CHECK(x == 0);
    return;
  }
  const int len = c.RxFrameLen();
  FUZZ_CHECK(len >= Hdr::Overhead && len <= kFrameBufSize);
  static constexpr uint8_t kStart[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB};
  FUZZ_CHECK(std::memcmp(c.rx, kStart, sizeof kStart) == 0);
  const uint8_t high = c.rx[Hdr::Marker] & 0xF0;
  FUZZ_CHECK(high == Hdr::KindCrc || high == Hdr::KindSum);
  // A rewritten short reply has length 0; any other frame carries the data it announced.
  const int n = c.RxWord(Hdr::Length);
  FUZZ_CHECK(n == 0 || n + Hdr::Overhead == len);
}

// Shared by both codec targets. Input layout: type selector, stream
// announcement (5 bytes), then a sequence of commands: each command byte picks
// "bytes into the ring" (with a count), "advance the clock" or "announce a stream".
int RunCodec(const uint8_t* data, size_t size, const int* types, int typeCount) {
  CTickClock clock;  // every input starts at the same clock
  Bytes in(data, size);
  auto com = std::make_unique<CCOM>();
  auto stream = std::make_unique<StreamShare>();
  auto codec = std::make_unique<CFrameCodec>();
  codec->stream = stream.get();
  codec->clock = &clock;
  const int type = types[in.Take() % typeCount];
  const int gap = 25 + (in.Take() % 8) * 50;
  codec->ResetCodec(type, gap);
  int steps = 0;
  while (in.Left() > 0 && steps < 100000) {
    ++steps;
    const uint8_t cmd = in.Take();
    switch (cmd >> 6) {
      case 0:
      case 1:
      case 2: {  // bytes for the ring
        const size_t want = size_t(cmd & 0x7F) + 1 + (cmd & 0x80 ? 200 : 0);
        FillRing(*com, in, want);
        break;
      }
      default:
        if ((cmd & 0x20) == 0) {
          for (int i = 0; i < (cmd & 0x1F); ++i) clock.Advance();  // the gap limit may pass
        } else {
          const uint8_t st = in.Take();
          const uint16_t len = uint16_t(in.Take() | (in.Take() << 8));
          const uint8_t x = in.Take(), s = in.Take();
          stream->Announce(st, len, x, s, uint8_t(cmd & 0x1F));
        }
        continue;
    }
    // Drain the ring the way the protocol thread does.
    for (int guard = 0; guard < 2 * kRxRingSize; ++guard) {
      const uint32_t before = com->RxCount();
      const bool frame = codec->ReceiveStep(*com);
      FUZZ_CHECK(codec->position >= 0 && codec->position <= kFrameBufSize);
      FUZZ_CHECK(stream->live.count.load() <= kStreamBufSize);
      if (frame) CheckDelivered(*codec);
      if (com->RxCount() == 0) break;
      if (!frame && com->RxCount() >= before && stream->live.type.load() == 0)
        Fail("ReceiveStep made no progress");
    }
    // Take a completed stream as the main thread would.
    uint8_t st = 0, further = 0;
    uint16_t len = 0;
    static uint8_t out[kStreamBufSize];
    if (stream->Take(st, len, further, out)) FUZZ_CHECK(len <= kStreamBufSize);
  }
  return 0;
}

}  // namespace

int CodecShort(const uint8_t* data, size_t size) {
  static constexpr int kTypes[] = {Proto::Ign50, Proto::Ign100, Proto::Ign150, Proto::Ign300};
  return RunCodec(data, size, kTypes, 4);
}

int CodecHeader(const uint8_t* data, size_t size) {
  static constexpr int kTypes[] = {Proto::Wcom, Proto::Wcoms};
  return RunCodec(data, size, kTypes, 2);
}

namespace {
class QuietMessages : public IFileMessages {
 public:
  void ShowMessage(const std::string& text) override { shown += text.size(); }
  size_t shown = 0;
};
}  // namespace

int IgnReader(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  IgnReadOptions options;
  options.showMessages = flags & 1;
  options.developerTest = flags & 2;
  QuietMessages messages;
  static const Image kStart = StartupImage();
  Image img = kStart;
  CDefaults defaults;
  defaults.SetGroupMask(-1);
  const IgnReadResult r = ReadSettingsText(text, img, defaults, options, &messages);
  // Reading the same text over the same start gives the same image.
  Image again = kStart;
  CDefaults defaults2;
  defaults2.SetGroupMask(-1);
  const IgnReadResult r2 = ReadSettingsText(text, again, defaults2, options, nullptr);
  FUZZ_CHECK(r.status == r2.status);
  FUZZ_CHECK(img == again);
  if (r.status == IgnReadStatus::NoKey) FUZZ_CHECK(img == kStart);
  return 0;
}

int DefaultIni(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::array<uint8_t, RS_LEN_EXE + 8> buf;
  buf.fill(0xA5);
  const size_t filled = ParseImageText(text, buf.data(), RS_LEN_EXE);
  FUZZ_CHECK(filled <= size_t(RS_LEN_EXE));
  for (size_t i = RS_LEN_EXE; i < buf.size(); ++i) FUZZ_CHECK(buf[i] == 0xA5);
  for (size_t i = filled; i < size_t(RS_LEN_EXE); ++i) FUZZ_CHECK(buf[i] == 0xA5);
  // What is written reads back as the same bytes.
  const std::string written = FormatImageText(buf.data(), filled);
  std::array<uint8_t, RS_LEN_EXE> back{};
  FUZZ_CHECK(ParseImageText(written, back.data(), RS_LEN_EXE) == filled);
  FUZZ_CHECK(std::equal(back.begin(), back.begin() + long(filled), buf.begin()));
  return 0;
}

int AppIni(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CIniFile ini;
  ini.Parse(text);
  // Writing what was read and reading it again changes nothing.
  const std::string once = ini.Serialise();
  CIniFile again;
  again.Parse(once);
  FUZZ_CHECK(again.Serialise() == once);

  AppSettings s;
  ReadAppSettingsFrom(ini, s);
  CIniFile out;
  WriteAppSettingsTo(out, s);
  CIniFile reread;
  reread.Parse(out.Serialise());
  AppSettings s2;
  ReadAppSettingsFrom(reread, s2);
  FUZZ_CHECK(s2.left == s.left && s2.top == s.top && s2.height == s.height && s2.width == s.width);
  FUZZ_CHECK(s2.comPort == s.comPort && s2.comPortAuto == s.comPortAuto && s2.language == s.language);
  FUZZ_CHECK(s2.activePage == s.activePage && s2.newInstal == s.newInstal &&
             s2.monitorPlayer == s.monitorPlayer);
  auto same = [](const std::string& a, const std::string& b) { return a == b; };
  FUZZ_CHECK(same(s.file, s2.file));
  FUZZ_CHECK(same(s.iniFileDir, s2.iniFileDir));
  FUZZ_CHECK(s2.history.size() == s.history.size());
  for (size_t i = 0; i < s.history.size(); ++i) FUZZ_CHECK(same(s.history[i], s2.history[i]));
  // Every value also goes through the file-name escape and back.
  (void)UnescapeIniName(std::string(text));
  (void)EscapeIniName(std::string(text));
  return 0;
}

int UnitInfo(const uint8_t* data, size_t size) {
  std::array<uint8_t, kUnitHeaderLen> header{};
  std::memcpy(header.data(), data, std::min(size, header.size()));
  const ign::UnitInfo info = DecodeUnitInfo(std::span<const uint8_t, kUnitHeaderLen>(header));
  const int state = size > kUnitHeaderLen ? data[kUnitHeaderLen] % 3 : 0;
  const std::string version = size > kUnitHeaderLen + 1
                                  ? std::string(reinterpret_cast<const char*>(data + kUnitHeaderLen + 1),
                                                std::min<size_t>(size - kUnitHeaderLen - 1, 64))
                                  : std::string();
  (void)UnitPanelText(info, state, version);
  (void)UnitVersionsText(info, version);
  FUZZ_CHECK(info.name.size() < 4 * kUnitHeaderLen && info.owner.size() < 8 * kUnitHeaderLen);
  return 0;
}

const std::vector<Target>& Targets() {
  static const std::vector<Target> kTargets = {
      {"codec_short", CodecShort}, {"codec_header", CodecHeader}, {"ign_reader", IgnReader},
      {"default_ini", DefaultIni}, {"app_ini", AppIni},           {"unit_info", UnitInfo},
  };
  return kTargets;
}

}  // namespace ign::fuzz
