#pragma once
// The copies of the image that the program keeps, and their comparison.
#include <array>

#include "core/base/status_iface.h"
#include "core/params/image.h"

namespace ign {

struct ParamState {
  Image edited{};  // "PC settings": what the pages show and edit
  Image unit{};    // as last read from the unit
  bool unitValid = false;
  Image file{};        // as last loaded from or saved to a settings file
  bool saved = false;  // edited equals file
  bool identicalToUnit = false;
  std::array<uint8_t, RS_LEN_EXE> marks{};  // 1 = byte changed and not yet programmed
};

// Updates the saved-state and identical-to-unit flags, the title and status slot 4.
void CompareImages(ParamState& s, IStatus& status);

// Number of bytes 0..1049 in which a and b differ.
int CountDifferences(const Image& a, const Image& b);

// Twelve flags derived from the edited image that show or hide page controls.
// Forces RESERVED_389 to 0.
using FeatureFlags = std::array<bool, 12>;
FeatureFlags RefreshFeatureFlags(Image& img);

}  // namespace ign
