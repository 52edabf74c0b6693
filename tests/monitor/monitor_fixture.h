#pragma once
// Crafted monitor records and the display update in a chosen language.
#include <gtest/gtest.h>

#include "core/monitor/display.h"
#include "core/params/image.h"
#include "core/text/language.h"
#include "core/text/messages.h"

namespace ign::test {

struct RecordBuilder {
  MonitorRecord r;
  RecordBuilder& Byte(int i, int v) {
    r.bytes[size_t(i)] = uint8_t(v);
    return *this;
  }
  RecordBuilder& Word(int k, int v) {
    r.bytes[size_t(2 * k)] = uint8_t(v & 0xFF);
    r.bytes[size_t(2 * k + 1)] = uint8_t((v >> 8) & 0xFF);
    return *this;
  }
  RecordBuilder& Bit(int i, int bit) {
    r.bytes[size_t(i)] |= uint8_t(1 << bit);
    return *this;
  }
};

class MonitorDisplay : public ::testing::Test {
 protected:
  void SetUp() override { UseLanguage(LNG_ENGLISH); }
  void TearDown() override { UseLanguage(LNG_ENGLISH); }
  static void UseLanguage(int language) {
    SetLanguage(language);
    FillMessages();
  }
  DisplayModel Decode(const MonitorRecord& r, bool data = true) {
    DisplayInput in;
    in.record = &r;
    in.data = data;
    in.edited = &image;
    in.developerMode = developer;
    in.propSigned = propSigned;
    in.unitName = "Unit = X";
    return PickUp1(in, kept);
  }
  DisplayModel Decode(const RecordBuilder& b, bool data = true) { return Decode(b.r, data); }

  Image image{};
  bool developer = false;
  std::array<bool, 5> propSigned{};
  MonitorKept kept;
};

}  // namespace ign::test
