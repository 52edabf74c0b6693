#pragma once
// The texts of the message table, one triple (English, German, Czech) per entry.
#include <cstddef>
#include <span>

namespace ign {

struct MessageTriple {
  int n;
  const char* english;
  const char* german;  // nullptr: the English text is shown in German too
  const char* czech;
  std::size_t padTo = 0;  // > 0: padded with blanks to this many characters
};

std::span<const MessageTriple> MessageTriples();

}  // namespace ign
