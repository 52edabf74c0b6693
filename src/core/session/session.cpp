#include "core/session/session.h"

#include <algorithm>
#include <utility>

#include "core/files/unit_identity.h"
#include "core/monitor/record.h"
#include "core/monitor/version.h"
#include "core/params/image.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {
const char* const kConnectionLostTitle = "###Connection lost##Verbindung verloren##Spojení přerušeno";
const char* const kHistoryTitle = "###Unit history##Geräteverlauf##Historie jednotky";
}  // namespace

CSession::CSession(ISessionView* view, std::shared_ptr<IPortSystem> ports, const RunConfig& config)
    : view_(view ? *view : none_), engine_(static_cast<ICommHost*>(this), std::move(ports), config) {
  undo_ = std::make_unique<CUndoRing>(engine_.Params(), static_cast<IUndoHost&>(*this));
  files_ = std::make_unique<CSettingsFiles>(engine_.Params(), defaults_, static_cast<IFileHost&>(*this),
                                            engine_.Status());
  monitor_ = std::make_unique<CSessionMonitor>(*this, view_);
  engine_.SetHold([this] { return Holding(); });
}

void ISessionView::NormaliseEdited(Image& image) { NormaliseImage(image); }

bool CSession::CommitEdit() {
  NormaliseEdited();
  view_.ReloadPages();
  const bool changed = undo_->TakeSnapshot();
  ProgramIfAsked(changed);
  return changed;
}

// A played recording's settings never go to the unit.
void CSession::ProgramIfAsked(bool changed) {
  if (changed && programAfterChange_) RequestProgramChanged();
}

void CSession::RequestProgramChanged() {
  if (!monitor_->Playing()) engine_.Machine().RequestProgramChanged();
}

void CSession::ApplyBikePreset() {
  Image& img = Params().Working();
  defaults_.ApplyBikePreset(img);
  img[Adrb::CHANNEL_COUNT] = uint8_t(std::clamp<int>(img[Adrb::CHANNEL_COUNT], 1, 4));
}

IgnVersions CSession::Versions() { return UnitFileVersions(unit_, engine_.Machine()); }

void CSession::KeepForPlayback() { kept_ = std::make_unique<Kept>(Kept{Params().Keep(), undo_->Keep()}); }

bool CSession::RestoreAfterPlayback() {
  if (!kept_) return false;
  const std::unique_ptr<Kept> kept = std::move(kept_);
  Params().Restore(kept->doc);
  undo_->Restore(kept->undo);
  return true;
}

void CSession::SetBikeChanged() {
  defaults_.SetBikeChanged(true);
  defaults_.SetGroupMask(Group::All);
}

CSession::~CSession() = default;

void CSession::Tick() {
  AdvanceClock();
  Step();
}

void CSession::Step() {
  if (!Holding()) engine_.Step();
  monitor_->Tick();
  KeepHistory();
  Announce();
}

bool CSession::StepBetweenTicks() {
  const bool stepped = engine_.StepBetweenTicks();
  KeepHistory();
  Announce();
  return stepped;
}

bool CSession::WaitForNextTick(int ms, const std::function<bool()>& done) {
  // The history sees every step taken in the wait, not only the last.
  const bool ended = engine_.WaitForNextTick(ms, [&] {
    KeepHistory();
    return done && done();
  });
  KeepHistory();
  Announce();
  return ended;
}

// After the outcome, never before: the history is written once the step that
// ended the operation is over.
void CSession::KeepHistory() {
  if (!history_) return;
  history_->Observe(engine_, unit_);
  for (std::string& text : history_->TakeMessages())
    Record({SessionMessage::Kind::History, LngStr(kHistoryTitle), std::move(text), false});
}

bool CSession::Holding() const {
  return messageOpen_ ||
         std::any_of(messages_.begin(), messages_.end(), [](const SessionMessage& m) { return m.holding; });
}

void CSession::AddTestBits(int index, uint8_t bits) {
  auto& pending = engine_.Machine().testBits;
  if (index >= 0 && index < int(pending.size())) pending[size_t(index)] |= bits;
}

bool CSession::OperationRunning() const {
  const CCommMachine& m = engine_.Machine();
  return m.PendingRequest() != Request::None || int(m.State()) >= int(CommState::ReadFirst);
}

Preflight CSession::CheckProgram() const {
  const CCommMachine& m = engine_.Machine();
  ProgramFacts facts;
  facts.newInstallation = m.newInstallation;
  facts.unitBike = m.UnitBike();
  facts.editedBike = engine_.Params().Edited()[Adrb::BIKE];
  facts.playing = monitor_->Playing();
  return ::ign::CheckProgram(facts);
}

void CSession::Start(void (CCommMachine::*request)()) {
  (engine_.Machine().*request)();
  StepBetweenTicks();
}

bool CSession::Program(bool confirmed) {
  CCommMachine& m = engine_.Machine();
  if (!m.Connected()) return false;
  const Preflight p = CheckProgram();
  if (p.verdict == Verdict::Refuse || (p.verdict == Verdict::Confirm && !confirmed)) return false;
  m.RequestProgram();
  return true;
}

std::vector<SessionMessage> CSession::TakeMessages() {
  announced_ = true;
  return std::exchange(messages_, {});
}

void CSession::Record(SessionMessage message) {
  messages_.push_back(std::move(message));
  announced_ = false;
}

void CSession::Announce() {
  if (announced_) return;
  announced_ = true;
  view_.MessagesWaiting();
}

// ---- ICommHost ----------------------------------------------------------------

void CSession::ReloadPages() { view_.ReloadPages(); }
void CSession::TakeSnapshot() { undo_->TakeSnapshot(); }

void CSession::ShowVersionMessage(const std::string& text) {
  Record({SessionMessage::Kind::Version, std::string(), text, true});
}

void CSession::ShowCutOffMessage(const char* packed) {
  Record({SessionMessage::Kind::CutOff, LngStr(kConnectionLostTitle), LngStr(packed), false});
}

void CSession::DecodeUnitInfo(const uint8_t* header) {
  unit_.Decode(std::span<const uint8_t, kUnitHeaderLen>(header, kUnitHeaderLen));
  view_.UnitInfoChanged();
}

void CSession::ResetUnitInfo() { ResetUnitInformation(); }

void CSession::ResetUnitInformation() {
  unit_.Reset();
  view_.UnitInfoChanged();
}

// A monitor answer: the unit's version for status panel 4, then the live monitor.
void CSession::ProcessMonitor(const uint8_t* record) {
  const MonitorVersion version = VersionOfRecord(record[Mon::KEY], record[Mon::SUBVERSION]);
  unit_.SetVersion(version.state, version.text);
  view_.UnitInfoChanged();
  monitor_->TakeRecord(record);
}

void CSession::SaveAppSettings() { view_.SaveAppSettings(); }
void CSession::ForgetFileName() { view_.ForgetFileName(); }
void CSession::RefreshCaptions() { view_.RefreshCaptions(); }
bool CSession::PlayerActive() const { return monitor_->Playing(); }
void CSession::SetComLabel(const std::string& text) { view_.SetComLabel(text); }
void CSession::SetGauge(const GaugeView& gauge) { view_.SetGauge(gauge); }

}  // namespace ign
