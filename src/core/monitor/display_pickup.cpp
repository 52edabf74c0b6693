// Pick-up state and full synchronisation.
#include "core/monitor/display_format.h"
#include "core/monitor/display_steps.h"
#include "core/text/messages.h"

namespace ign::monitor_detail {

namespace {

// Pick-up systems that have a second pick-up.
bool HasSecondPickup(int system) {
  switch (system) {
    case 0:
    case 4:
    case 6:
    case 9:
    case 11:
    case 12:
    case 14:
    case 17:
    case 18: return true;
    default: return false;
  }
}

// One pick-up label; n is 1 or 2. Returns whether the pick-up is in order (green).
bool Pickup(const StepContext& c, int n, LabelView& v) {
  if (!c.data) {
    v = Dashes(Format("%s %i =  ---", Msg(39), n));
    return false;
  }
  const int k = n - 1;
  const bool run = c.r.Bit(Mon::PICKUP, PickupBit::PICKUP1_RUN + k);
  std::string text = Format("%s %i = %s", Msg(39), n, run ? Msg(40) : Msg(41));
  uint32_t colour = run ? MonColour::Green : MonColour::Normal;
  if (c.r.Bit(Mon::PICKUP, PickupBit::POLARITY1_ERR + k)) {
    text += Msg(70);
    colour = MonColour::Red;
  } else {
    text += c.r.Bit(Mon::PICKUP, PickupBit::POLARITY1 + k) ? Msg(31) : Msg(30);
    if (c.r.Bit(Mon::PICKUP, PickupBit::SYNCHRO1_ERR + k)) {
      text += Format(", %s", Msg(38));
      colour = MonColour::Red;
    }
  }
  v = Shown(text, colour);
  return colour == MonColour::Green;
}

void FullSync(const StepContext& c, DisplayModel& m) {
  const bool shown = c.data && c.r.Bit(Mon::FULL_SYNC, 4);
  for (int i = 0; i < 5; ++i) {
    // LabelFullSync shows channel 1, as LabelFullSynchro1 does.
    const std::string name = i == 0 ? "LabelFullSync" : "LabelFullSynchro" + std::to_string(i);
    const int bit = i == 0 ? 0 : i - 1;
    LabelView v;
    if (!shown) {
      v = Dashes("---", false);
    } else {
      const bool set = c.r.Bit(Mon::FULL_SYNC, bit);
      v = Shown(set ? Msg(23) : Msg(24), set ? MonColour::Green : MonColour::Red);
    }
    m.labels[name] = v;
  }
}

}  // namespace

void PickupLabels(const StepContext& c, DisplayModel& m) {
  m.kept.pickup1Ok = Pickup(c, 1, m.labels["LabelMonSnimac1"]);
  LabelView& second = m.labels["LabelMonSnimac2"];
  m.kept.pickup2Ok = Pickup(c, 2, second);
  second.visible = HasSecondPickup(c.data ? c.r.Byte(Mon::SYNCHRO) : c.img[Adrb::PICKUP_SYSTEM]);
  FullSync(c, m);
}

}  // namespace ign::monitor_detail
