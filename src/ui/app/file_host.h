#pragma once
// The Save dialog of the settings-file commands, replaceable by tests.
#include <functional>
#include <string>

#include "core/files/settings_files.h"

namespace ign {

// Replaces the Save dialog (tests): given the name the dialog would start
// with, returns the chosen path, empty for cancel. Empty restores the dialog.
using SaveNameChooser = std::function<std::string(const std::string& preset)>;
void SetSaveNameChooser(SaveNameChooser chooser);

}  // namespace ign
