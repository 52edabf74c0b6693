#pragma once
// The archive store at program start: the store behind the program's own
// file is loaded; when it loaded (with or without a marker) and its root is
// empty, the folder ..\IMPET\NEW_<version> of the working folder is imported
// into the root. The command lines and their results go to out; a folder
// that does not exist is the usual case and is passed over without a word.
#include <ostream>
#include <string>

#include "core/files/impet.h"

namespace ign {

// Returns the result of opening (kImpetLoaded .. kImpetDamaged).
int StartArchiveStore(CImpet& store, const std::string& programPath, std::ostream& out, int version = 108);

}  // namespace ign
