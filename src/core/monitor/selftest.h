#pragma once
// The unit self-test: started by the service tools, counted down by the main
// timer, and evaluated on each display update with data. Its results go to
// the memo as lines of text.
#include <cstdint>
#include <string>
#include <vector>

#include "core/monitor/display_model.h"
#include "core/monitor/local_time.h"
#include "core/monitor/record.h"

namespace ign {

class CSelfTest {
 public:
  static constexpr int kRestartTicks = 60;
  static constexpr int kRunTicks = 20;
  static constexpr int kTestTicks = 50;
  static constexpr int kResultTicks = 200;
  // Stages 1 and 2 give up after this many ticks (60 s at 55 ms) without what they wait for.
  static constexpr int kGiveUpTicks = 1091;

  // Starts the test. rpm is the live engine speed; the unit information is
  // written into the result. Returns true when the unit must be reset first
  // (the engine turns).
  bool Start(int rpm, const std::string& unitInfo);

  // One main-timer tick: counts down; 3 -> 4 and 5 -> 0 at the end of the count.
  void Tick(const LocalTime& now);

  struct Update {
    const MonitorRecord& record;
    int testSetRpm;  // 100 x the first TEST_SET value of the edited image
    bool pickup1Ok, pickup2Ok;
    LocalTime now;
  };
  // One display update with data. Returns test bits the next monitor
  // request must carry in its byte 21 (0 for none).
  uint8_t Evaluate(const Update& u);

  int Stage() const { return stage_; }
  int Count() const { return count_; }
  bool ResultOk() const { return ok_; }
  LabelView Label() const;  // LabelSelftest
  const std::vector<std::string>& Memo() const { return memo_; }

 private:
  void Finish(const LocalTime& now, std::vector<std::string> lines);

  int stage_ = 0;
  int count_ = 0;
  int waited_ = 0;
  bool ok_ = false;
  std::string unitInfo_;
  int maxRpm_ = 0;
  int input1_ = 0, input2_ = 0, output1_ = 0;
  int voltage1_ = 0, voltage2_ = 0;
  std::vector<std::string> memo_;
};

}  // namespace ign
