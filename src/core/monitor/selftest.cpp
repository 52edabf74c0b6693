#include "core/monitor/selftest.h"

#include <algorithm>

#include "core/monitor/display_format.h"

namespace ign {

using monitor_detail::Format;

namespace {

bool Window1(int mv) { return mv >= 4965 && mv <= 5000; }
bool Window2(int mv) { return mv >= 2465 && mv <= 2535; }
bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

const char* OkError(bool ok) { return ok ? "OK" : "ERROR"; }

std::string InputLine(int in0, int in1) {
  if (in0 == 2 && in1 == 2) return "4) Powerout2 - In0: OK        In1: OK";
  if (in1 == 2) return Format("4) Powerout2 - In0: ERROR%i   In1: OK", in0 + 1);
  if (in0 == 2) return Format("4) Powerout2 - In0: OK        In1: ERROR%i", in1 + 1);
  return Format("4) Powerout2 - In0: ERROR%i   In1: ERROR%i", in0 + 1, in1 + 1);
}

const char* PickupText(bool p1, bool p2) {
  if (p1 && p2) return "     PickUp1: OK    PickUp2: OK";
  if (p2) return "     PickUp1: ERROR PickUp2: OK";
  if (p1) return "     PickUp1: OK    PickUp2: ERROR";
  return "     PickUp1: ERROR PickUp2: ERROR";
}

}  // namespace

bool CSelfTest::Start(int rpm, const std::string& unitInfo) {
  unitInfo_ = unitInfo;
  waited_ = 0;
  if (rpm != 0) {
    stage_ = 1;
    count_ = kRestartTicks;
    return true;
  }
  stage_ = 2;
  count_ = kRunTicks;
  return false;
}

void CSelfTest::Finish(const LocalTime& now, std::vector<std::string> lines) {
  const std::string stamp = Format("%02i.%02i.%02i-%02i:%02i:%02i", now.day, now.month, now.year % 100,
                                   now.hour, now.minute, now.second);
  memo_.push_back(Format("Selftest: %s", stamp.c_str()));
  memo_.push_back(unitInfo_);
  for (std::string& l : lines) memo_.push_back(std::move(l));
  stage_ = 5;
  count_ = kResultTicks;
}

void CSelfTest::Tick(const LocalTime& now) {
  if (stage_ == 1 || stage_ == 2) {
    if (++waited_ >= kGiveUpTicks) {
      ok_ = false;
      Finish(now, {stage_ == 1 ? "0) restart: ERROR (the engine did not stop within 60 s)"
                               : "0) start: ERROR (no monitor record within 60 s)"});
      return;
    }
  }
  if (count_ <= 0) return;
  if (--count_ == 0) {
    if (stage_ == 3)
      stage_ = 4;
    else if (stage_ == 5)
      stage_ = 0;
  }
}

uint8_t CSelfTest::Evaluate(const Update& u) {
  const MonitorRecord& r = u.record;
  const int mv = r.Word(Mon::TPS);
  const bool in1Low = r.Bit(Mon::LEVELS, 0), in2Low = r.Bit(Mon::LEVELS, 1);
  switch (stage_) {
    case 1:
      if (r.Word(Mon::RPM) == 0) {
        stage_ = 2;
        waited_ = 0;
      }
      return 0;
    case 2:
      ok_ = true;
      stage_ = 3;
      count_ = kTestTicks;
      maxRpm_ = 0;
      input1_ = in1Low ? 1 : 0;
      input2_ = in2Low ? 1 : 0;
      output1_ = Window1(mv) ? 1 : 0;
      voltage1_ = mv;
      voltage2_ = mv;
      return 0x07;  // power outputs 1 and 2 and the rpm test
    case 3:
      maxRpm_ = std::max<int>(maxRpm_, r.Word(Mon::RPM));
      if (input1_ == 1 && !in1Low) input1_ = 2;
      if (input2_ == 1 && !in2Low) input2_ = 2;
      if (output1_ == 1 && Window2(mv)) {
        output1_ = 2;
        voltage2_ = mv;
      }
      if (output1_ < 2) voltage2_ = mv;
      return 0;
    case 4: {
      const bool servo = r.Bit(Mon::ERRORS, ErrorBit::SERVO_OK);
      const bool tacho = maxRpm_ >= u.testSetRpm * 0.99 && maxRpm_ <= u.testSetRpm * 1.01;
      const bool adv1 = InRange(r.Word(Mon::ADV_MAX), 185, 192),
                 adv2 = InRange(r.Word(Mon::ADV_MAX + 1), 185, 192);
      ok_ = servo && u.pickup1Ok && u.pickup2Ok && tacho && output1_ == 2 && input1_ == 2 && input2_ == 2 &&
            adv1 && adv2;
      const std::string compare = Format(tacho ? "(%i=%i)" : "(%i<>%i)", maxRpm_, u.testSetRpm);
      Finish(u.now, {Format("1) servo: %s", OkError(servo)),
                     Format("2) tacho: %s %s %s", OkError(tacho), compare.c_str(),
                            PickupText(u.pickup1Ok, u.pickup2Ok)),
                     Format("3) Powerout1: %s (%0.3f->%0.3f)", OkError(output1_ == 2), voltage1_ / 1000.0,
                            voltage2_ / 1000.0),
                     InputLine(input1_, input2_)});
      return 0;
    }
    default: return 0;
  }
}

LabelView CSelfTest::Label() const {
  LabelView v;
  v.visible = false;  // the service tools keep the self-test controls hidden
  switch (stage_) {
    case 1: v.text = Format("Restarting unit (%i)...", count_); break;
    case 2: v.text = Format("Running test (%i)...", count_); break;
    case 3:
    case 4: v.text = Format("Testing (%i)...", count_); break;
    case 5:
      v.text = ok_ ? "Result OK..." : "Result ERROR...";
      v.back = ok_ ? MonColour::Green : MonColour::Red;
      break;
    default: v.text = ""; break;
  }
  return v;
}

}  // namespace ign
