#pragma once
// Language-packed strings: one literal with the English, German and Czech text,
//   "###Verify: OK##Vergleichen: OK##Verifikace: OK"
// resolved to the text of one language when it is shown.
//
// Threads: texts are resolved on the GUI thread (or the ignctl driver loop)
// only. The parse cache below is not locked; the protocol, port and update
// threads never resolve texts.
//
// Each string is parsed the first time it is resolved and remembered by its
// address; later resolutions look it up without parsing or allocating. The
// string must stay alive and unchanged while its results are used (literals
// do). A component that keeps a packed text of its own (a status slot, a map
// title) holds it in a CPackedText instead, which carries its own parsed form.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/language.h"
#include "core/text/packed_form.h"
#include "core/text/relabel.h"

namespace ign {

// The text to show in the current language. Null gives null; a string not
// beginning with '#' is returned as it stands. A malformed packed string is
// reported through MessageBox() and returned as it stands.
const char* LngStr(const char* packed);
// The same for language 0, 1 or 2; -1 is the current language and any other
// value counts as English.
const char* LngStr(const char* packed, int language);

// An owned copy of a packed text with its own parsed form.
class CPackedText {
 public:
  CPackedText() = default;
  explicit CPackedText(const char* packed) : text_(packed ? packed : "") {}

  const std::string& Packed() const { return text_; }
  // Valid until this object is changed or destroyed.
  const char* Resolve(int language = LNG_CURRENT) const;

 private:
  std::string text_;
  mutable std::optional<PackedForm> form_;
};

namespace detail {
// How many times a packed string has been parsed (tests check that repeated
// resolution does not parse again).
std::size_t PackedParseCount();
}  // namespace detail

}  // namespace ign
