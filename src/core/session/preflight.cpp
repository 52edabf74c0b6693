#include "core/session/preflight.h"

#include "core/text/lngstr.h"
#include "core/text/messages.h"

namespace ign {

namespace {
constexpr int kMsgNewInstallation = 62;
constexpr int kMsgDifferentBike = 63;
constexpr int kMsgWarning = 64;
constexpr int kMsgAttention = 65;
constexpr const char* kPlaying =
    "###A recording is being played back: its settings are not programmed into the unit. Stop the playback "
    "first.##Eine Aufzeichnung wird wiedergegeben: ihre Einstellungen werden nicht in das Gerät "
    "programmiert. "
    "Beenden Sie zuerst die Wiedergabe.##Přehrává se záznam: jeho nastavení se do jednotky neprogramuje. "
    "Nejprve zastavte přehrávání.";
}  // namespace

Preflight CheckProgram(const ProgramFacts& facts) {
  if (facts.newInstallation) return {Verdict::Refuse, Msg(kMsgAttention), Msg(kMsgNewInstallation)};
  if (facts.playing) return {Verdict::Refuse, Msg(kMsgAttention), LngStr(kPlaying)};
  if (facts.unitBike != -1 && facts.unitBike != facts.editedBike)
    return {Verdict::Confirm, Msg(kMsgWarning), Msg(kMsgDifferentBike)};
  return {};
}

}  // namespace ign
