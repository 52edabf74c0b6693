#include "core/device/comm_machine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/tick_clock.h"
#include "core/device/handover.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

namespace ign {

namespace {

constexpr const char* kNone = "###none##kein##žádný";
constexpr int kConnectCheckUnits = 2400;

using S = CommState;

// Gauge span of each connect-check state on the 2400-unit scale.
bool ConnectCheckSpan(CommState state, int& lo, int& hi) {
  static const struct {
    int state, lo, hi;
  } spans[] = {{29, 300, 300},   {30, 300, 1350},  {31, 1350, 2400}, {32, 0, 150},     {33, 150, 300},
               {48, 300, 562},   {49, 562, 825},   {50, 825, 1087},  {51, 1087, 1350}, {52, 300, 300},
               {53, 562, 562},   {54, 825, 825},   {55, 1087, 1087}, {56, 1350, 1612}, {57, 1612, 1875},
               {58, 1875, 2137}, {59, 2137, 2400}, {60, 1350, 1350}, {61, 1612, 1612}, {62, 1875, 1875},
               {63, 2137, 2137}};
  for (const auto& s : spans)
    if (s.state == int(state)) {
      lo = s.lo;
      hi = s.hi;
      return true;
    }
  return false;
}

int CountDiff(const uint8_t* a, const uint8_t* b, int start, int end) {
  int n = 0;
  for (int i = start; i < end; ++i) n += a[i] != b[i];
  return n;
}

}  // namespace

CCommMachine::CCommMachine(ILink& link, CSettingsDoc& params, IStatus& status, ICommHost& host,
                           const CTickClock& clock)
    : link_(link), params_(params), status_(status), host_(host), clock_(clock) {}

// Quarters of the piecewise check, rounded up to whole 150-byte blocks:
// [0, 300), [300, 600), [600, 900), [900, 1050).
int CCommMachine::QuarterStart(int q) {
  const int v = q * RS_LEN_EXE / 4;
  return std::min(RS_LEN_EXE, (v + 149) / 150 * 150);
}

void CCommMachine::RequestRead() {
  if (Connected()) request_ = Request::Read;
}

void CCommMachine::RequestVerify() {
  if (Connected()) request_ = Request::Verify;
}

void CCommMachine::RequestProgram() {
  if (!Connected()) return;
  programAll_ = true;
  request_ = Request::Program;
}

void CCommMachine::RequestProgramChanged() {
  // A full programming that is still waiting already covers the changed bytes.
  if (request_ == Request::Program || (request_ == Request::ProgramChanged && programAll_)) return;
  programAll_ = false;
  request_ = Request::ProgramChanged;
}

void CCommMachine::Working(const char* text) {
  status_.ShowStatus(Slot::Result, text, 2000, Colour::None, Colour::ButtonFace, 10);
}

// Ends the running operation: records the outcome and shows it. A failure
// leaves the machine idle; on success the caller sets the next state.
void CCommMachine::Finish(Result result) { Finish(OperationOf(state_), result); }

void CCommMachine::Finish(Operation operation, Result result) {
  outcome_ = {operation, result, outcome_.sequence + 1};
  if (result == Result::JobFailed || result == Result::LinkLost)
    if (const char* why = CutOffExplanation(operation)) host_.ShowCutOffMessage(why);
  const OutcomeView view = PresentOutcome(operation, result);
  if (view.text) status_.ShowStatus(Slot::Result, view.text, 2000, Colour::None, view.back, 10);
  if (view.gaugeError) {
    gauge_.colour = Colour::Red;
    SetGaugePosition(100);
    state_ = S::Idle;
  }
  if (view.gaugeFull) SetGaugePosition(100);
}

void CCommMachine::GaugeStart() {
  gauge_.colour = Colour::Aqua;
  gauge_.position = 0;
  gauge_.maximum = 100;
  gauge_.visible = true;
  host_.SetGauge(gauge_);
}

// Two reads that disagree: the first time the operation starts over at
// retryState, the second time it ends with result.
void CCommMachine::RetryOrFail(Result result, CommState retryState, int retryGauge) {
  if (attempts_ > 1) {
    Finish(result);
  } else {
    SetGaugePosition(retryGauge);
    state_ = retryState;
  }
}

void CCommMachine::SetGaugePosition(int position) {
  gauge_.position = position;
  gauge_.maximum = 100;
  host_.SetGauge(gauge_);
}

void CCommMachine::Range(int start, int end) {
  rangeStart_ = start;
  rangeEnd_ = end;
}

void CCommMachine::UpdateComLabel() {
  std::string text;
  if (!link_.LinkEnabled()) {
    text = "COM=" + std::to_string(savedPort_) + " (DISCONECTED)";
  } else if (link_.ConfiguredPort() == -1) {
    text = "COM=OFF";
  } else {
    std::vector<int> ports = link_.SearchPorts();
    if (link_.ConfiguredPort() == 0) {
      if (ports.empty()) {
        text = std::string("COM=") + LngStr(kNone);
      } else {
        text = "COM=(auto ";
        for (size_t i = 0; i < ports.size(); ++i) {
          if (i) text += ',';
          text += std::to_string(ports[i]);
        }
        text += ")";
      }
    } else {
      text = "COM=" + (ports.empty() ? std::string() : std::to_string(ports.front()));
    }
  }
  host_.SetComLabel(text);
}

// An operation that was running ends with a lost link, and so does a
// programming whose saving the unit had not finished; whatever connects next
// is checked first.
void CCommMachine::LoseConnection() {
  const Operation op = OperationOf(state_);
  if (op == Operation::Read || op == Operation::Verify || op == Operation::Program) {
    Finish(op, Result::LinkLost);
  } else if (programPending_) {
    Finish(Operation::Program, Result::LinkLost);
  } else if (op != Operation::None && op != Operation::Monitor) {
    outcome_ = {op, Result::LinkLost, outcome_.sequence + 1};
  }
  programPending_ = false;
  savingCount_ = 0;
  state_ = S::Disconnected;
}

// Every way of losing the unit ends here: the port went away, the unit stopped
// answering, the menu or the bootloader took the port. The window must not go
// on showing a unit that is not there.
void CCommMachine::UnitGone() {
  LoseConnection();
  if (link_.LinkEnabled())
    status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red, -5);
  params_.ForgetUnit();
  versionState_ = 0;
  unitBike_ = -1;
  host_.ResetUnitInfo();
}

void CCommMachine::DropLink() {
  link_.CloseLink();
  UnitGone();
}

bool CCommMachine::ReleasePort(int port) {
  if (port == 0 || port != link_.ConnectedPort()) return false;
  if (link_.LinkEnabled()) {
    link_.SetLinkEnabled(false);
    savedPort_ = port;
    DropLink();
    status_.RefreshTitle();
  }
  host_.RefreshCaptions();
  return true;
}

bool CCommMachine::ResetForBootloader(int port) {
  if (port == 0 || port != link_.ConnectedPort()) return false;
  request_ = Request::ResetBootloader;
  return true;
}

bool CCommMachine::TakeBackPort(int port) {
  if (port != savedPort_ || savedPort_ < 0) return false;
  if (!link_.LinkEnabled()) {
    link_.SetLinkEnabled(true);
    savedPort_ = -1;
    status_.RefreshTitle();
  }
  host_.RefreshCaptions();
  return true;
}

void CCommMachine::HandleHandover(int port, uint32_t code) {
  if (code == Handover::Release) ReleasePort(port);
  if (code == Handover::Reset) ResetForBootloader(port);
  if (code == Handover::TakeBack) TakeBackPort(port);
}

bool CCommMachine::StepDueBetweenTicks() const {
  if (!Connected() || state_ == S::Disconnected) return false;
  const int job = link_.JobCode();
  if (job == JOB_IDLE) return state_ == S::Idle && request_ != Request::None;
  if (job != JOB_DONE && job != JOB_FAILED) return false;
  return state_ != S::Idle && (state_ != S::Monitor || request_ != Request::None);
}

void CCommMachine::CommStep(StepKind kind) {
  if (first_) {
    first_ = false;
    if (link_.LinkEnabled())
      status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red, -5);
  }
  link_.LinkTick();
  if (link_.ConnectedPort() == 0) {
    if (state_ != S::Disconnected) UnitGone();  // the port went away under the unit
    UpdateComLabel();
    return;
  }
  if (!link_.LinkEnabled()) return;

  if (state_ == S::Disconnected) {
    state_ = S::CheckHeaderFirst;
    attempts_ = 0;
    failures_ = 0;  // a new connection: failures of the lost one do not count against it
    lastMonitorTick_ = 0;
    programPending_ = false;
    host_.SetComLabel("COM=" + std::to_string(link_.ConnectedPort()));
  }
  if (developerTestMode && (request_ == Request::Program || request_ == Request::Read) &&
      (link_.JobCode() == JOB_DONE || link_.JobCode() == JOB_FAILED)) {
    link_.TakeResult();
    failures_ = 0;
    state_ = S::Idle;
  }
  const int job = link_.JobCode();
  if (job == JOB_WRITE || job == JOB_READ) UpdateTransferGauge();
  if (job == JOB_FAILED) {
    link_.TakeResult();
    if (++failures_ >= kFailuresToGiveUp) {
      // The unit has stopped answering: the operation ends with its error,
      // then the unit counts as lost and the search starts again.
      switch (OperationOf(state_)) {
        case Operation::Monitor: DropLink(); return;
        case Operation::Check:
        case Operation::Read:
        case Operation::Verify:
        case Operation::Program:
          Finish(Result::JobFailed);
          DropLink();
          return;
        default: state_ = S::Idle; break;
      }
    }
  } else if (job == JOB_DONE) {
    link_.TakeResult();
    failures_ = 0;
    if (link_.LastJobCode() == JOB_MONITOR && !host_.PlayerActive()) ProcessMonitorRecord();
    if (state_ == S::Monitor) state_ = S::Idle;
    OnJobDone();
  }
  if (state_ == S::Idle) {
    attempts_ = 0;
    if (request_ != Request::None) {
      state_ = StateOf(request_);
      request_ = Request::None;
    } else if (kind == StepKind::Tick && clock_.Ticks() - lastMonitorTick_ >= kMonitorInterval) {
      lastMonitorTick_ = clock_.Ticks();
      state_ = S::Monitor;
    }
  }
  if (link_.JobCode() == JOB_IDLE) StartStateJob();
  SavingDisplay();
}

void CCommMachine::SavingDisplay() {
  if (savingCount_ > 0) {
    if (link_.JobCode() == JOB_IDLE) Working(CommText::Saving);
    gauge_.maximum = 100;
    gauge_.position = (kSavingScale - std::min(savingCount_, kSavingScale)) * 100 / kSavingScale;
    host_.SetGauge(gauge_);
  } else if (programPending_) {
    params_.SetUnit(programmedImage_, programmedValid_);
    programPending_ = false;
    Finish(Operation::Program, Result::Saved);
  }
}

int TransferGaugePosition(CommState state, int rangeStart, int rangeEnd, int currentAddress) {
  const int span = rangeEnd - rangeStart;
  const int done = currentAddress - rangeStart;
  const int p = done <= 0 || span <= 0 ? done : done * 100 / span;
  int lo, hi;
  if (ConnectCheckSpan(state, lo, hi)) return (lo * 100 + (hi - lo) * p) / kConnectCheckUnits;
  return p;
}

void CCommMachine::UpdateTransferGauge() {
  SetGaugePosition(TransferGaugePosition(state_, rangeStart_, rangeEnd_, link_.CurrentAddress()));
}

void CCommMachine::StartMonitorRead() {
  uint8_t* send = link_.SendImage();
  std::memset(send, 0, kMonitorLen);
  send[20] = testBits[0];
  send[21] = testBits[1];
  send[22] = testBits[2];
  send[23] = streamWanted ? 1 : 0;
  send[148] = uint8_t(kProgramKey >> 8);
  send[149] = uint8_t(kProgramKey & 0xFF);
  testBits = {};
  link_.StartJob(JOB_MONITOR, 0, kMonitorLen, kJobMark | kJobOneAttempt);
}

void CCommMachine::ProcessMonitorRecord() {
  monitor_[0] = 0;
  std::memcpy(monitor_.data() + 1, link_.ReceiveImage(), kMonitorLen);
  key_ = monitor_[150];
  subversion_ = monitor_[149];
  versionState_ = key_ == kProgramKey && subversion_ == kProgramSubversion ? 2 : 1;
  unitBike_ = monitor_[1];
  status_.ShowStatus(Slot::Connection, nullptr, -1, Colour::None, Colour::None, 10);
  savingCount_ = monitor_[16] | (monitor_[17] << 8);
  host_.ProcessMonitor(monitor_.data());
}

void CCommMachine::StartHeaderRead(bool firstOfTwo) {
  if (firstOfTwo) ++attempts_;
  Range(0, kHeaderLen);
  link_.StartJob(JOB_HEADER, 0, kHeaderLen, kJobMark | kJobClearSend);
  Working(CommText::Checking);
  GaugeStart();
}

void CCommMachine::StartImageRead(const char* progress) {
  Working(progress);
  GaugeStart();
  Range(0, RS_LEN_EXE);
  link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
}

void CCommMachine::StartStateJob() {
  const S s = state_;
  if (IsQuarter(S::QuarterMonitorFirst, s) || IsQuarter(S::QuarterMonitorSecond, s)) {
    StartMonitorRead();
  } else if (IsQuarter(S::QuarterReadFirst, s) || IsQuarter(S::QuarterReadSecond, s)) {
    if (s == S::QuarterReadFirst) ++attempts_;
    Working(CommText::Checking);
    Range(QuarterStart(QuarterIndex(s)), QuarterStart(QuarterIndex(s) + 1));
    link_.StartJob(JOB_READ, rangeStart_, rangeEnd_ - rangeStart_, kJobMark | kJobClearSend);
  }
  switch (s) {
    case S::Monitor:
    case S::CheckMonitor: StartMonitorRead(); break;
    case S::CheckHeaderFirst:
    case S::ProgramHeaderFirst: StartHeaderRead(true); break;
    case S::CheckHeaderSecond:
    case S::ProgramHeaderSecond: StartHeaderRead(false); break;
    case S::CheckReadFirst:
    case S::CheckReadSecond:
      Working(CommText::Checking);
      Range(0, RS_LEN_EXE);
      link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
      break;
    case S::ReadFirst:
      programPending_ = false;
      ++attempts_;
      host_.ForgetFileName();
      status_.RefreshTitle();
      StartImageRead(CommText::Read);
      break;
    case S::Verify: ++attempts_; [[fallthrough]];
    case S::ReadSecond: StartImageRead(CommText::Verify); break;
    case S::ProgramWrite: StartWrite(); break;
    case S::ProgramReadBack:
      Range(0, RS_LEN_EXE);
      Working(CommText::Verify);
      if (programAll_) {
        link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
      } else {
        std::memcpy(link_.TransferMarks(), params_.ChangeMarks().data(), RS_LEN_EXE);
        link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobClearSend);
      }
      break;
    case S::Reset:
    case S::ResetBootloader: {
      uint8_t* send = link_.SendImage();
      std::memset(send, 0, kHeaderLen);
      send[12] = 0xA5;
      send[13] = 0x10;
      link_.SetCommand(0xF000, 1600, 0);
      link_.StartJob(JOB_COMMAND, 0, 1, kJobMark);
      break;
    }
    default: break;
  }
}

void CCommMachine::StartWrite() {
  ++attempts_;
  Working(CommText::Program);
  GaugeStart();
  Range(0, RS_LEN_EXE);
  // What the unit will hold once this succeeds: everything, or the old
  // contents with the marked bytes replaced.
  if (attempts_ == 1) {
    programmedValid_ = programAll_ || params_.UnitValid();
    programmedImage_ = params_.Unit();
    for (int i = 0; i < RS_LEN_EXE; ++i)
      if (programAll_ || params_.ChangeMarks()[i]) programmedImage_[i] = params_.Edited()[i];
  }
  params_.SetUnit(params_.Edited(), false);
  std::memcpy(link_.SendImage(), params_.Edited().data(), RS_LEN_EXE);
  if (programAll_) {
    link_.StartJob(JOB_WRITE, 0, RS_LEN_EXE, kJobMark);
  } else {
    std::memcpy(link_.TransferMarks(), params_.ChangeMarks().data(), RS_LEN_EXE);
    link_.StartJob(JOB_WRITE, 0, RS_LEN_EXE, 0);
  }
}

void CCommMachine::HeaderCompared(bool program) {
  const uint8_t* rx = link_.ReceiveImage();
  if (CountDiff(rx, compare_.data(), 0, kHeaderLen) != 0) {
    RetryOrFail(Result::Disagreed, program ? S::ProgramHeaderFirst : S::CheckHeaderFirst);
    return;
  }
  std::memcpy(header_.data(), rx, kHeaderLen);
  host_.DecodeUnitInfo(header_.data());
  key_ = header_[10];
  subversion_ = header_[11];
  params_.Normalise();
  host_.ReloadPages();
  if (key_ != kProgramKey || subversion_ != kProgramSubversion) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "  PC-%d.%02d, IGN-%d.%02d", kProgramKey, kProgramSubversion, key_,
                  subversion_);
    host_.ShowVersionMessage(std::string(Msg(key_ != kProgramKey ? 17 : 18)) + numbers);
    Finish(Result::VersionMismatch);
    return;
  }
  attempts_ = 0;
  state_ = program ? S::ProgramWrite : S::CheckMonitor;
}

void CCommMachine::ReadCompared() {
  const uint8_t* rx = link_.ReceiveImage();
  if (CountDiff(rx, compare_.data(), 0, RS_LEN_EXE) != 0) {
    RetryOrFail(Result::Disagreed, S::ReadFirst);
    return;
  }
  const int corrections = params_.ReplaceFromUnit(rx);
  if (newInstallation) {
    newInstallation = false;
    host_.SaveAppSettings();
  }
  host_.TakeSnapshot();
  // The snapshot marks every byte the read changed, but the unit holds them
  // already: only the corrections still wait to be programmed.
  params_.MarkDifferencesFromUnit();
  host_.ReloadPages();
  Finish(corrections ? Result::Corrected : Result::Ok);
  state_ = S::Idle;
}

void CCommMachine::ConnectCheckDone() {
  params_.ConfirmUnit();
  Finish(Result::Ok);
  state_ = S::Idle;
}

void CCommMachine::OnJobDone() {
  const uint8_t* rx = link_.ReceiveImage();
  const S s = state_;
  if (s == S::ReadSecond || s == S::Verify || s == S::ProgramReadBack)
    std::memcpy(lastRead_.data(), rx, RS_LEN_EXE);
  if (s == S::CheckReadFirst || IsQuarter(S::QuarterReadFirst, s)) {
    // The first read of a range. The piecewise check reads every quarter once,
    // then each a second time, with a monitor read before each read.
    std::memcpy(compare_.data() + rangeStart_, rx + rangeStart_, rangeEnd_ - rangeStart_);
    const int q = QuarterIndex(s);
    if (s == S::CheckReadFirst)
      state_ = S::CheckReadSecond;
    else
      state_ = q < 3 ? Quarter(S::QuarterMonitorFirst, q + 1) : Quarter(S::QuarterMonitorSecond, 0);
    return;
  }
  if (s == S::CheckReadSecond || IsQuarter(S::QuarterReadSecond, s)) {
    if (CountDiff(rx, compare_.data(), rangeStart_, rangeEnd_) != 0) {
      RetryOrFail(Result::Disagreed, S::QuarterMonitorFirst, 12);  // the piecewise check starts
      return;
    }
    params_.SetUnitRange(rangeStart_, rangeEnd_, rx);
    if (s == S::CheckReadSecond || s == Quarter(S::QuarterReadSecond, 3))
      ConnectCheckDone();
    else
      state_ = Quarter(S::QuarterMonitorSecond, QuarterIndex(s) + 1);
    return;
  }
  if (IsQuarter(S::QuarterMonitorFirst, s)) {
    state_ = Quarter(S::QuarterReadFirst, QuarterIndex(s));
    return;
  }
  if (IsQuarter(S::QuarterMonitorSecond, s)) {
    state_ = Quarter(S::QuarterReadSecond, QuarterIndex(s));
    return;
  }
  switch (s) {
    case S::CheckMonitor: state_ = S::CheckReadFirst; break;
    case S::CheckHeaderFirst:
    case S::ProgramHeaderFirst:
      std::memcpy(compare_.data(), rx, kHeaderLen);
      state_ = s == S::CheckHeaderFirst ? S::CheckHeaderSecond : S::ProgramHeaderSecond;
      break;
    case S::CheckHeaderSecond:
    case S::ProgramHeaderSecond: HeaderCompared(s == S::ProgramHeaderSecond); break;
    case S::ReadFirst:
      std::memcpy(compare_.data(), rx, RS_LEN_EXE);
      state_ = S::ReadSecond;
      break;
    case S::ReadSecond: ReadCompared(); break;
    case S::Verify:
      if (CountDiff(params_.Edited().data(), rx, 0, RS_LEN_EXE) != 0) {
        RetryOrFail(Result::Different, S::Verify);  // reads again
        return;
      }
      params_.SetUnit(std::span<const uint8_t>(rx, RS_LEN_EXE));
      Finish(Result::Ok);
      state_ = S::Idle;
      break;
    case S::ProgramWrite: state_ = S::ProgramReadBack; break;
    case S::ProgramReadBack: ProgramReadBackDone(rx); break;
    case S::Reset: state_ = S::Idle; break;
    case S::ResetBootloader:
      ReleasePort(link_.ConnectedPort());
      state_ = S::Idle;
      break;
    default: break;
  }
}

void CCommMachine::ProgramReadBackDone(const uint8_t* rx) {
  int differences = 0;
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if ((programAll_ || params_.ChangeMarks()[i]) && params_.Edited()[i] != rx[i]) ++differences;
  if (differences) {
    RetryOrFail(Result::Different, S::ProgramWrite);  // programs again
    return;
  }
  params_.ClearMarks();
  Finish(Result::Ok);
  state_ = S::Idle;
  programPending_ = true;
  savingCount_ = 1;
}

}  // namespace ign
