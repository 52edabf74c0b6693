#pragma once
// The checks before an operation that changes the unit: may it go ahead, must
// the tuner confirm it first, or is it refused? The window and the command
// line ask the same checks and differ only in how they put the question.
#include <string>

namespace ign {

enum class Verdict { Go, Confirm, Refuse };

struct Preflight {
  Verdict verdict = Verdict::Go;
  std::string title;   // the caption of the box that shows the reason
  std::string reason;  // in the current language; empty when the verdict is Go
};

// What programming depends on.
struct ProgramFacts {
  bool newInstallation = false;  // nothing read from a unit or opened since the program was installed
  int unitBike = -1;             // the bike the unit reported; -1 until it has
  int editedBike = 0;            // BIKE of the settings about to be programmed
  bool playing = false;          // a played recording's settings are shown
};

// A new installation is refused: its settings are nobody's. So are the
// settings of a recording being played back: they are the ride's, not the
// tuner's. A unit set for another bike than the settings asks first.
Preflight CheckProgram(const ProgramFacts& facts);

}  // namespace ign
