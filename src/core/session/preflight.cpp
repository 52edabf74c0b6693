#include "core/session/preflight.h"

#include "core/text/messages.h"

namespace ign {

namespace {
constexpr int kMsgNewInstallation = 62;
constexpr int kMsgDifferentBike = 63;
constexpr int kMsgWarning = 64;
constexpr int kMsgAttention = 65;
}  // namespace

Preflight CheckProgram(const ProgramFacts& facts) {
  if (facts.newInstallation) return {Verdict::Refuse, Msg(kMsgAttention), Msg(kMsgNewInstallation)};
  if (facts.unitBike != -1 && facts.unitBike != facts.editedBike)
    return {Verdict::Confirm, Msg(kMsgWarning), Msg(kMsgDifferentBike)};
  return {};
}

}  // namespace ign
