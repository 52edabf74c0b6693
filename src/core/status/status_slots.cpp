#include "core/status/status_slots.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/base/tick_clock.h"

namespace ign {

namespace {
// Slots that may hold a label; 0 and 3 are kept only for numbering.
bool MayHaveLabel(int slot) {
  return slot == Slot::Connection || slot == Slot::Result || slot == Slot::Congruence;
}
}  // namespace

void CStatusSlots::BindLabel(int slot, IStatusLabel* label) {
  if (MayHaveLabel(slot)) slots_[slot].label = label;
}

void CStatusSlots::Start() {
  for (int i = 0; i < kSlotCount; ++i) {
    slots_[i].expiry = kNever;
    if (slots_[i].label) slots_[i].label->SetVisible(false);
    slots_[i].shown = false;
  }
}

void CStatusSlots::FreeTexts() {
  for (SlotState& s : slots_) s.text.reset();
}

void CStatusSlots::Hide(int slot) {
  SlotState& s = slots_[slot];
  if (s.label) s.label->SetVisible(false);
  s.shown = false;
  if (slot == Slot::Result && hideGauge_) hideGauge_();
}

void CStatusSlots::ShowStatus(int slot, const char* packed, int durationMs, uint32_t fontColour,
                              uint32_t backColour, int priority) {
  if (!Valid(slot) || !slots_[slot].label) return;
  SlotState& s = slots_[slot];
  if (!s.text || !s.shown) s.priority = -1;
  if (priority >= 0 && priority < s.priority) return;

  s.priority = priority;
  s.text.reset();
  if (!packed) {
    Hide(slot);
    return;
  }
  s.text.emplace(packed);
  s.label->SetVisible(true);
  s.shown = true;
  s.label->SetCaption(s.text->Resolve());
  if (fontColour != Colour::None || backColour != Colour::None) {
    // The label keeps a colour passed as None; hand it the ones to change.
    s.label->SetColours(fontColour, backColour);
  }
  if (durationMs > 0) {
    const int64_t expiry = int64_t(clock_.Ticks()) + durationMs / kMsPerTick;
    // Expiry 0 would mean "never set": a short message shown at tick 0 must
    // still go away.
    s.expiry = static_cast<int32_t>(std::clamp<int64_t>(expiry, 1, std::numeric_limits<int32_t>::max()));
  } else if (durationMs < 0) {
    s.expiry = kNever;
  }
}

void CStatusSlots::ExpireStatus() {
  const int32_t now = clock_.Ticks();
  for (int i = 0; i < kSlotCount; ++i) {
    if (slots_[i].expiry > 0 && slots_[i].expiry < now) {
      slots_[i].expiry = 0;
      Hide(i);
    }
  }
}

void CStatusSlots::Relabel() {
  for (SlotState& s : slots_) {
    if (s.label && s.text) s.label->SetCaption(s.text->Resolve());
  }
}

void CStatusSlots::RefreshTitle() {
  if (!titleSink_) return;
  titleSink_(ComposeTitle(titleSource_ ? titleSource_() : TitleState{}));
}

bool CStatusSlots::IsShown(int slot) const { return Valid(slot) && slots_[slot].shown; }

int CStatusSlots::Priority(int slot) const { return Valid(slot) ? slots_[slot].priority : -1; }

int32_t CStatusSlots::Expiry(int slot) const { return Valid(slot) ? slots_[slot].expiry : 0; }

const char* CStatusSlots::Text(int slot) const {
  return Valid(slot) && slots_[slot].text ? slots_[slot].text->Packed().c_str() : nullptr;
}

}  // namespace ign
