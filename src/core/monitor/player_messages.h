#pragma once
// What the user is told when the recorder cannot go on, in the current language.
#include <string>

#include "core/monitor/player.h"

namespace ign {

// The message for an event of the recorder ("" for events that need none).
std::string PlayerMessage(CMonitorPlayer::Event event, const std::string& path);

}  // namespace ign
