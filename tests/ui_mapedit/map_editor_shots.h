#pragma once
// Screenshots of the map editor's named states (mapedit-<state>.png).
#include <QString>

namespace ign {

// Builds each state in a host window and saves a PNG of it into dir.
void SaveMapEditorShots(const QString& dir);

}  // namespace ign
