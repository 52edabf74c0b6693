#pragma once
// TPages: the page dispatcher, the change handling and the map-editor bridge.
//
// It builds the ten tab sheets of PageControl1 (page index = page group = tab
// index; 6, 7 and 8 exist but are never shown), loads, stores and refreshes
// the pages in the order 0, 1, 2, 3, 4, 5, 9, turns a user's action into one
// commit (NoteChange, the settle step on every tick, CommitEdit), and feeds
// the map editors with markers and live values (PushEditorState) and takes
// their edits back (OnSheetChanged).
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/mapedit/model.h"
#include "core/params/param_state.h"
#include "core/params/settings_doc.h"
#include "ui/pages/controls.h"
#include "ui/pages/page.h"
#include "ui/pages/settle.h"

class QTabWidget;
class QComboBox;

namespace ign {
class TTab;
}

namespace ign {

// What the pages need from the window around them.
class IPagesHost {
 public:
  virtual ~IPagesHost() = default;
  virtual CSettingsDoc& Params() = 0;
  virtual void NormaliseImage() = 0;
  // The undo snapshot; true when the image differed from the last one.
  virtual bool Snapshot() = 0;
  virtual bool ProgramAfterChange() const = 0;
  virtual void RequestProgramChanged() = 0;
  // The "Programming after change" check box, where the focus goes after a list.
  virtual QWidget* ProgramAfterChangeBox() = 0;
  virtual int32_t Tick() const = 0;
  virtual bool StartupComplete() const = 0;
  // The New command for a group (-1 all) with the question answered Yes,
  // without its commit: the defaults, status slot 2, the file name, the
  // title and an empty recent entry. The caller commits.
  virtual void NewDefaults(int group) = 0;
  // The bike selector: the bike-changed flag and all page groups selected.
  virtual void SetBikeChanged() = 0;
  // The preset of the image's bike; the channel count forced into 1..4.
  virtual void ApplyBikePreset() = 0;
  // Hooks of later parts: the recorder notes the view; the live display.
  virtual void NoteRecorderView() {}
  virtual void RefreshLiveDisplay() {}
  // LOAD BIN RS on the Test page: the image from a memory dump.
  virtual void LoadBinaryDump() {}
  virtual void FitStatusBar() {}
  // A typed value that was not stored as typed: the packed note for status
  // slot 2 (what was typed, the range, what was stored).
  virtual void ShowValueNote(const std::string& /*packed*/) {}
  // ORs one-shot test bits into the pending bits of the next monitor request
  // (index 0..2: ignition, output, servo test byte).
  virtual void AddTestBits(int /*index*/, uint8_t /*bits*/) {}
  // A test button was pressed (its caption in English, German and Czech):
  // status slot 2 says which test went to the unit, or that it waits for the
  // next connection.
  virtual void NoteTestRequest(const std::array<std::string, 3>& /*caption*/) {}
  virtual bool DeveloperTestMode() const { return false; }
};

namespace Page {
constexpr int Misc = 0, Bike = 1, Sensors = 2, Advance = 3, PowerOut = 4, Servo = 5, Test = 9, Count = 10;
}

// Live values from the monitor record; valid is false while there are none.
struct LiveFeed {
  bool valid = false;
  int32_t rpm = 0;
  int32_t throttle = 0;
  int32_t pressure = 0;
  uint32_t status = 0;
  int loadSensor = 0;         // the load sensor the unit reports (2: pressure)
  int32_t sensorVoltage = 0;  // the load sensor's voltage, mV
};

// A map editor as the bridge sees it.
struct TEditorEntry {
  TTab* widget = nullptr;   // the control, owner of the model
  QWidget* host = nullptr;  // where the editor is shown (its visibility)
  // Copies the editor's sheets into the image by its page's rule.
  std::function<void(Image&)> copyBack;
  Markers given;  // the markers last given to the editor

  CTabModel& Model() const;
};

namespace EditorRefresh {
constexpr unsigned kData = 0x1, kMarkers = 0x2;
}

class TPages : public QObject {
 public:
  TPages(IPagesHost& host, QTabWidget* pageControl);
  ~TPages() override;

  // Init of every page: the controls and their lists, in the order common,
  // Miscellaneous, Sensors, Bike, Advance Map, Power out, Servo, Test.
  void Build();

  // ---- dispatcher ----
  void LoadPages(bool all);
  void StorePage();
  void RefreshPages(bool all);
  int ActivePage() const { return activePage_; }
  const FeatureFlags& Flags() const { return flags_; }
  FeatureFlags RecomputeFlags();

  // ---- change handling ----
  void NoteChange(const void* control, ChangeKind kind);
  void CommitEdit();
  // Commits a pending control change and pending editor batches; nothing
  // when none is pending. Runs before anything reloads or replaces a page.
  void CommitPending();
  bool ChangePending() const;
  // Tick steps.
  void SettleStep();
  void PushEditorState();
  // A page's own tick step (the Bike page's typed texts, the Advance Map
  // page's live mark).
  void PageTick(int page);

  // Handlers bound to the controls.
  void FormEditLooseFocus(TUpDown* edit);
  void FormKeyPress(QWidget* sender);
  void FormUpDownClick(TUpDown* upDown);
  void FormCheckBoxClick(QWidget* box);
  void FormRadioGroupClick(QWidget* group);
  void FormComboChange(QComboBox* combo);
  void PageControl1Change(int index);
  // Connects a control to the handler of its kind.
  void Bind(QWidget* control);
  // After typed text of an up-down was taken: when the control does not show
  // what was typed (a limit, a step, the normalisation), it flashes and the
  // host shows a note. committed: the change went into the image.
  void TellTyped(TUpDown* upDown, bool committed);

  // ---- map editors ----
  // An editor shown by its control inside host; copyBack is its page's copy rule.
  TEditorEntry& AddEditor(TTab& tab, QWidget* host, std::function<void(Image&)> copyBack);
  std::vector<std::unique_ptr<TEditorEntry>>& Editors() { return editors_; }
  void FlagEditors(unsigned bits) { editorRefresh_ |= bits; }
  unsigned EditorRefreshFlags() const { return editorRefresh_; }
  void OnSheetChanged(TEditorEntry& editor);
  // Gives the editor markers (display units) and remembers them as given.
  void SetMarkers(TEditorEntry& editor, const Markers& m);
  // New live values (or none); the pages that offer live commands follow.
  void SetLive(const LiveFeed& live);
  const LiveFeed& Live() const { return live_; }

  // ---- for the pages ----
  TLoadGuard& Guard() { return guard_; }
  IPagesHost& Host() { return host_; }
  Image& Edited() { return host_.Params().Working(); }
  QWidget* Sheet(int page) const { return sheets_[size_t(page)]; }
  TPage* PageAt(int page) const { return pages_[size_t(page)].get(); }
  QTabWidget* Control() const { return control_; }
  template <typename T>
  T* PageAs(int page) const {
    return dynamic_cast<T*>(PageAt(page));
  }
  // Relabelling (step 4): the lists of every page in the current language.
  void Relabel();

 private:
  void CommonLoad();
  void CommonRefresh();

  IPagesHost& host_;
  QTabWidget* control_;
  std::array<QWidget*, Page::Count> sheets_{};
  std::array<std::unique_ptr<TPage>, Page::Count> pages_;
  std::vector<std::unique_ptr<TEditorEntry>> editors_;
  TLoadGuard guard_;
  CChangeSettle settle_;
  FeatureFlags flags_{};
  LiveFeed live_;
  int activePage_ = 0;
  unsigned editorRefresh_ = 0;
  bool referenceReset_ = false;
  bool refreshing_ = false;
  int relabelStep_ = 0;
};

}  // namespace ign
