// The simulated ignition unit: answers the program's requests like the real unit.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/engine_model.h"
#include "sim/engine_pins.h"
#include "sim/family.h"
#include "sim/frames.h"
#include "sim/monitor_record.h"
#include "sim/power_outputs.h"
#include "sim/settings_store.h"
#include "sim/unit_header.h"

namespace ign::sim {

struct UnitConfig {
  Family family = Family::Ign150;
  int key = 108;
  int subversion = 0;
  std::string name = "IGNSIM";
  int serial = 7;
  int hardwareId = 0x0150;
  int maxFrameLength = 272;  // header family: 256 data bytes per block
  std::uint32_t seed = 1;
  EnginePins pins;
  std::string commandLog;  // file for the received one-shot command bytes; empty: none
};

// What the unit sends back for one request.
struct Reply {
  std::vector<std::uint8_t> frame;   // empty: no answer
  std::vector<std::uint8_t> stream;  // pick-up samples that follow the frame
};

class SimUnit {
 public:
  SimUnit(UnitConfig config, SettingsStore store);

  // Switches the unit on: the simulated engine's ride starts at this time.
  void PowerOn(std::int64_t nowMs) { Reset(nowMs); }

  // Answers one request (a unit not yet switched on is switched on now).
  Reply Handle(const Request& request, std::int64_t nowMs);

  // Remaining saving work after a programming (monitor word 8), falling to 0.
  int SavingCount(std::int64_t nowMs) const;
  int Programmings() const { return programmings_; }
  const SettingsStore& store() const { return store_; }
  const Header& header() const { return header_; }
  const Record& lastRecord() const { return record_; }
  const UnitConfig& config() const { return config_; }

  // Saving runs this long after the last written block.
  static constexpr std::int64_t kSavingMs = 2100;

 private:
  Reply HandleShort(const Request& r, std::int64_t nowMs);
  Reply HandleHeader(const Request& r, std::int64_t nowMs);
  void NoteWrite(std::int64_t nowMs);
  void Reset(std::int64_t nowMs);
  // Takes a new record; commands are the monitor request bytes 20..23 (absent: none).
  void Sample(std::int64_t nowMs, const std::uint8_t* commands);
  std::vector<std::uint8_t> ImageBytes(std::size_t address, std::size_t length) const;
  std::vector<std::uint8_t> HeaderBytes(std::size_t address, std::size_t length) const;
  std::vector<std::uint8_t> RecordBytes(std::size_t address, std::size_t length) const;

  UnitConfig config_;
  SettingsStore store_;
  Header header_;
  EngineModel engine_;
  PowerOutputs outputs_;
  Record record_{};
  std::vector<std::uint8_t> pendingStream_;
  std::int64_t bootMs_ = -1;
  std::int64_t lastWriteMs_ = -1;
  std::int64_t lastSampleMs_ = -1;
  std::int64_t runningMs_ = 0;
  int programmings_ = 3;
  int records_ = 0;
  int streamsSent_ = 0;
  std::array<int, 4> maxAdvance_{};
  // One-shot test commands and how long their effect shows.
  std::int64_t outputTestUntil_ = -1, rpmTestUntil_ = -1, ignitionTestUntil_ = -1;
  std::uint8_t outputTestBits_ = 0, ignitionTestBits_ = 0, lastTestByte21_ = 0;
  int servoTrimMv_ = 0;
  bool storeFailed_ = false;
  CommandLog commandLog_;
};

}  // namespace ign::sim
