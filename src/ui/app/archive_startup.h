#pragma once
// Start-up step: the archive store behind the program's own file.

namespace ign {

// Opens the store of the running program (its resolved file); an empty one
// receives ..\IMPET\NEW_108 of the working folder. Lines go to standard output.
void OpenArchiveStore();

}  // namespace ign
