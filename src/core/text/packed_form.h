#pragma once
// The parsed form of a language-packed string:
//   "###" English "##" German "##" Czech
// One to three fields; a missing, empty or ".." field shows the English one.
// A string that does not begin with '#' is not packed and shows as it stands.
#include <array>
#include <cstddef>
#include <string>

namespace ign {

constexpr std::size_t kMaxPackedField = 255;  // bytes of one field cut at a separator

struct PackedForm {
  enum class Kind { Plain, Fields, Malformed };
  Kind kind = Kind::Plain;
  int count = 0;                      // fields found, 1..3 (Kind::Fields)
  std::array<std::string, 3> fields;  // as shown: trailing white space cut where cut at "##"
  std::array<int, 3> shown{};         // per language, the index of the field it shows
  std::string report;                 // the developer diagnostic (Kind::Malformed)
};

// Parses a packed string once; pure, no reports shown.
PackedForm ParsePacked(const char* text);

// Maps a language argument to 0..2: -1 is the current language, anything
// else outside 0..2 is English.
int ResolveLanguage(int language);

// The text to show for language; for a plain or malformed string that is
// original itself (a malformed one shows its report first).
const char* ShowPacked(const PackedForm& form, const char* original, int language);

}  // namespace ign
