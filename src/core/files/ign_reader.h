#pragma once
// Reader of the settings file (.ign): files of version 108 and of the older
// versions 93, 95, 97 and 98; in developer test mode also the files of four
// other unit families (cross transformation).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A file that ends before it should: cut off in a keyword line, or without
// sections that every written file of its version carries.
struct IgnDamage {
  int endLine = 0;         // the last line of the file that holds anything
  std::string cutKeyword;  // the keyword whose values the end of the file cut short; empty: none
  int cutKeywordLine = 0;  // the line that keyword stands in
  int valuesRead = 0;      // of that keyword's values (both 0 for "VERSIONS": its lines)
  int valuesExpected = 0;
  std::vector<std::string> missing;  // sections the file lacks, in the order they are written
};

struct IgnReadResult {
  IgnReadStatus status = IgnReadStatus::OpenFailed;
  int version = -1;                  // the file's version, -1 when none was read
  bool crossTransformation = false;  // a version of another unit family
  bool bikeSection = false;          // the file held a "BIKE" section
  bool map2Read = false;             // the file held an "ADVANCE2" section
  // Set when an accepted file was cut off or lacks sections; what it holds
  // was read all the same.
  std::optional<IgnDamage> damage;

  bool Accepted() const { return status == IgnReadStatus::Accepted; }
  bool Damaged() const { return damage.has_value(); }
};

// The warning about a damaged file, UTF-8 in the current language: the file
// name, the line it ends in, the keyword cut short and the missing sections.
std::string IgnDamageMessage(const IgnDamage& damage, const std::string& fileName);

// Reads text as the content of a settings file into img. defaults carries the
// group mask and the bike-changed flag; messages may be null.
IgnReadResult ReadSettingsText(std::string_view text, Image& img, CDefaults& defaults,
                               const IgnReadOptions& options, IFileMessages* messages);

// Reads the file at path (binary, at most kIgnMaxFileSize bytes) and then as above.
IgnReadResult ReadSettingsFile(const std::string& path, Image& img, CDefaults& defaults,
                               const IgnReadOptions& options, IFileMessages* messages);

}  // namespace ign
