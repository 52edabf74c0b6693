#pragma once
// The status display: five message slots (0..4), of which 1, 2 and 4 have a
// label in the main window, and the window title. Each slot keeps its own copy
// of the packed text it shows, so a language change can show it again.
// GUI thread only.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/base/status_iface.h"
#include "core/base/tick_clock.h"
#include "core/status/title.h"
#include "core/text/lngstr.h"

namespace ign {

// A label of the window as the status slots see it.
class IStatusLabel {
 public:
  virtual ~IStatusLabel() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetCaption(const std::string& utf8) = 0;
  // Either colour may be Colour::None: leave that one as it is.
  virtual void SetColours(uint32_t font, uint32_t back) = 0;
};

namespace StatusPriority {
constexpr int NoConnection = -5;
constexpr int Operation = 10;
constexpr int Connected = 100;
}  // namespace StatusPriority

class CStatusSlots : public IStatus {
 public:
  static constexpr int kSlotCount = 5;
  static constexpr int32_t kNever = -1;  // expiry: shown until replaced

  // The times of the slots count on the session's clock.
  explicit CStatusSlots(const CTickClock& clock) : clock_(clock) {}

  // Binds the label of a slot (nullptr: none). Slots 0 and 3 never get one.
  void BindLabel(int slot, IStatusLabel* label);
  // Called whenever slot 2 is hidden.
  void SetGaugeHider(std::function<void()> hideGauge) { hideGauge_ = std::move(hideGauge); }
  // Where the title goes, and where its facts come from.
  void SetTitleSink(std::function<void(const std::string&)> sink) { titleSink_ = std::move(sink); }
  void SetTitleSource(std::function<TitleState()> source) { titleSource_ = std::move(source); }

  // Start-up: every expiry never, every label hidden.
  void Start();
  // Shutdown: frees the kept texts.
  void FreeTexts();

  void ShowStatus(int slot, const char* packed, int durationMs, uint32_t fontColour, uint32_t backColour,
                  int priority) override;
  // Every tick: hides the slots whose time has passed.
  void ExpireStatus();
  // After a language change: every labelled slot with a kept text shows it again.
  void Relabel();
  void RefreshTitle() override;

  // Inspection (tests, the service tools).
  bool IsShown(int slot) const;
  int Priority(int slot) const;
  int32_t Expiry(int slot) const;
  // The kept packed text, or nullptr.
  const char* Text(int slot) const;

 private:
  const CTickClock& clock_;
  struct SlotState {
    IStatusLabel* label = nullptr;
    std::optional<CPackedText> text;
    int priority = -1;
    int32_t expiry = 0;
    bool shown = false;
  };

  static bool Valid(int slot) { return slot >= 0 && slot < kSlotCount; }
  void Hide(int slot);

  std::array<SlotState, kSlotCount> slots_{};
  std::function<void()> hideGauge_;
  std::function<void(const std::string&)> titleSink_;
  std::function<TitleState()> titleSource_;
};

}  // namespace ign
