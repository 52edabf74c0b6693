#include "core/device/outcome_view.h"

#include "core/base/status_iface.h"

namespace ign {

namespace CommText {
const char* const NoConnection =
    "###No connection with PC...##Keine Verbindung zum PC...##Není spojení s PC...";
const char* const Checking = "###Checking:##Geräteprüfung:##Kontrola jednotky:";
const char* const CheckingOk = "###Checking: OK##Geräteprüfung: OK##Kontrola jednotky: OK";
const char* const CheckingError = "###Checking error !##Geräteprüfung Fehler !##Chyba kontroly jednotky !";
const char* const Read = "###Read:##Lesen:##Čtení:";
const char* const ReadError = "###Read error !##Lesefehler !##Chyba čtení !";
const char* const Verify = "###Verify:##Vergleichen:##Verifikace:";
const char* const VerifyOk = "###Verify: OK##Vergleichen: OK##Verifikace: OK";
const char* const VerifyCorrected = "###Verify: corrected##Vergleichen: korrigiert##Verifikace: opraveno";
const char* const VerifyError = "###Verify error !##Vergleichsfehler !##Chyba verifikace !";
const char* const Program = "###Program device:##Programmieren:##Programování:";
const char* const ProgramOk = "###Program device: OK##Programmieren: OK##Programování: OK";
const char* const Saving = "###Saving:##Speichern:##Ukládání:";
const char* const ReadCutOff = "###Read cut off !##Lesen abgebrochen !##Čtení přerušeno !";
const char* const VerifyCutOff = "###Verify cut off !##Vergleichen abgebrochen !##Verifikace přerušena !";
const char* const ProgramCutOff =
    "###Program cut off !##Programmieren abgebrochen !##Programování přerušeno !";
}  // namespace CommText

namespace {

constexpr uint32_t kPlain = Colour::ButtonFace;
constexpr uint32_t kAlarm = Colour::Red;

struct Row {
  Operation operation;
  Result result;
  OutcomeView view;
};

// A failed job shows on red; two disagreeing reads on the plain background.
// Initialised after the texts above (same translation unit, in order).
const Row kRows[] = {
    {Operation::Check, Result::Ok, {CommText::CheckingOk, kPlain, false, true}},
    {Operation::Check, Result::Disagreed, {CommText::CheckingError, kPlain, true, false}},
    {Operation::Check, Result::JobFailed, {CommText::CheckingError, kAlarm, true, false}},
    {Operation::Check, Result::VersionMismatch, {nullptr, 0, true, false}},
    {Operation::Read, Result::Ok, {CommText::VerifyOk, kPlain, false, true}},
    {Operation::Read, Result::Corrected, {CommText::VerifyCorrected, kPlain, false, true}},
    {Operation::Read, Result::Disagreed, {CommText::VerifyError, kPlain, true, false}},
    {Operation::Read, Result::JobFailed, {CommText::ReadError, kAlarm, true, false}},
    {Operation::Verify, Result::Ok, {CommText::VerifyOk, kPlain, false, true}},
    {Operation::Verify, Result::Different, {CommText::VerifyError, kPlain, true, false}},
    {Operation::Verify, Result::JobFailed, {CommText::VerifyError, kAlarm, true, false}},
    {Operation::Program, Result::Ok, {CommText::VerifyOk, kPlain, false, true}},
    {Operation::Program, Result::Saved, {CommText::ProgramOk, kPlain, false, true}},
    {Operation::Program, Result::Disagreed, {CommText::CheckingError, kPlain, true, false}},
    {Operation::Program, Result::Different, {CommText::VerifyError, kPlain, true, false}},
    {Operation::Program, Result::JobFailed, {CommText::VerifyError, kAlarm, true, false}},
    {Operation::Program, Result::VersionMismatch, {nullptr, 0, true, false}},
    {Operation::Read, Result::LinkLost, {CommText::ReadCutOff, kAlarm, true, false}},
    {Operation::Verify, Result::LinkLost, {CommText::VerifyCutOff, kAlarm, true, false}},
    {Operation::Program, Result::LinkLost, {CommText::ProgramCutOff, kAlarm, true, false}},
};

const char* const kReadLost =
    "###The connection to the unit was lost while reading.\n"
    "The unit's settings were not taken: the editor holds what it held before."
    "##Die Verbindung zum Gerät ging beim Lesen verloren.\n"
    "Die Einstellungen des Geräts wurden nicht übernommen: der Editor enthält, was er vorher enthielt."
    "##Spojení s jednotkou se během čtení přerušilo.\n"
    "Nastavení jednotky nebylo převzato: editor obsahuje to, co obsahoval předtím.";
const char* const kVerifyLost =
    "###The connection to the unit was lost while verifying.\n"
    "The comparison was not finished."
    "##Die Verbindung zum Gerät ging beim Vergleichen verloren.\n"
    "Der Vergleich wurde nicht beendet."
    "##Spojení s jednotkou se během verifikace přerušilo.\n"
    "Porovnání nebylo dokončeno.";
const char* const kProgramLost =
    "###The connection to the unit was lost while programming.\n"
    "The unit may hold only part of the new settings: program it again as soon as it is connected."
    "##Die Verbindung zum Gerät ging beim Programmieren verloren.\n"
    "Das Gerät enthält möglicherweise nur einen Teil der neuen Einstellungen: programmieren Sie es erneut, "
    "sobald es verbunden ist."
    "##Spojení s jednotkou se během programování přerušilo.\n"
    "Jednotka může obsahovat jen část nového nastavení: naprogramujte ji znovu, jakmile bude připojena.";

}  // namespace

OutcomeView PresentOutcome(Operation operation, Result result) {
  for (const Row& r : kRows)
    if (r.operation == operation && r.result == result) return r.view;
  return {};  // the reset, the monitor read and a lost connection check show nothing of their own
}

const char* CutOffExplanation(Operation operation) {
  switch (operation) {
    case Operation::Read: return kReadLost;
    case Operation::Verify: return kVerifyLost;
    case Operation::Program: return kProgramLost;
    default: return nullptr;
  }
}

}  // namespace ign
