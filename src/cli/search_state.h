#pragma once
// ignctl's state file: where the search last found a unit on each port, so
// that the next run tries that protocol first there. ignctl keeps it apart
// from the window's application settings and never touches those.
#include <string>

namespace ign::cli {

// The remembered rows as CSearchMemory text; empty when the file is missing,
// unreadable or not a state file.
std::string LoadSearchState(const std::string& path);
// Creates the folder when needed and replaces the file in one step; false when
// that fails (the old file is then left as it was).
bool SaveSearchState(const std::string& path, const std::string& rows);

}  // namespace ign::cli
