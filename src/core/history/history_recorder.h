#pragma once
// Keeps a session's operations in the unit history. The session calls
// Observe after each step of its engine: the recorder notes the image the
// unit holds while no programming is under way (what a Program replaces) and,
// when a Read, a Program or a Verify that found differences has just ended,
// writes its entry. Writing happens after the outcome and never changes it; a
// failure becomes one message for the front end.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/device/engine.h"
#include "core/files/unit_info.h"
#include "core/history/history_store.h"

namespace ign {

// The unit's identity: its serial text from the header when it has a real
// one, else its name with production date and time.
std::string UnitIdentity(const UnitInfo& unit);

// What the recorder noticed, for a front end that shows it (the window opens
// the difference view after a Verify that found differences).
struct HistoryNotice {
  HistoryRecord record;
  std::optional<int64_t> entry;  // its id when it was written
};

class CHistoryRecorder {
 public:
  explicit CHistoryRecorder(std::string path);

  // Off: nothing is written (ignctl --no-history); what is noticed is still told.
  void SetEnabled(bool on) { enabled_ = on; }
  bool Enabled() const { return enabled_; }
  // The settings file in use, asked when an entry is written.
  void SetFileSource(std::function<std::string()> source) { fileSource_ = std::move(source); }
  void SetClock(std::function<int64_t()> clock) { clock_ = std::move(clock); }
  void SetNoticeSink(std::function<void(const HistoryNotice&)> sink) { noticeSink_ = std::move(sink); }

  // After a step of the engine (see above).
  void Observe(const CEngine& engine, const CUnitInfo& unit);

  // Opens the store now (a front end at its start), so that a damaged file is
  // told at once rather than at the first operation.
  void OpenNow();
  CHistoryStore& Store();
  // Messages for the front end (packed texts resolved in the current
  // language), oldest first; taking them empties the list.
  std::vector<std::string> TakeMessages();
  std::optional<int64_t> LastEntry() const { return lastEntry_; }

 private:
  void Noticed(const Outcome& outcome, const CCommMachine& machine, const CSettingsDoc& params,
               const CUnitInfo& unit);
  void Write(HistoryNotice& notice);
  void Tell(const StoreStatus& status);

  CHistoryStore store_;
  std::string path_;
  bool enabled_ = true;
  bool opened_ = false;
  std::function<std::string()> fileSource_;
  std::function<int64_t()> clock_;
  std::function<void(const HistoryNotice&)> noticeSink_;
  uint32_t seenSequence_ = 0;
  bool observed_ = false;
  Image held_{};  // what the unit held while no programming was under way
  bool heldValid_ = false;
  bool programSaving_ = false;  // a Program was recorded and the unit is still saving it
  bool failureTold_ = false;    // one message until a write succeeds again
  std::vector<std::string> messages_;
  std::optional<int64_t> lastEntry_;
};

}  // namespace ign
