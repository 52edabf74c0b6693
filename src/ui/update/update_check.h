#pragma once
// TUpdateCheck: the GUI side of the update check. It owns the worker and
// the shared state, is polled by the window's tick, offers a found update in
// TFormPatch (opened by a queued call after the tick, and not while a unit
// operation runs) and carries out the user's choice. It also opens the help
// links of the Help and Device menus.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/update/update_offer.h"
#include "core/update/update_sources.h"
#include "core/update/update_state.h"
#include "ui/update/update_settings.h"

class QWidget;

namespace ign {

class TFormPatch;
class TUpdateWorker;

// What the check needs of the window.
struct UpdateHooks {
  std::function<QWidget*()> window;
  std::function<void(const std::string&)> setHint;  // status panel 0 ("" clears it)
  std::function<bool()> unitBusy;                   // a Read, Verify, Program or Reset runs
  std::function<void()> saveSettings;               // the window's settings writer
  std::function<void()> closeWindow;                // the usual close
};

class TUpdateCheck : public QObject {
 public:
  // The check starts from this tick on (tick clock above 2000 ms).
  static constexpr uint32_t kFirstTick = 41;

  TUpdateCheck(UpdateHooks hooks, UpdateSources sources, std::string programDate, std::string appIni);
  ~TUpdateCheck() override;

  // Start-up: reads the check's keys and starts the worker unless the check
  // is off (no address, "nopatchcheck", the environment, or the menu switch).
  void Start(bool noPatchCheck);
  // Tick step: asks for the transfer, takes its result, opens a waiting
  // offer or finishes a download once no unit operation runs.
  void Poll(uint32_t tickCount);
  // Shutdown: stop flag, abort, a join bounded to one second.
  void Stop();

  // Help links: the download page and the manuals (the user guide when no
  // web host is configured).
  void MenuUpdateClick();
  void MenuContensClick();
  bool HasWebHost() const;

  // "Check for updates at start", kept in the application settings.
  bool CheckAtStart() const { return settings_.checkAtStart; }
  void SetCheckAtStart(bool on);

  int Dismissed() const { return settings_.dismissed; }
  bool WorkerRunning() const;
  UpdateState State() const { return shared_->State(); }
  TFormPatch* Dialog() const;
  // Offers the text of a document as a finished transfer would (for the
  // screenshot driver); true when an offer was made.
  bool OfferDocument(const std::string& document);

 private:
  void HandleDocument(std::string_view document);
  void ShowOffer();
  void DialogFinished(int result);
  void EndCheck();

  UpdateHooks hooks_;
  UpdateSources sources_;
  std::string programDate_;
  std::string appIni_;
  UpdateSettings settings_;
  std::shared_ptr<CUpdateState> shared_;
  std::unique_ptr<TUpdateWorker> worker_;
  bool enabled_ = false;
  std::optional<UpdateOffer> pending_;
  bool showQueued_ = false;
  QPointer<TFormPatch> dialog_;
  bool closePending_ = false;
};

}  // namespace ign
