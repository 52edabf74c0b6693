#pragma once
// A status label that only remembers what it shows: the command line and the
// tests read the status slots through it.
#include <string>
#include <vector>

#include "core/status/status_slots.h"

namespace ign {

class CMemoryLabel : public IStatusLabel {
 public:
  void SetVisible(bool visible) override { visible_ = visible; }
  void SetCaption(const std::string& utf8) override {
    caption_ = utf8;
    history_.push_back(utf8);
  }
  void SetColours(uint32_t font, uint32_t back) override {
    if (font != Colour::None) font_ = font;
    if (back != Colour::None) back_ = back;
  }
  bool Visible() const { return visible_; }
  // The caption while the label is shown, else empty.
  std::string Shown() const { return visible_ ? caption_ : std::string(); }
  const std::string& Caption() const { return caption_; }
  // Every caption set so far, oldest first.
  const std::vector<std::string>& History() const { return history_; }
  uint32_t Back() const { return back_; }
  uint32_t Font() const { return font_; }

 private:
  bool visible_ = false;
  std::string caption_;
  std::vector<std::string> history_;
  uint32_t font_ = Colour::Black, back_ = Colour::ButtonFace;
};

}  // namespace ign
