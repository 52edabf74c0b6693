#pragma once
// Reader of the settings file (.ign): files of version 108 and of the older
// versions 93, 95, 97 and 98; in developer test mode also the files of four
// other unit families (cross transformation).
#include <string>
#include <string_view>

#include "core/files/file_messages.h"
#include "core/params/defaults.h"
#include "core/params/image.h"

namespace ign {

struct IgnReadOptions {
  int group = -1;              // page group for the group mask; every caller passes -1
  bool showMessages = false;   // version messages through IFileMessages
  bool developerTest = false;  // accept the cross transformations
};

enum class IgnReadStatus {
  OpenFailed,  // the file cannot be opened or read
  TooLarge,    // larger than kIgnMaxFileSize; nothing read
  NoKey,       // no "KARDOMEX_KEY": nothing changed, nothing reported
  Unmatched,   // a version that is not accepted
  Accepted,    // read and applied to the image
};

struct IgnReadResult {
  IgnReadStatus status = IgnReadStatus::OpenFailed;
  int version = -1;                  // the file's version, -1 when none was read
  bool crossTransformation = false;  // a version of another unit family
  bool bikeSection = false;          // the file held a "BIKE" section
  bool map2Read = false;             // the file held an "ADVANCE2" section

  bool Accepted() const { return status == IgnReadStatus::Accepted; }
};

// Reads text as the content of a settings file into img. defaults carries the
// group mask and the bike-changed flag; messages may be null.
IgnReadResult ReadSettingsText(std::string_view text, Image& img, CDefaults& defaults,
                               const IgnReadOptions& options, IFileMessages* messages);

// Reads the file at path (binary, at most kIgnMaxFileSize bytes) and then as above.
IgnReadResult ReadSettingsFile(const std::string& path, Image& img, CDefaults& defaults,
                               const IgnReadOptions& options, IFileMessages* messages);

}  // namespace ign
