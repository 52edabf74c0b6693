#pragma once
// Whole-file writes that never leave a half-written file behind: the bytes go
// to a temporary file in the same folder, which is then renamed over the old one.
#include <string>
#include <string_view>

namespace ign {

// Returns false when the temporary file cannot be created, written or renamed;
// the old file is then left as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; returns false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace ign
