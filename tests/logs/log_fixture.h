#pragma once
// Logs for the tests: a temporary folder, monitor records with chosen engine
// values, recordings written by the program's own recorder, and settings
// with known map axes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/monitor/player.h"
#include "core/params/image.h"
#include "core/text/language.h"
#include "core/text/messages.h"
#include "tests/support/null_playback_sink.h"

namespace ign::test {

struct Reading {
  int64_t ms = 0;
  int rpm = 0;
  int load = 0;
  int sensor = 1;
  bool secondMap = false;
  int advanceByte = 130;  // degrees + 100
};

inline MonitorRecord RecordOf(const Reading& r) {
  MonitorRecord m;
  m.bytes[2] = uint8_t(r.rpm);
  m.bytes[3] = uint8_t(r.rpm >> 8);
  m.bytes[6] = uint8_t(r.load);
  m.bytes[7] = uint8_t(r.load >> 8);
  m.bytes[8] = 0x50;  // battery 13 392 mV
  m.bytes[9] = 0x34;
  m.bytes[Mon::SENSOR] = uint8_t(r.sensor);
  for (int i = 0; i < 4; ++i) m.bytes[size_t(Mon::ADV + i)] = uint8_t(r.advanceByte);
  if (r.secondMap) m.bytes[Mon::INPUTS] |= 1 << InputBit::SECOND_ADV;
  m.bytes[Mon::KEY] = 108;
  m.bytes[Mon::SUBVERSION] = 12;
  m.bytes[146] = 0x50;  // hardware key 0x150 (word 73)
  m.bytes[147] = 0x01;
  return m;
}

// Settings with rpm points 10, 20 .. (hundreds), the load sensor, and both
// advance maps and the servo map two-dimensional.
inline Image MapSettings(int sensor, int columns = 8) {
  Image img{};
  img[Adrb::TPSIAP_SENSOR] = uint8_t(sensor);
  img[Adrb::LIMITER] = 90;
  for (int c = 0; c < kMapCols; ++c) {
    img[size_t(Adrb::RPM_ADV + c)] = uint8_t(10 + 10 * c);
    img[size_t(Adrb::RPM_ADV2 + c)] = uint8_t(15 + 10 * c);
    img[size_t(Adrb::SERVO_RPM + c)] = uint8_t(10 + 10 * c);
  }
  img[Adrb::ADV_COLUMNS] = img[Adrb::ADV2_COLUMNS] = img[Adrb::SERVO_COLUMNS] = uint8_t(columns);
  img[Adrb::ADV_MAP] = img[Adrb::ADV2_MAP] = 1;
  img[Adrb::SERVO_MAP] = 2;
  for (int r = 0; r < kMapRows; ++r) {
    SetWord(img, Adrw::ADV_IAP + r, uint16_t(20 + 10 * r));
    SetWord(img, Adrw::ADV2_IAP + r, uint16_t(20 + 10 * r));
    SetWord(img, Adrw::SERVO_IAP + r, uint16_t(20 + 10 * r));
  }
  return img;
}

// Writes a recording by the program's recorder: the settings, then the readings at their times.
inline void RecordReadings(const std::string& path, const std::vector<Reading>& readings,
                           const Image& settings) {
  NullPlaybackSink sink;
  CMonitorPlayer player(sink);
  RecordingHeader h;
  h.startTime = 1767225600;
  InitialRecords initial;
  initial.unitInfo = "IGNSIM";
  initial.edited = std::span<const uint8_t>(settings.data(), RS_LEN_EXE);
  EXPECT_EQ(player.StartRecording(path, h, initial, 0), CMonitorPlayer::Event::Started);
  for (const Reading& r : readings) player.RecordMonitor(RecordOf(r), r.ms);
  player.StopPlayer();
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
    char pattern[] = "/tmp/ign-logs-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  // A recording by the program's recorder: the settings, then the readings at their times.
  std::string Record(const std::vector<Reading>& readings, const Image& settings,
                     const std::string& name = "ride.ignlog") {
    const std::string path = Path(name);
    RecordReadings(path, readings, settings);
    return path;
  }
  std::string dir_;
};

}  // namespace ign::test
