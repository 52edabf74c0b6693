#pragma once
// CSession: one unit's session under a front end. It owns the engine (serial
// jobs, port search, connection state machine, settings document, status
// slots), the unit information, the defaults, the undo ring, the
// settings-file commands and the live monitor (display, CSV log, recorder and
// player, pick-up samples); it answers the checks before an operation and
// records the messages of a tick for the front end to show after it. The
// window and ignctl each drive one; nothing in it is shared with another
// session but the language.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/undo_ring.h"
#include "core/device/engine.h"
#include "core/files/settings_files.h"
#include "core/files/unit_info.h"
#include "core/history/history_recorder.h"
#include "core/params/defaults.h"
#include "core/session/preflight.h"
#include "core/session/session_message.h"
#include "core/session/session_monitor.h"

namespace ign {

// What the session asks of its front end. Every call comes from inside a tick
// or a command; none of them may open anything modal.
class ISessionView {
 public:
  virtual ~ISessionView() = default;
  // The edited image was replaced: the pages show it again.
  virtual void ReloadPages() {}
  // The unit information or its version state changed (status panel 4).
  virtual void UnitInfoChanged() {}
  virtual void SaveAppSettings() {}
  virtual void ForgetFileName() {}
  virtual void RefreshCaptions() {}
  virtual void SetComLabel(const std::string& /*text*/) {}
  virtual void SetGauge(const GaugeView& /*gauge*/) {}
  // Messages were recorded; called once at the end of the tick or command
  // that recorded them. The front end takes them with TakeMessages.
  virtual void MessagesWaiting() {}

  // The undo ring's view: the page in front (where a change was made), the
  // page an undone change was made on, the state of Undo and Redo, where the
  // focus goes after an undo.
  virtual int ActivePage() const { return 0; }
  virtual void ShowPage(int /*page*/) {}
  virtual void SetUndoButtons(bool /*canUndo*/, bool /*canRedo*/) {}
  virtual void FocusProgramAfterChange() {}
  // The edited image normalised with what the front end keeps of it (the
  // language and the port the image also stores).
  virtual void NormaliseEdited(Image& image);

  // The settings-file commands' view: their messages (shown before the
  // command goes on), the pages around a load or save, the recent-file list.
  virtual void FileMessage(const std::string& /*text*/) {}
  virtual void CommitPendingChange() {}
  virtual void StoreActivePage() {}
  virtual void ReloadAllPages() {}
  virtual void AddRecent(const std::string& /*path*/) {}
  virtual void RemoveRecent(const std::string& /*path*/) {}
  // The file commands' file name was set back (after a playback).
  virtual void FileNameChanged() {}

  // The live monitor's view: the options of the display update, the decoded
  // update to draw (the pages take its live point; model.refreshPages asks
  // them to refresh), the state of the CSV log and the player changed, the
  // page and map sheets in front (for a recording) and those of a replayed
  // recording, a played image replaced the edited one, a pick-up stream
  // went into the sample ring.
  virtual LiveOptions LiveDisplayOptions() const { return {}; }
  virtual void LiveShown(const DisplayModel& /*model*/) {}
  virtual void MonitorChanged() {}
  virtual ViewRecord CurrentView() const { return {}; }
  virtual void ApplyView(const ViewRecord& /*view*/) {}
  virtual void PlayedImageApplied() { ReloadAllPages(); }
  virtual void PickupStreamTaken(const TakenStream& /*taken*/) {}
};

class CSession : private ICommHost, private IUndoHost, private IFileHost {
 public:
  // view may be null (nothing to draw). ports null: the system's serial ports,
  // or the links of the configuration's port folder.
  explicit CSession(ISessionView* view = nullptr, std::shared_ptr<IPortSystem> ports = nullptr,
                    const RunConfig& config = {});
  ~CSession() override;
  CSession(const CSession&) = delete;
  CSession& operator=(const CSession&) = delete;

  // One tick: AdvanceClock, then Step.
  void Tick();
  void AdvanceClock() { engine_.AdvanceClock(); }
  // The engine's step, unless a holding message waits to be read, then the
  // live monitor's steps.
  void Step();
  // A communication step between two ticks when a job has ended or a request
  // waits (not while held); true when it stepped.
  bool StepBetweenTicks();
  // For driver loops: waits ms for the next tick, stepping between ticks as
  // jobs end; true as soon as done holds after such a step.
  bool WaitForNextTick(int ms, const std::function<bool()>& done = {});

  // ---- The settings document and its edits ----
  CSettingsDoc& Params() { return engine_.Params(); }
  CDefaults& Defaults() { return defaults_; }
  CUndoRing& Undo() { return *undo_; }
  // "Programming after change": every committed change goes to the unit.
  bool ProgramAfterChange() const override { return programAfterChange_; }
  void SetProgramAfterChange(bool on) { programAfterChange_ = on; }
  // Normalises the working image the way the front end keeps it.
  void NormaliseEdited() { view_.NormaliseEdited(Params().Working()); }
  // A change of the working image is finished: normalised, shown again, an
  // undo step, and programmed when asked. False when nothing changed.
  bool CommitEdit();
  // The undo step of a change the pages committed themselves (normalised
  // and shown already); true when it differed.
  bool Snapshot() { return undo_->TakeSnapshot(); }
  // The defaults of a page group (-1 all) over the working image, without
  // the commit.
  void LoadDefaults(int group) { defaults_.LoadDefaults(Params().Working(), group); }
  // The bike selector: the preset of the image's bike, the channel count in 1..4.
  void ApplyBikePreset();
  void SetBikeChanged();

  // The settings-file commands (Open, Save, Quicksave version) on the document.
  CSettingsFiles& Files() { return *files_; }
  // The live monitor: display, CSV log, recorder and player, pick-up samples.
  CSessionMonitor& Monitor() { return *monitor_; }
  const CSessionMonitor& Monitor() const { return *monitor_; }

  // A played recording borrows the document: its images and the undo history
  // are kept when playback starts and given back, whole, when it stops.
  void KeepForPlayback();
  bool PlaybackKept() const { return kept_ != nullptr; }
  // False when nothing was kept.
  bool RestoreAfterPlayback();

  CEngine& Engine() { return engine_; }
  const CEngine& Engine() const { return engine_; }
  CCommMachine& Machine() { return engine_.Machine(); }
  const CCommMachine& Machine() const { return engine_.Machine(); }
  const CUnitInfo& UnitInformation() const { return unit_; }
  // Forgets the unit's texts and version (no unit connected).
  void ResetUnitInformation();

  // One-shot bits for the next monitor request (byte 20 + index: 0 ignition,
  // 1 outputs, 2 servo); an index out of range is ignored.
  void AddTestBits(int index, uint8_t bits);

  // The unit operations. Each starts at once (a step between ticks), not on
  // the next tick; the machine ignores a request it cannot take.
  void Read() { Start(&CCommMachine::RequestRead); }
  void Verify() { Start(&CCommMachine::RequestVerify); }
  void Reset() { Start(&CCommMachine::RequestReset); }

  // A unit operation is requested or runs (Read, Verify, Program, Reset and
  // their checks): nothing else may take the unit or the program away now.
  bool OperationRunning() const;

  // The check before programming the edited image into the connected unit.
  Preflight CheckProgram() const;
  // Requests the programming when the check lets it go (confirmed: the tuner
  // has answered its question). False when nothing was requested.
  bool Program(bool confirmed);

  // The messages recorded since the last call, oldest first.
  std::vector<SessionMessage> TakeMessages();
  bool MessagesPending() const { return !messages_.empty(); }
  // A front end that shows a holding message tells the session while it is
  // open; the engine steps again once every holding message has been read.
  void SetMessageOpen(bool open) { messageOpen_ = open; }
  bool Holding() const;

  // Where the session keeps its operations (null: nowhere). The front end
  // owns the recorder; it is told every step, and its messages are recorded.
  void SetHistory(CHistoryRecorder* history) { history_ = history; }

 private:
  friend class CSessionMonitor;  // records its messages

  // After a committed change: the changed bytes go to the unit when asked.
  void ProgramIfAsked(bool changed);
  void Start(void (CCommMachine::*request)());

  // ICommHost: the engine's calls, kept or passed on to the view.
  void ReloadPages() override;
  void TakeSnapshot() override;
  void ShowVersionMessage(const std::string& text) override;
  void ShowCutOffMessage(const char* packed) override;
  void DecodeUnitInfo(const uint8_t* header150) override;
  void ResetUnitInfo() override;
  void ProcessMonitor(const uint8_t* record151) override;
  void SaveAppSettings() override;
  void ForgetFileName() override;
  void RefreshCaptions() override;
  bool PlayerActive() const override;
  void SetComLabel(const std::string& text) override;
  void SetGauge(const GaugeView& gauge) override;

  // IUndoHost: the ring's calls, kept or passed on to the view.
  int ActivePage() const override { return view_.ActivePage(); }
  void ShowPage(int page) override { view_.ShowPage(page); }
  void LoadPages(int) override { view_.ReloadPages(); }
  void WriteSettings() override { view_.SaveAppSettings(); }
  void RecordImage(const Image& img) override { monitor_->RecordImage(img); }
  void SetUndoButtons(bool canUndo, bool canRedo) override { view_.SetUndoButtons(canUndo, canRedo); }
  void RequestProgramChanged() override;
  void FocusProgramAfterChange() override { view_.FocusProgramAfterChange(); }

  // IFileHost: the file commands' calls, kept or passed on to the view.
  void ShowMessage(const std::string& text) override { view_.FileMessage(text); }
  void CommitPendingChange() override { view_.CommitPendingChange(); }
  void StoreActivePage() override { view_.StoreActivePage(); }
  void LoadActivePage() override { view_.ReloadPages(); }
  void ReloadAllPages() override { view_.ReloadAllPages(); }
  void SnapshotAndCommit() override { undo_->TakeSnapshot(); }
  void AddRecent(const std::string& path) override { view_.AddRecent(path); }
  void RemoveRecent(const std::string& path) override { view_.RemoveRecent(path); }
  void WriteAppSettings() override { view_.SaveAppSettings(); }
  IgnVersions Versions() override;

  void Record(SessionMessage message);
  void Announce();
  void KeepHistory();

  ISessionView none_;
  ISessionView& view_;
  CUnitInfo unit_;
  std::vector<SessionMessage> messages_;
  bool announced_ = true;  // the view has heard of every recorded message
  bool messageOpen_ = false;
  bool programAfterChange_ = false;
  CDefaults defaults_;
  std::unique_ptr<CUndoRing> undo_;  // over the engine's document
  std::unique_ptr<CSettingsFiles> files_;
  std::unique_ptr<CSessionMonitor> monitor_;
  struct Kept {
    CSettingsDoc::Kept doc;
    CUndoRing::History undo;
  };
  std::unique_ptr<Kept> kept_;
  CHistoryRecorder* history_ = nullptr;
  CEngine engine_;  // last: its port threads stop first
};

}  // namespace ign
