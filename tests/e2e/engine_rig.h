#pragma once
// A simulated unit on a pseudo-terminal and the engine that talks to it,
// ticked on the timer's schedule while a condition is awaited.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "core/device/engine.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/support/pacer.h"
#include "tests/support/sim_process.h"

namespace ign::test {

class RecordingCommHost : public ICommHost {
 public:
  void ShowVersionMessage(const std::string& text) override { messages.push_back(text); }
  void SetGauge(const GaugeView& g) override { gauge = g; }
  void ProcessMonitor(const uint8_t*) override { ++monitorRecords; }
  std::vector<std::string> messages;
  GaugeView gauge;
  int monitorRecords = 0;
};

class EngineRig {
 public:
  explicit EngineRig(SimOptions options = {}) : portDir_(MakeTempDir() + "/ports") {
    if (options.image.empty()) options.image = WriteUnitImage(SoundUnitImage());
    sim_ = std::make_unique<SimProcess>(portDir_, options);
    RunConfig config;
    config.portDir = portDir_;
    engine_ = std::make_unique<CEngine>(&host, nullptr, config);
  }
  ~EngineRig() {
    engine_.reset();
    sim_.reset();
  }

  CEngine& engine() { return *engine_; }
  SimProcess& sim() { return *sim_; }
  std::string Result() const { return engine_->Label(Slot::Result).Shown(); }
  std::string Connection() const { return engine_->Label(Slot::Connection).Shown(); }

  // Ticks the engine until pred holds or the (scaled) cap runs out.
  bool RunUntil(const std::function<bool()>& pred, double capSeconds = 20) {
    return TickUntil(
        pred, [&] { engine_->Tick(); }, capSeconds);
  }
  bool Idle() { return engine_->Machine().Idle(); }
  // Until the outcome of an operation newer than sequence `after`.
  bool RunUntilOutcome(Operation op, uint32_t after, double capSeconds = 20) {
    return RunUntil(
        [&] {
          const Outcome& o = engine_->Machine().LastOutcome();
          return o.sequence != after && o.operation == op;
        },
        capSeconds);
  }
  ign::Result LastResult() const { return engine_->Machine().LastOutcome().result; }
  uint32_t Sequence() const { return engine_->Machine().LastOutcome().sequence; }
  bool ConnectAndCheck(double capSeconds = 20) {
    return RunUntilOutcome(Operation::Check, 0, capSeconds) && LastResult() == ign::Result::Ok;
  }
  // The settings block the simulated unit keeps in its image file.
  std::vector<uint8_t> UnitFile() const {
    std::ifstream f(sim_->imagePath(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
  }

  // A normalised image that differs from the program's start-up settings.
  static Image SoundUnitImage() {
    Image img = StartupImage();
    img[Adrb::LIMITER] = 95;
    NormaliseImage(img);
    return img;
  }
  std::string WriteUnitImage(const Image& img) {
    const std::string path = MakeTempDir() + "/unit.bin";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE);
    return path;
  }

  RecordingCommHost host;

 private:
  std::string portDir_;
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<CEngine> engine_;
};

}  // namespace ign::test
