#pragma once
// How the window and the command line show the machine's outcomes and
// progress: the one place that turns them into texts and colours.
#include <cstdint>

#include "core/device/comm_state.h"

namespace ign {

struct OutcomeView {
  const char* text = nullptr;  // packed text for the result slot; nullptr: the slot is left alone
  uint32_t back = 0;           // its background colour
  bool gaugeError = false;     // the gauge turns red and full
  bool gaugeFull = false;      // the gauge runs to its end
};

OutcomeView PresentOutcome(Operation operation, Result result);

// What an operation cut off by the loss of the unit means for the tuner
// (packed text, several lines); nullptr for operations whose loss needs no words.
const char* CutOffExplanation(Operation operation);

// Texts of the machine, shared with tests and the command line.
namespace CommText {
extern const char* const NoConnection;
extern const char* const Checking;
extern const char* const CheckingOk;
extern const char* const CheckingError;
extern const char* const Read;
extern const char* const ReadError;
extern const char* const Verify;
extern const char* const VerifyOk;
extern const char* const VerifyCorrected;
extern const char* const VerifyError;
extern const char* const Program;
extern const char* const ProgramOk;
extern const char* const Saving;
extern const char* const ReadCutOff;
extern const char* const VerifyCutOff;
extern const char* const ProgramCutOff;
}  // namespace CommText

}  // namespace ign
