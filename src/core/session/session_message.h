#pragma once
// What the session has to tell or ask the tuner. The session records it during
// a tick; the front end shows it after the tick has returned (the window in a
// box, the command line on standard error), so nothing modal runs inside a tick.
#include <string>

namespace ign {

struct SessionMessage {
  enum class Kind {
    Version,  // the unit's key or subversion is not this program's
    CutOff,   // an operation was cut off by the loss of the unit
    History,  // the unit history could not record an operation, or was begun anew
    Monitor,  // the CSV log, the recorder or the player cannot go on
  };
  Kind kind = Kind::Version;
  std::string title;  // in the language current when it was recorded
  std::string text;
  // The engine takes no step until the tuner has read it. A cut-off is not
  // holding: the search for the unit goes on under it.
  bool holding = false;
};

}  // namespace ign
