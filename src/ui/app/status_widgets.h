#pragma once
// The status slots' labels as widgets, and the five panels of the status bar.
#include <QLabel>
#include <array>
#include <string>

#include "core/status/status_slots.h"

class QStatusBar;

namespace ign {

// A QLabel seen as a status label. Colours are 0x00BBGGRR; the button-face
// value stands for the style's normal background.
class TStatusLabel : public IStatusLabel {
 public:
  explicit TStatusLabel(QLabel* label) : label_(label) {}
  void SetVisible(bool visible) override;
  void SetCaption(const std::string& utf8) override;
  void SetColours(uint32_t font, uint32_t back) override;

 private:
  QLabel* label_;
};

// Panels: 0 hint (400 wide), 1 "EXE", 2 program identification, 3 "HEX",
// 4 unit identification.
class TStatusPanels {
 public:
  static constexpr int kPanels = 5;
  explicit TStatusPanels(QStatusBar* bar);
  // The unit identification is elided beyond this width (its whole text is
  // the panel's tool tip and accessible description).
  static constexpr int kUnitPanelMaxWidth = 480;
  void SetText(int panel, const std::string& utf8);
  // The whole text of the panel, also where it shows elided.
  QString Text(int panel) const;

 private:
  std::array<QLabel*, kPanels> panels_{};
  std::array<QString, kPanels> texts_{};
};

}  // namespace ign
