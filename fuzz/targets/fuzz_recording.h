#pragma once
// Fuzz body of the recording reader (.ignlog): arbitrary bytes, and the same
// bytes spread into the layout of a recording so that short inputs reach the
// record checks. A file the reader accepts is played to its end and jumped
// about in; an inconsistency aborts.
#include <cstddef>
#include <cstdint>

namespace ign::fuzz {

// Input layout for the spread form: bytes 0..255 are the header's first 256
// bytes, the next 2 x (records at 254) bytes the low halves of the offsets,
// and the rest follows the header's first 12256 bytes (high halves, then data).
int RecordingReader(const uint8_t* data, size_t size);

}  // namespace ign::fuzz
