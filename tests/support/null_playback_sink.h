#pragma once
// A playback sink that drops what the player hands it: for recording
// without a window.
#include "core/monitor/player.h"

namespace ign::test {

class NullPlaybackSink : public IPlaybackSink {
 public:
  void ApplyEditedImage(std::span<const uint8_t>) override {}
  void ApplyUnitImage(std::span<const uint8_t>) override {}
  void ApplyMonitor(const MonitorRecord&) override {}
  void ApplyView(const ViewRecord&) override {}
};

}  // namespace ign::test
