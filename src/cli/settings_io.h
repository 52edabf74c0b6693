#pragma once
// Settings by file extension: .ign settings file, .bin the 1050 raw bytes,
// .ini the default.ini layout.
#include <string>

#include "core/files/ign_writer.h"
#include "core/params/image.h"

namespace ign::cli {

enum class FileKind { Ign, Bin, Ini, Unknown };
FileKind KindOf(const std::string& path);

// Applies the file to img as Open does (normalised unless raw). False with a
// message when the file cannot be read or is damaged; img is then unchanged.
bool LoadSettings(const std::string& path, Image& img, bool raw, std::string& error);
// The start-up settings, normalised: what every loaded file is applied to.
Image DefaultSettings();
bool SaveSettings(const std::string& path, const Image& img, const IgnVersions& versions, std::string& error);

}  // namespace ign::cli
