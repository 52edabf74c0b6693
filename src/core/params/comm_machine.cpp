#include "core/params/comm_machine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/app/handover.h"
#include "core/app/tick_clock.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

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
}  // namespace CommText

namespace {

constexpr const char* kNone = "###none##kain##žádný";
constexpr int kConnectCheckUnits = 2400;

bool InRange(int s, int lo, int hi) { return s >= lo && s <= hi; }

// Gauge span of each connect-check state on the 2400-unit scale.
bool ConnectCheckSpan(int state, int& lo, int& hi) {
  static const struct {
    int state, lo, hi;
  } spans[] = {{29, 300, 300},   {30, 300, 1350},  {31, 1350, 2400}, {32, 0, 150},     {33, 150, 300},
               {48, 300, 562},   {49, 562, 825},   {50, 825, 1087},  {51, 1087, 1350}, {52, 300, 300},
               {53, 562, 562},   {54, 825, 825},   {55, 1087, 1087}, {56, 1350, 1612}, {57, 1612, 1875},
               {58, 1875, 2137}, {59, 2137, 2400}, {60, 1350, 1350}, {61, 1612, 1612}, {62, 1875, 1875},
               {63, 2137, 2137}};
  for (const auto& s : spans)
    if (s.state == state) {
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

CCommMachine::CCommMachine(ILink& link, ParamState& params, IStatus& status, ICommHost& host)
    : link_(link), params_(params), status_(status), host_(host) {}

// Quarters of the piecewise check, rounded up to whole 150-byte blocks:
// [0, 300), [300, 600), [600, 900), [900, 1050).
int CCommMachine::QuarterStart(int q) {
  const int v = q * RS_LEN_EXE / 4;
  return std::min(RS_LEN_EXE, (v + 149) / 150 * 150);
}

void CCommMachine::RequestRead() {
  if (Connected()) request_ = REQ_READ;
}

void CCommMachine::RequestVerify() {
  if (Connected()) request_ = REQ_VERIFY;
}

void CCommMachine::RequestProgram() {
  if (!Connected()) return;
  programAll_ = true;
  request_ = REQ_PROGRAM;
}

void CCommMachine::RequestProgramChanged() {
  // A full programming that is still waiting already covers the changed bytes.
  if (request_ == REQ_PROGRAM || (request_ == REQ_PROGRAM_CHANGED && programAll_)) return;
  programAll_ = false;
  request_ = REQ_PROGRAM_CHANGED;
}

void CCommMachine::Working(const char* text) {
  status_.ShowStatus(Slot::Result, text, 2000, Colour::None, Colour::ButtonFace, 10);
}

void CCommMachine::Failed(const char* text) {
  status_.ShowStatus(Slot::Result, text, 2000, Colour::None, Colour::Red, 10);
}

void CCommMachine::GaugeStart() {
  gauge_.colour = Colour::Aqua;
  gauge_.position = 0;
  gauge_.maximum = 100;
  gauge_.visible = true;
  host_.SetGauge(gauge_);
}

void CCommMachine::GaugeError() {
  gauge_.colour = Colour::Red;
  gauge_.position = 100;
  host_.SetGauge(gauge_);
  state_ = 1;
}

// Two reads that disagree: the first time the operation starts over at
// retryState, the second time it ends with failText.
void CCommMachine::RetryOrFail(const char* failText, int retryState, int retryGauge) {
  if (attempts_ > 1) {
    Working(failText);
    GaugeError();
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
        for (size_t i = 0; i < ports.size(); ++i) text += (i ? "," : "") + std::to_string(ports[i]);
        text += ")";
      }
    } else {
      text = "COM=" + (ports.empty() ? std::string() : std::to_string(ports.front()));
    }
  }
  host_.SetComLabel(text);
}

void CCommMachine::DropLink() {
  link_.CloseLink();
  state_ = 0;  // whatever connects next is checked first
  if (link_.LinkEnabled())
    status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red, -5);
  params_.unitValid = false;
  CompareImages(params_, status_);
  versionState_ = 0;
  unitBike_ = -1;
  host_.ResetUnitInfo();
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
  request_ = REQ_RESET_BOOTLOADER;
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

void CCommMachine::CommStep() {
  if (first_) {
    first_ = false;
    if (link_.LinkEnabled())
      status_.ShowStatus(Slot::Connection, CommText::NoConnection, -1, Colour::Black, Colour::Red, -5);
  }
  link_.LinkTick();
  if (link_.ConnectedPort() == 0) {
    state_ = 0;
    UpdateComLabel();
    return;
  }
  if (!link_.LinkEnabled()) return;

  if (state_ == 0) {
    state_ = 32;
    attempts_ = 0;
    failures_ = 0;  // a new connection: failures of the lost one do not count against it
    lastMonitorTick_ = 0;
    programPending_ = false;
    host_.SetComLabel("COM=" + std::to_string(link_.ConnectedPort()));
  }
  const int job = link_.JobCode();
  if (job == JOB_WRITE || job == JOB_READ) UpdateTransferGauge();
  if (job == JOB_FAILED) {
    link_.TakeResult();
    if (++failures_ >= kFailuresToGiveUp) {
      if (state_ == 2) {
        DropLink();
        return;
      }
      if (InRange(state_, 29, 33) || InRange(state_, 48, 63)) {
        Failed(CommText::CheckingError);
        GaugeError();
      } else if (state_ == 64 || state_ == 65) {
        Failed(CommText::ReadError);
        GaugeError();
      } else if (state_ == 80 || InRange(state_, 96, 99)) {
        Failed(CommText::VerifyError);
        GaugeError();
      } else {
        state_ = 1;
      }
    }
  } else if (job == JOB_DONE) {
    link_.TakeResult();
    failures_ = 0;
    if (link_.LastJobCode() == JOB_MONITOR && !host_.PlayerActive()) ProcessMonitorRecord();
    if (state_ == 2) state_ = 1;
    OnJobDone();
  }
  if (state_ == 1) {
    attempts_ = 0;
    if (request_ != REQ_NONE) {
      state_ = request_;
      request_ = REQ_NONE;
    } else if (Ticks() - lastMonitorTick_ >= kMonitorInterval) {
      lastMonitorTick_ = Ticks();
      state_ = 2;
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
    params_.unit = programmedImage_;
    params_.unitValid = programmedValid_;
    CompareImages(params_, status_);
    programPending_ = false;
    Working(CommText::ProgramOk);
    SetGaugePosition(100);
  }
}

int TransferGaugePosition(int state, int rangeStart, int rangeEnd, int currentAddress) {
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

void CCommMachine::StartStateJob() {
  const int s = state_;
  if (s == 2 || s == 29 || InRange(s, 52, 55) || InRange(s, 60, 63)) {
    StartMonitorRead();
  } else if (s == 32 || s == 33 || s == 96 || s == 97) {
    if (s == 32 || s == 96) ++attempts_;
    Range(0, kHeaderLen);
    link_.StartJob(JOB_HEADER, 0, kHeaderLen, kJobMark | kJobClearSend);
    Working(CommText::Checking);
    GaugeStart();
  } else if (s == 30 || s == 31 || InRange(s, 48, 51) || InRange(s, 56, 59)) {
    if (s == 48) ++attempts_;
    Working(CommText::Checking);
    if (s == 30 || s == 31)
      Range(0, RS_LEN_EXE);
    else
      Range(QuarterStart(s & 3), QuarterStart((s & 3) + 1));
    link_.StartJob(JOB_READ, rangeStart_, rangeEnd_ - rangeStart_, kJobMark | kJobClearSend);
  } else if (s == 64) {
    programPending_ = false;
    ++attempts_;
    Working(CommText::Read);
    GaugeStart();
    host_.ForgetFileName();
    status_.RefreshTitle();
    Range(0, RS_LEN_EXE);
    link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
  } else if (s == 65 || s == 80) {
    if (s == 80) ++attempts_;
    Working(CommText::Verify);
    GaugeStart();
    Range(0, RS_LEN_EXE);
    link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
  } else if (s == 98) {
    ++attempts_;
    Working(CommText::Program);
    GaugeStart();
    Range(0, RS_LEN_EXE);
    // What the unit will hold once this succeeds: everything, or the old
    // contents with the marked bytes replaced.
    if (attempts_ == 1) {
      programmedValid_ = programAll_ || params_.unitValid;
      programmedImage_ = params_.unit;
      for (int i = 0; i < RS_LEN_EXE; ++i)
        if (programAll_ || params_.marks[i]) programmedImage_[i] = params_.edited[i];
    }
    params_.unit = params_.edited;
    params_.unitValid = false;
    CompareImages(params_, status_);
    std::memcpy(link_.SendImage(), params_.edited.data(), RS_LEN_EXE);
    if (programAll_) {
      link_.StartJob(JOB_WRITE, 0, RS_LEN_EXE, kJobMark);
    } else {
      std::memcpy(link_.TransferMarks(), params_.marks.data(), RS_LEN_EXE);
      link_.StartJob(JOB_WRITE, 0, RS_LEN_EXE, 0);
    }
  } else if (s == 99) {
    Range(0, RS_LEN_EXE);
    Working(CommText::Verify);
    if (programAll_) {
      link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobMark | kJobClearSend);
    } else {
      std::memcpy(link_.TransferMarks(), params_.marks.data(), RS_LEN_EXE);
      link_.StartJob(JOB_READ, 0, RS_LEN_EXE, kJobClearSend);
    }
  } else if (s == REQ_RESET || s == REQ_RESET_BOOTLOADER) {
    uint8_t* send = link_.SendImage();
    std::memset(send, 0, kHeaderLen);
    send[12] = 0xA5;
    send[13] = 0x10;
    link_.SetCommand(0xF000, 1600, 0);
    link_.StartJob(JOB_COMMAND, 0, 1, kJobMark);
  }
}

void CCommMachine::HeaderCompared(bool program) {
  const uint8_t* rx = link_.ReceiveImage();
  if (CountDiff(rx, compare_.data(), 0, kHeaderLen) != 0) {
    RetryOrFail(CommText::CheckingError, program ? 96 : 32);
    return;
  }
  std::memcpy(header_.data(), rx, kHeaderLen);
  host_.DecodeUnitInfo(header_.data());
  key_ = header_[10];
  subversion_ = header_[11];
  NormaliseImage(params_.edited);
  host_.ReloadPages();
  if (key_ != kProgramKey || subversion_ != kProgramSubversion) {
    state_ = 1;
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "  PC-%d.%02d, IGN-%d.%02d", kProgramKey, kProgramSubversion, key_,
                  subversion_);
    host_.ShowVersionMessage(std::string(Msg(key_ != kProgramKey ? 17 : 18)) + numbers);
    GaugeError();
    return;
  }
  attempts_ = 0;
  state_ = program ? 98 : 29;
}

void CCommMachine::ReadCompared() {
  const uint8_t* rx = link_.ReceiveImage();
  if (CountDiff(rx, compare_.data(), 0, RS_LEN_EXE) != 0) {
    RetryOrFail(CommText::VerifyError, 64);
    return;
  }
  params_.marks.fill(0);
  std::memcpy(params_.edited.data(), rx, RS_LEN_EXE);
  if (newInstallation) {
    newInstallation = false;
    host_.SaveAppSettings();
  }
  NormaliseImage(params_.edited);
  const int corrections = CountDiff(params_.edited.data(), rx, 0, RS_LEN_EXE);
  // The unit image is what the unit holds; corrections stay visible as a difference.
  std::memcpy(params_.unit.data(), rx, RS_LEN_EXE);
  params_.unitValid = true;
  CompareImages(params_, status_);
  host_.TakeSnapshot();
  host_.ReloadPages();
  Working(corrections ? CommText::VerifyCorrected : CommText::VerifyOk);
  SetGaugePosition(100);
  state_ = 1;
}

void CCommMachine::ConnectCheckDone() {
  params_.unitValid = true;
  CompareImages(params_, status_);
  Working(CommText::CheckingOk);
  SetGaugePosition(100);
  state_ = 1;
}

void CCommMachine::OnJobDone() {
  const uint8_t* rx = link_.ReceiveImage();
  const int s = state_;
  if (s == 65 || s == 80 || s == 99) std::memcpy(lastRead_.data(), rx, RS_LEN_EXE);
  if (s == 29) {
    state_ = 30;
  } else if (s == 30 || InRange(s, 48, 51)) {
    std::memcpy(compare_.data() + rangeStart_, rx + rangeStart_, rangeEnd_ - rangeStart_);
    static const int next[] = {53, 54, 55, 60};
    state_ = s == 30 ? 31 : next[s - 48];
  } else if (s == 31 || InRange(s, 56, 59)) {
    if (CountDiff(rx, compare_.data(), rangeStart_, rangeEnd_) != 0) {
      RetryOrFail(CommText::CheckingError, 52, 12);  // the piecewise check starts
      return;
    }
    std::memcpy(params_.unit.data() + rangeStart_, rx + rangeStart_, rangeEnd_ - rangeStart_);
    if (s == 31 || s == 59)
      ConnectCheckDone();
    else
      state_ = s + 5;  // 56 -> 61, 57 -> 62, 58 -> 63
  } else if (s == 32 || s == 96) {
    std::memcpy(compare_.data(), rx, kHeaderLen);
    state_ = s + 1;
  } else if (s == 33 || s == 97) {
    HeaderCompared(s == 97);
  } else if (InRange(s, 52, 55) || InRange(s, 60, 63)) {
    state_ = s - 4;  // 52 -> 48 ... 63 -> 59
  } else if (s == 64) {
    std::memcpy(compare_.data(), rx, RS_LEN_EXE);
    state_ = 65;
  } else if (s == 65) {
    ReadCompared();
  } else if (s == 80) {
    if (CountDiff(params_.edited.data(), rx, 0, RS_LEN_EXE) != 0) {
      RetryOrFail(CommText::VerifyError, 80);  // reads again
      return;
    }
    std::memcpy(params_.unit.data(), rx, RS_LEN_EXE);
    params_.unitValid = true;
    CompareImages(params_, status_);
    Working(CommText::VerifyOk);
    SetGaugePosition(100);
    state_ = 1;
  } else if (s == 98) {
    state_ = 99;
  } else if (s == 99) {
    int differences = 0;
    for (int i = 0; i < RS_LEN_EXE; ++i)
      if ((programAll_ || params_.marks[i]) && params_.edited[i] != rx[i]) ++differences;
    if (differences) {
      RetryOrFail(CommText::VerifyError, 98);  // programs again
      return;
    }
    params_.marks.fill(0);
    Working(CommText::VerifyOk);
    SetGaugePosition(100);
    state_ = 1;
    programPending_ = true;
    savingCount_ = 1;
  } else if (s == REQ_RESET) {
    state_ = 1;
  } else if (s == REQ_RESET_BOOTLOADER) {
    ReleasePort(link_.ConnectedPort());
    state_ = 1;
  }
}

}  // namespace ign
