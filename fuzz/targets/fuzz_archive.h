#pragma once
// Fuzz bodies of the archive store: OPEN on arbitrary bytes, and command
// lines run against a small folder of files. Both abort on an inconsistency.
#include <cstddef>
#include <cstdint>

namespace ign::fuzz {

// The bytes as a host file: OPEN; a loaded store saved and opened again
// must hold the same tree.
int ArchiveOpen(const uint8_t* data, size_t size);
// The bytes as command lines run in a private folder holding a host file
// and a small tree; disk paths that leave the folder are not run.
int ArchiveCommands(const uint8_t* data, size_t size);

}  // namespace ign::fuzz
