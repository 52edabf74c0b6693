#pragma once
// Where the program's own files are, installed or run from the build tree.
//
// Installed, the programs lie in <prefix>/bin and their data (the user guide
// and its pictures) in <prefix>/share/ignset. In the build tree the data are
// copied beside the executable. Every look-up tries beside the executable
// first and the installed data folder second, so both run as they are.
#include <string>

namespace ign {

// The installed data folder seen from the executable's folder.
std::string InstalledDataFolder(const std::string& exeFolder);

// exeFolder/name when it exists, else the installed data folder's file when
// that exists, else exeFolder/name (for the message that names what is missing).
std::string ProgramDataFile(const std::string& exeFolder, const std::string& name);

// The folder of "Open from exe dir" / "Save to exe dir" (the preset file
// data.ign): the executable's folder when the program runs where its data lie
// (the build tree or an unpacked copy: the user guide is beside it), else the
// user's settings folder, because an installed program's folder is the
// system's and not writable. An empty settings folder falls back to the
// executable's folder.
std::string PresetFolder(const std::string& exeFolder, const std::string& settingsFolder);

}  // namespace ign
