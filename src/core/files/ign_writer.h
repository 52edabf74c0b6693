#pragma once
// Writer of the settings file (.ign): keywords and the shown values of the
// parameter image, CR LF line ends, Windows-1250 text.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/files/ign_format.h"
#include "core/files/unit_info.h"
#include "core/params/image.h"

namespace ign {

// What the "VERSIONS" block and the calibration lines carry besides the image.
// Texts are UTF-8; all are empty before a unit has been connected.
struct IgnVersions {
  std::string hexDate, hexTime, hexVersion;  // the unit program labels of the Bike page
  UnitInfo unit;                             // the decoded unit header
  std::string versionText;                   // the version text of the link
  std::string exeDate = kIgnBuildDate;
  std::string exeTime = kIgnBuildTime;
  // The unit's three monitor calibration coefficients (EE, FLASH, NEW); only
  // while a unit is connected.
  std::optional<std::array<int, 3>> calibration;
};

// The keywords every file this writer writes carries, in the order written
// (not those written only for some images: "INPUT1", "INPUT2" and the
// calibration lines). A file of this version without one of them was cut
// off or damaged.
std::span<const std::string_view> IgnWrittenSections();

// The whole file content as it goes to disk.
std::string WriteSettingsFile(const Image& img, const IgnVersions& versions);

// Writes the file through a temporary file in the same folder; false when it
// cannot be written (the old file is then left as it was).
bool SaveSettingsFile(const std::string& path, const Image& img, const IgnVersions& versions);

}  // namespace ign
