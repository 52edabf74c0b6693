#pragma once
// A session with no unit and no window for the session's behaviour tests:
// an empty port folder, its own settings folder, the start-up bike's defaults
// normalised, and an undo history that begins there.
#include <filesystem>
#include <memory>

#include "core/session/session.h"
#include "tests/app/temp_dir.h"

namespace ign::test {

inline std::unique_ptr<CSession> MakeBareSession(ISessionView& view, const TempDir& dir, RunConfig& config) {
  std::filesystem::create_directories(dir.File("ports"));
  config.portDir = dir.File("ports");
  config.settingsDir = dir.File("settings");
  auto session = std::make_unique<CSession>(&view, nullptr, config);
  session->Params().Working()[Adrb::BIKE] = kStartBike;
  session->LoadDefaults(Group::All);
  session->NormaliseEdited();
  session->Undo().ResetUndo();
  return session;
}

// Changes the limiter as a page would and commits it; false when nothing changed.
inline bool EditLimiter(CSession& session, uint8_t value) {
  session.Params().Working()[Adrb::LIMITER] = value;
  return session.CommitEdit();
}

}  // namespace ign::test
