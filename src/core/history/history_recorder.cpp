#include "core/history/history_recorder.h"

#include <ctime>
#include <utility>

#include "core/params/param_diff.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

const char* const kNotRecorded =
    "###This operation was not recorded in the unit history:##Dieser Vorgang wurde nicht im Geräteverlauf "
    "gespeichert:##Tato operace nebyla zapsána do historie jednotky:";
const char* const kResultStands =
    "###Its result stands as shown.##Sein Ergebnis gilt wie angezeigt.##Její výsledek platí, jak je "
    "zobrazen.";
const char* const kDiskFull = "###the disk is full.##der Datenträger ist voll.##disk je plný.";
const char* const kReadOnly =
    "###the history file or its folder may not be written.##die Verlaufsdatei oder ihr Ordner darf nicht "
    "beschrieben werden.##soubor historie nebo jeho složku nelze zapisovat.";
const char* const kBusy =
    "###another program holds the history file.##ein anderes Programm hält die Verlaufsdatei.##soubor "
    "historie "
    "drží jiný program.";
const char* const kOther =
    "###the history file could not be written.##die Verlaufsdatei konnte nicht geschrieben werden.##soubor "
    "historie nelze zapsat.";
const char* const kMovedAside =
    "###The unit history file was damaged. It has been kept as##Die Verlaufsdatei war beschädigt. Sie wurde "
    "aufbewahrt als##Soubor historie jednotky byl poškozen. Byl uschován jako";
const char* const kNewBegun =
    "###and a new history has been begun.##und ein neuer Verlauf wurde begonnen.##a byla založena nová "
    "historie.";

const char* ReasonOf(StoreFailure f) {
  switch (f) {
    case StoreFailure::Full: return kDiskFull;
    case StoreFailure::ReadOnly:
    case StoreFailure::NoFolder: return kReadOnly;
    case StoreFailure::Busy: return kBusy;
    default: return kOther;
  }
}

std::string MovedAsideText(const std::string& aside) {
  return std::string(LngStr(kMovedAside)) + "\n" + aside + "\n" + LngStr(kNewBegun);
}

int ChangedParameters(const Image& a, const Image& b) { return int(DiffImages(a, b).size()); }

Image ImageOf(const std::array<uint8_t, RS_LEN_EXE>& bytes) {
  Image image{};
  std::copy(bytes.begin(), bytes.end(), image.begin());
  return image;
}

}  // namespace

std::string UnitIdentity(const UnitInfo& unit) {
  if (!unit.serial.empty() && unit.serial != "none SN") return unit.serial;
  std::string identity = unit.name;
  for (const std::string* part : {&unit.productionDate, &unit.productionTime})
    if (!part->empty()) identity += (identity.empty() ? "" : " ") + *part;
  return identity.empty() ? std::string("?") : identity;
}

CHistoryRecorder::CHistoryRecorder(std::string path) : path_(std::move(path)) {
  clock_ = [] { return int64_t(std::time(nullptr)); };
  store_.CheckpointInBackground();
}

// A file that cannot be opened now is tried again by the next write, which
// tells the failure; a damaged one moved aside is told at once.
void CHistoryRecorder::OpenNow() {
  if (opened_) return;
  const StoreStatus status = store_.Open(path_);
  opened_ = status.Ok();
  if (!status.movedAside.empty()) messages_.push_back(MovedAsideText(status.movedAside));
}

CHistoryStore& CHistoryRecorder::Store() {
  OpenNow();
  return store_;
}

std::vector<std::string> CHistoryRecorder::TakeMessages() { return std::exchange(messages_, {}); }

void CHistoryRecorder::Observe(const CEngine& engine, const CUnitInfo& unit) {
  const CCommMachine& m = engine.Machine();
  const CSettingsDoc& p = engine.Params();
  const Outcome& outcome = m.LastOutcome();
  // A recorder given to a session that has run before starts with its next outcome.
  if (!observed_) seenSequence_ = outcome.sequence;
  observed_ = true;
  if (outcome.sequence != seenSequence_) {
    seenSequence_ = outcome.sequence;
    Noticed(outcome, m, p, unit);
  }
  // While no programming is under way the unit image is what the unit holds;
  // an image that is not valid (a programming not saved, a lost unit) is
  // nothing a later Program could be said to replace.
  if (OperationOf(m.State()) != Operation::Program) {
    heldValid_ = p.UnitValid();
    if (heldValid_) held_ = p.Unit();
  }
}

void CHistoryRecorder::Noticed(const Outcome& outcome, const CCommMachine& m, const CSettingsDoc& p,
                               const CUnitInfo& unit) {
  const bool saving = std::exchange(programSaving_, false);
  HistoryNotice n;
  HistoryRecord& r = n.record;
  switch (outcome.operation) {
    case Operation::Read:
      if (outcome.result != Result::Ok && outcome.result != Result::Corrected) return;
      r.event = HistoryEvent::Read;
      r.result = outcome.result == Result::Ok ? HistoryResult::Ok : HistoryResult::Corrected;
      r.held = ImageOf(m.LastRead());
      r.changed = heldValid_ ? ChangedParameters(held_, *r.held) : 0;
      break;
    case Operation::Verify:
      if (outcome.result != Result::Different) return;
      r.event = HistoryEvent::Verify;
      r.result = HistoryResult::Different;
      r.held = ImageOf(m.LastRead());
      r.given = p.Edited();
      r.changed = ChangedParameters(*r.held, *r.given);
      break;
    case Operation::Program:
      switch (outcome.result) {
        case Result::Ok: r.result = HistoryResult::Ok; break;
        case Result::Different: r.result = HistoryResult::Different; break;
        case Result::JobFailed:
        case Result::LinkLost:
          // The loss of a unit that was still saving a recorded programming
          // is no programming of its own.
          if (saving) return;
          r.result = HistoryResult::Failed;
          break;
        default: return;
      }
      programSaving_ = r.result == HistoryResult::Ok;
      r.event = HistoryEvent::Program;
      if (heldValid_) r.held = held_;
      r.given = p.Edited();
      r.changed = r.held ? ChangedParameters(*r.held, *r.given) : 0;
      break;
    default: return;
  }
  const UnitInfo& texts = unit.Texts();
  r.time = clock_();
  r.identity = UnitIdentity(texts);
  r.unitName = texts.name;
  r.version = unit.VersionText();
  r.owner = texts.owner;
  r.file = fileSource_ ? fileSource_() : std::string();
  if (enabled_) Write(n);
  if (noticeSink_) noticeSink_(n);
}

void CHistoryRecorder::Write(HistoryNotice& n) {
  OpenNow();
  // The tuner may have switched the history off (in either program).
  if (store_.IsOpen() && !store_.Settings().enabled) return;
  int64_t id = 0;
  const StoreStatus status = store_.Add(n.record, &id);
  if (status.Ok()) {
    n.entry = id;
    lastEntry_ = id;
  }
  Tell(status);
}

// A damaged file moved aside is told each time; a failure to write once,
// until a write succeeds again.
void CHistoryRecorder::Tell(const StoreStatus& status) {
  if (!status.movedAside.empty()) messages_.push_back(MovedAsideText(status.movedAside));
  if (status.Ok()) {
    failureTold_ = false;
    return;
  }
  if (std::exchange(failureTold_, true)) return;
  messages_.push_back(std::string(LngStr(kNotRecorded)) + "\n" + LngStr(ReasonOf(status.failure)) + "\n" +
                      LngStr(kResultStands) + "\n(" + path_ + ")");
}

}  // namespace ign
