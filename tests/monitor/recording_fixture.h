#pragma once
// A folder for recordings, a sink that notes what the player applies, and
// little-endian access of our own to check files byte by byte.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/monitor/player.h"
#include "core/text/language.h"
#include "core/text/messages.h"

namespace ign::test {

inline unsigned U16(const std::string& f, size_t at) { return uint8_t(f[at]) | (uint8_t(f[at + 1]) << 8); }
inline unsigned long U32(const std::string& f, size_t at) { return U16(f, at) | (U16(f, at + 2) << 16); }
inline void Put16(std::string& f, size_t at, unsigned v) {
  f[at] = char(v & 0xFF);
  f[at + 1] = char((v >> 8) & 0xFF);
}
inline void Put32(std::string& f, size_t at, unsigned long v) {
  Put16(f, at, v & 0xFFFF);
  Put16(f, at + 2, (v >> 16) & 0xFFFF);
}

struct Applied {
  char type;  // 'E' edited, 'U' unit, 'M' monitor, 'V' view
  int value;  // first payload byte (rpm low byte for monitor records), or the page
  int64_t at;
};

class NoteSink : public IPlaybackSink {
 public:
  void ApplyEditedImage(std::span<const uint8_t> image) override { notes.push_back({'E', image[0], now}); }
  void ApplyUnitImage(std::span<const uint8_t> image) override { notes.push_back({'U', image[0], now}); }
  void ApplyMonitor(const MonitorRecord& r) override {
    notes.push_back({'M', r.Word(Mon::RPM), now});
    last = r;
  }
  void ApplyView(const ViewRecord& v) override { notes.push_back({'V', v.page, now}); }
  std::string Types() const {
    std::string s;
    for (const Applied& a : notes) s += a.type;
    return s;
  }
  std::vector<Applied> notes;
  MonitorRecord last;
  int64_t now = 0;
};

class RecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
    char pattern[] = "/tmp/ign-rec-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    edited_.fill(0);
    edited_[0] = 11;
    unit_.fill(0);
    unit_[0] = 22;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  static std::string Read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  RecordingHeader Header() const {
    RecordingHeader h;
    h.startTime = 1767225600;  // 2026-01-01 00:00:00 UTC
    h.os = {6, 1, 7, Rec::kPlatformLinux};
    h.screens[0] = {0, 1280, 0, 900};
    h.reserved = 0x55;
    h.ident = ProgramIdentification("2026_01_02");
    return h;
  }
  InitialRecords Initial(bool unitValid = true) {
    InitialRecords in;
    in.port = 7;
    in.unitInfo = "IGNSIM  RSKEY=108.00";
    in.edited = std::span<const uint8_t>(edited_.data(), 1050);
    if (unitValid) in.unit = std::span<const uint8_t>(unit_.data(), 1050);
    in.view.page = 3;
    in.view.editorIds[0] = 41;
    return in;
  }
  static MonitorRecord Rpm(int rpm) {
    MonitorRecord r;
    r.bytes[2] = uint8_t(rpm & 0xFF);
    r.bytes[3] = uint8_t(rpm >> 8);
    return r;
  }

  std::string dir_;
  std::array<uint8_t, 1050> edited_{}, unit_{};
  NoteSink sink_;
};

}  // namespace ign::test
