#pragma once
// Constants of the settings file (.ign) shared by its writer and reader.
#include <cstddef>

namespace ign {

constexpr int kIgnFileVersion = 108;  // the version this program writes
constexpr const char* kIgnKey = "KARDOMEX_KEY";
constexpr const char* kIgnProductCode = "QUNTAR6";
constexpr const char* kIgnExtension = "ign";
constexpr const char* kIgnDefaultFile = "data.ign";  // in the executable's folder
// Filters of the Open and Save dialogs (description|pattern pairs).
constexpr const char* kIgnOpenFilter = "Ignition Parametrs(*.ign)|*.ign|All Files (*.*)|*.*";
constexpr const char* kIgnSaveFilter = "Ignition Parametrs(*.ign)|*.ign";
constexpr std::size_t kIgnMaxFileSize = 10485760;  // larger files are not read
constexpr int kIgnIndent = 15;                     // width of the keyword column and of continuation lines

// The build stamp written on the "EXE" line.
constexpr const char* kIgnBuildDate = "Oct 19 2023";
constexpr const char* kIgnBuildTime = "09:46:27";

// Width of the keyword column: 15 for keywords up to 13 characters, 21 for
// 14..19, 27 for 20..25.
constexpr int KeywordWidth(int length) {
  const int w = 6 * ((length - 2) / 6) + 9;
  return w > kIgnIndent ? w : kIgnIndent;
}

}  // namespace ign
