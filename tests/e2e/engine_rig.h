#pragma once
// A simulated unit on a pseudo-terminal and the engine that talks to it,
// ticked at the program's real pace.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>

#include "core/app/engine.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/support/sim_process.h"

namespace ign::test {

class RecordingCommHost : public ICommHost {
 public:
  void ShowVersionMessage(const std::string& text) override { messages.push_back(text); }
  void SetGauge(const GaugeView& g) override { gauge = g; }
  std::vector<std::string> messages;
  GaugeView gauge;
};

class EngineRig {
 public:
  explicit EngineRig(SimOptions options = {}) : portDir_(MakeTempDir() + "/ports") {
    ::setenv("IGN_PORT_DIR", portDir_.c_str(), 1);
    if (options.image.empty()) options.image = WriteUnitImage(SoundUnitImage());
    sim_ = std::make_unique<SimProcess>(portDir_, options);
    engine_ = std::make_unique<CEngine>(&host);
  }
  ~EngineRig() {
    engine_.reset();
    sim_.reset();
  }

  CEngine& engine() { return *engine_; }
  SimProcess& sim() { return *sim_; }
  std::string Result() const { return engine_->Label(Slot::Result).Shown(); }
  std::string Connection() const { return engine_->Label(Slot::Connection).Shown(); }

  // Ticks every 55 ms until pred holds or the time runs out.
  template <typename Pred>
  bool RunUntil(Pred pred, double seconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(int(seconds * 1000));
    while (std::chrono::steady_clock::now() < end) {
      if (pred()) return true;
      engine_->Tick();
      std::this_thread::sleep_for(std::chrono::milliseconds(55));
    }
    return pred();
  }
  bool Idle() { return engine_->Machine().State() == 1; }
  bool ConnectAndCheck(double seconds = 20) {
    return RunUntil([&] { return Result() == "Checking: OK" && Idle(); }, seconds);
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
