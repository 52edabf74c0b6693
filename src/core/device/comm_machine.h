#pragma once
// The communication state machine: connect check, periodic monitor reads and
// the user's Read, Verify, Program and Reset, run one step per timer call.
#include <array>
#include <cstdint>
#include <string>

#include "core/base/status_iface.h"
#include "core/base/tick_clock.h"
#include "core/comm/comm_const.h"  // kProgramKey
#include "core/device/comm_state.h"
#include "core/device/link_iface.h"
#include "core/device/outcome_view.h"
#include "core/params/settings_doc.h"

namespace ign {

constexpr int kProgramSubversion = 0;
constexpr int kHeaderLen = 150;
constexpr int kMonitorLen = 150;
constexpr int kMonitorInterval = 7;   // ticks between monitor reads while idle
constexpr int kFailuresToGiveUp = 3;  // consecutive failed jobs
constexpr int kSavingScale = 2100;    // saving count that maps to an empty gauge

struct GaugeView {
  bool visible = false;
  uint32_t colour = Colour::Green;
  int position = 0;
  int maximum = 100;
};

// The window side of the machine: pages, message boxes, unit information.
class ICommHost {
 public:
  virtual ~ICommHost() = default;
  virtual void ReloadPages() {}
  virtual void TakeSnapshot() {}
  virtual void ShowVersionMessage(const std::string& /*text*/) {}
  // An operation was cut off by the loss of the unit: what that means, as a
  // packed text. Shown after the tick (the window queues it; ignctl prints it).
  virtual void ShowCutOffMessage(const char* /*packed*/) {}
  virtual void DecodeUnitInfo(const uint8_t* /*header150*/) {}
  virtual void ResetUnitInfo() {}
  virtual void ProcessMonitor(const uint8_t* /*record151*/) {}  // display update; index 0 unused
  virtual void SaveAppSettings() {}
  virtual void ForgetFileName() {}
  virtual void RefreshCaptions() {}
  virtual bool PlayerActive() const { return false; }
  virtual void SetComLabel(const std::string& /*text*/) {}
  virtual void SetGauge(const GaugeView& /*gauge*/) {}
};

class CCommMachine {
 public:
  CCommMachine(ILink& link, CSettingsDoc& params, IStatus& status, ICommHost& host, const CTickClock& clock);

  // One step of the machine. On the ticks the step mask allows, Tick; a step
  // between ticks (BetweenTicks) never starts the periodic monitor read, so
  // the monitor cadence stays with the ticks.
  enum class StepKind { Tick, BetweenTicks };
  void CommStep(StepKind kind = StepKind::Tick);
  // A step between ticks has work: a job of a running operation has ended (or
  // a monitor read that a request waits behind), or a request waits while
  // no job runs.
  bool StepDueBetweenTicks() const;

  // Requests; each is taken when the machine is idle.
  void RequestRead();
  void RequestVerify();
  void RequestProgram();         // caller has done the new-installation and bike checks
  void RequestProgramChanged();  // program after change: only the marked bytes
  void RequestReset() { request_ = Request::Reset; }

  // Closes the link: the unit counts as gone and is checked again when it
  // connects next.
  void DropLink();

  // Port hand-over with the bootloader program.
  bool ReleasePort(int port);         // code 0x7FFFFFA1
  bool ResetForBootloader(int port);  // code 0x7FFFFFA2
  bool TakeBackPort(int port);        // code 0x7FFFFFA4
  void HandleHandover(int port, uint32_t code);

  bool Connected() const { return link_.ConnectedPort() != 0 && link_.LinkEnabled(); }
  CommState State() const { return state_; }
  bool Idle() const { return state_ == CommState::Idle; }
  Request PendingRequest() const { return request_; }
  // How the last operation ended; its sequence grows with every outcome.
  const Outcome& LastOutcome() const { return outcome_; }
  int SavingCount() const { return savingCount_; }
  int UnitKey() const { return key_; }
  int UnitSubversion() const { return subversion_; }
  int VersionState() const { return versionState_; }
  int UnitBike() const { return unitBike_; }
  int SavedPort() const { return savedPort_; }
  const GaugeView& Gauge() const { return gauge_; }
  const std::array<uint8_t, kHeaderLen>& UnitHeader() const { return header_; }
  const std::array<uint8_t, kMonitorLen + 1>& MonitorRecord() const { return monitor_; }
  // The unit's settings as the last full read of Read, Verify or Program found them.
  const std::array<uint8_t, RS_LEN_EXE>& LastRead() const { return lastRead_; }

  bool newInstallation = false;
  // The developer test mode: a job result that arrives while a Program or a
  // Read waits to be taken is dropped, and the machine goes idle to take it.
  bool developerTestMode = false;
  // Pending one-shot test bits (monitor request bytes 20..22) and the stream switch (byte 23).
  std::array<uint8_t, 3> testBits{};
  bool streamWanted = false;

 private:
  void StartStateJob();
  void StartHeaderRead(bool firstOfTwo);
  void StartImageRead(const char* progress);
  void StartWrite();
  void ProgramReadBackDone(const uint8_t* rx);
  void OnJobDone();
  void OnJobFailed();
  void StartMonitorRead();
  void ProcessMonitorRecord();
  void LoseConnection();
  void UnitGone();
  void UpdateComLabel();
  void UpdateTransferGauge();
  void SavingDisplay();
  void Working(const char* text);
  void Finish(Result result);
  void Finish(Operation operation, Result result);
  void GaugeStart();
  void SetGaugePosition(int position);
  void RetryOrFail(Result result, CommState retryState, int retryGauge = 0);
  void Range(int start, int end);
  void ConnectCheckDone();
  void HeaderCompared(bool program);
  void ReadCompared();
  static int QuarterStart(int q);

  ILink& link_;
  CSettingsDoc& params_;
  IStatus& status_;
  ICommHost& host_;
  const CTickClock& clock_;

  bool first_ = true;
  CommState state_ = CommState::Disconnected;
  Request request_ = Request::None;
  Outcome outcome_;
  int attempts_ = 0;
  int failures_ = 0;
  int lastMonitorTick_ = 0;
  int rangeStart_ = 0, rangeEnd_ = 0;
  std::array<uint8_t, RS_LEN_EXE> compare_{};
  std::array<uint8_t, RS_LEN_EXE> lastRead_{};
  bool programPending_ = false;
  int savingCount_ = 0;
  bool programAll_ = true;
  std::array<uint8_t, kHeaderLen> header_{};
  std::array<uint8_t, kMonitorLen + 1> monitor_{};
  int savedPort_ = -1;
  int key_ = -1, subversion_ = -1;
  int versionState_ = 0;
  int unitBike_ = -1;
  GaugeView gauge_;
  Image programmedImage_{};  // what the unit holds once the running programming has saved
  bool programmedValid_ = false;
};

// Gauge position while a read or write runs; the connect check shows as one
// run over 2400 units, each of its states owning a span of it.
int TransferGaugePosition(CommState state, int rangeStart, int rangeEnd, int currentAddress);

}  // namespace ign
