#pragma once
// Default settings, bike presets and the power-output fixed values.
#include <array>
#include <functional>

#include "core/params/image.h"

namespace ign {

constexpr int kGroupCount = 10;
constexpr int kBikeUserDefined = 255;
constexpr int kBikePresetCount = 44;  // bikes 0..43 have a preset
constexpr int kStartBike = 20;        // the bike the image holds before the first defaults

// Page groups (page indexes of the parameter pages).
namespace Group {
constexpr int Misc = 0, Bike = 1, Sensors = 2, AdvanceMap = 3, PowerOut = 4, Servo = 5, Gear = 6, Race = 7,
              N2O = 8, Test = 9, All = -1;
}

class CDefaults {
 public:
  void SetGroupMask(int group);
  bool Selected(int group) const { return mask_[group]; }
  const std::array<bool, kGroupCount>& Mask() const { return mask_; }

  // Set by the bike selector just before it loads a preset.
  void SetBikeChanged(bool on) { bikeChanged_ = on; }
  bool BikeChanged() const { return bikeChanged_; }

  void LoadDefaults(Image& img, int group);
  void ApplyBikePreset(Image& img);
  void SetPowerOutDefaults(Image& img);
  // Step 3 of LoadDefaults alone: the default values of the selected groups.
  // The settings-file reader applies them before reading an older file.
  void ApplyDefaultValues(Image& img);

  // Called at the end of LoadDefaults so the map editors reload their data.
  std::function<void()> onMapsReload;

 private:
  std::array<bool, kGroupCount> mask_{};
  bool bikeChanged_ = false;
};

// Values implied by a power output's function. mode 0 masks only, 1 or 2 fuller.
void SetPowerOutFixed(Image& img, int output, int mode);

// Start-up contents: an all-zero image with the start bike, then all defaults.
Image StartupImage();

}  // namespace ign
