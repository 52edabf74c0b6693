#include "core/app/preset_files.h"

#include <filesystem>
#include <system_error>

#include "core/app/bike_file_name.h"
#include "core/base/atomic_file.h"
#include "core/files/ign_writer.h"
#include "core/params/defaults.h"
#include "core/params/lobe.h"
#include "core/params/normalise.h"
#include "core/text/codepage.h"

namespace ign {

namespace fs = std::filesystem;

namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

std::string FileOf(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / (name + ".ign")).string();
}

// The lines of a text without their line ends (LF, CR LF or a lone CR at the end).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace

Image PresetImage(int bike) {
  Image img{};
  img[Adrb::BIKE] = uint8_t(bike);
  CDefaults defaults;
  defaults.LoadDefaults(img, Group::All);
  NormaliseImage(img);
  ShareFirstLobeEdge(&img[Adrb::PICKUP1_LOBES], img[Adrb::PICKUP_SYSTEM]);
  return img;
}

PresetSaveResult SavePresetFiles(const std::string& folder) {
  PresetSaveResult result;
  result.folder = Absolute(folder);
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    result.folderOk = false;
    return result;
  }
  const std::vector<std::string> names = BikeFileNames(kPresetBikes);
  const IgnVersions noUnit;
  for (int bike = 0; bike < kPresetBikes; ++bike) {
    const std::string path = FileOf(folder, names[size_t(bike)]);
    if (!SaveSettingsFile(path, PresetImage(bike), noUnit)) result.failed.push_back(Absolute(path));
  }
  return result;
}

std::string CompareSettingsText(const std::string& oldText, const std::string& newText) {
  const std::vector<std::string> oldLines = Lines(oldText), newLines = Lines(newText);
  std::string out;
  const size_t common = std::min(oldLines.size(), newLines.size());
  for (size_t i = 0; i < common; ++i) {
    std::string oldLine = oldLines[i];
    const std::string& newLine = newLines[i];
    if (oldLine == newLine || oldLine.rfind("EXE", 0) == 0) continue;
    const size_t shorter = std::min(oldLine.size(), newLine.size());
    for (size_t k = 0; k < shorter; ++k)
      if (oldLine[k] == newLine[k]) oldLine[k] = ' ';
    out += "....line:" + std::to_string(i + 1) + "\n" + oldLine + "\n" + newLine + "\n";
  }
  // Lines only one of the two files has.
  for (size_t i = common; i < oldLines.size(); ++i)
    out += "....line:" + std::to_string(i + 1) + " (old only)\n" + oldLines[i] + "\n";
  for (size_t i = common; i < newLines.size(); ++i)
    out += "....line:" + std::to_string(i + 1) + " (new only)\n" + newLines[i] + "\n";
  return out;
}

PresetCompareResult ComparePresetFiles(const std::string& oldFolder, const std::string& newFolder) {
  PresetCompareResult result;
  const std::string path = (fs::path(newFolder) / "compare_all_new.txt").string();
  result.path = Absolute(path);
  const std::vector<std::string> names = BikeFileNames(kPresetBikes);
  std::string out;
  for (int bike = 0; bike < kPresetBikes; ++bike) {
    // The result file is Windows-1250 text like the settings files it quotes.
    out +=
        "------------------------------------------------------   " + Utf8ToCp1250(BikeItemText(bike)) + "\n";
    std::string oldText, newText;
    if (!ReadWholeFile(FileOf(oldFolder, names[size_t(bike)]), oldText)) {
      out += "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \n";
      continue;
    }
    if (!ReadWholeFile(FileOf(newFolder, names[size_t(bike)]), newText)) {
      out += "!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!\n";
      continue;
    }
    out += CompareSettingsText(oldText, newText);
  }
  result.ok = WriteFileAtomically(path, out);
  return result;
}

}  // namespace ign
