#pragma once
// The developer tools over the preset bikes' settings files: write one
// default settings file per bike into a folder, and compare such a set with
// an older one line by line.
#include <string>
#include <vector>

#include "core/params/image.h"

namespace ign {

constexpr int kPresetBikes = 44;  // bike values 0..43

// The image of a preset bike's file: cleared, the bike, all defaults,
// normalised, and the lobe bytes as the Bike page stores them.
Image PresetImage(int bike);

struct PresetSaveResult {
  bool folderOk = true;             // the folder exists or could be made
  std::vector<std::string> failed;  // the files that could not be written
  std::string folder;               // the folder as an absolute path
};

// For each bike a scratch image (cleared, the bike, all defaults, normalised)
// written to "<folder>/<name>.ign" through a temporary file, with the unit
// texts as when no unit is connected. Touches nothing else.
PresetSaveResult SavePresetFiles(const std::string& folder);

struct PresetCompareResult {
  bool ok = false;
  std::string path;  // the result file, absolute
};

// Writes "<newFolder>/compare_all_new.txt": per bike a header line with its
// list text, then "old"/"akt" messages for missing files, or the lines that
// differ (the old line with the characters both share blanked, then the new
// line), lines past the shorter file included. Lines compare without their
// CR/LF; an old line that begins with "EXE" (the build stamp) is skipped.
PresetCompareResult ComparePresetFiles(const std::string& oldFolder, const std::string& newFolder);

// The comparison of one bike's two files, as written into the result file
// (without the header line).
std::string CompareSettingsText(const std::string& oldText, const std::string& newText);

}  // namespace ign
