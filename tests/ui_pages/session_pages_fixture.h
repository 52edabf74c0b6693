#pragma once
// The parameter pages over a session, with no main window: what the pages
// store, load, commit and program is the session's behaviour.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/session/session.h"
#include "core/text/language.h"
#include "core/text/relabel.h"
#include "tests/app/temp_dir.h"
#include "tests/ui/qt_app.h"
#include "tests/ui_pages/page_input.h"
#include "ui/app/captions.h"
#include "ui/app/error_box.h"
#include "ui/pages/controls.h"
#include "ui/pages/pages.h"
#include "ui/pages/question_box.h"
#include "ui/pages/session_pages_host.h"

namespace ign::test {

// The session with its pages in a tab widget, ticked by hand.
class PagesStand : private ISessionView {
 public:
  explicit PagesStand(const RunConfig& config)
      : session_(this, nullptr, config), host_(session_), pages_(host_, &tabs_) {
    tabs_.resize(1000, 620);
    pages_.Build();
    captionSteps_ = RegisterControlCaptionSteps(tabs_);
    RelabelAll();  // the message table, the captions and the page texts
    // As at start-up: the first defaults, loaded pages, an empty undo ring.
    session_.Params().Working()[Adrb::BIKE] = kStartBike;
    session_.LoadDefaults(Group::All);
    session_.NormaliseEdited();
    pages_.LoadPages(true);
    session_.Undo().ResetUndo();
    pages_.FlagEditors(EditorRefresh::kData | EditorRefresh::kMarkers);
    pages_.RefreshPages(false);
  }

  ~PagesStand() override {
    for (int id : captionSteps_) UnregisterRelabelStep(id);
  }

  CSession& Session() { return session_; }
  CSettingsDoc& Params() { return session_.Params(); }
  CEngine& Engine() { return session_.Engine(); }
  CUndoRing& Undo() { return session_.Undo(); }
  CStatusSlots& Status() { return session_.Engine().Status(); }
  TPages& Pages() { return pages_; }
  QTabWidget& Tabs() { return tabs_; }
  int32_t TickCount() const { return session_.Engine().Clock().Ticks(); }

  void ShowPage(int page) override { tabs_.setCurrentIndex(page); }
  void show() { tabs_.show(); }
  // The language switch as far as the pages go: the page texts follow (the
  // window's captions are the window's).
  void MenuLanguageClick(int language) {
    pages_.CommitPending();
    ChangeLanguage(language);
    pages_.LoadPages(false);
  }
  void ReloadActivePage() { pages_.LoadPages(false); }
  void StoreActivePage() { pages_.StorePage(); }
  bool CommitImageChange() { return session_.CommitEdit(); }
  void SetProgramAfterChange(bool on) { session_.SetProgramAfterChange(on); }
  // What the window's tick does for the pages.
  void Tick() {
    session_.Tick();
    pages_.SettleStep();
    pages_.PushEditorState();
    pages_.PageTick(Page::Advance);
    pages_.PageTick(Page::Bike);
  }

 private:
  // ISessionView
  void ReloadPages() override { pages_.LoadPages(false); }
  int ActivePage() const override { return pages_.ActivePage(); }

  CSession session_;
  QTabWidget tabs_;
  std::vector<int> captionSteps_;
  TSessionPagesHost host_;
  TPages pages_;
};

class SessionPagesFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    std::filesystem::create_directories(dir_.File("ports"));
    config_.settingsDir = dir_.File("settings");
    config_.portDir = dir_.File("ports");
    SetLanguage(LNG_ENGLISH);
    SetErrorBoxPresenter([this](const std::string& text, unsigned) {
      errorBoxes_.push_back(text);
      return 1;
    });
    SetQuestionPresenter([this](const std::string& text) {
      questions_.push_back(text);
      return answer_;
    });
  }
  void TearDown() override {
    stand_.reset();
    SetQuestionPresenter(nullptr);
    SetErrorBoxPresenter(nullptr);
    SetLanguage(LNG_ENGLISH);
  }

  PagesStand& StartOn(int page) {
    stand_ = std::make_unique<PagesStand>(config_);
    stand_->ShowPage(page);
    return *stand_;
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) stand_->Tick();
  }
  TPages& Pages() { return stand_->Pages(); }
  Image& Img() { return stand_->Params().Working(); }
  template <typename T>
  T* Find(const char* name) {
    return stand_->Tabs().findChild<T*>(QString::fromLatin1(name));
  }
  TUpDown* UpDown(const char* name) {
    auto* u = Find<TUpDown>(name);
    EXPECT_NE(u, nullptr) << name;
    return u;
  }
  // The undo steps there are, counted by undoing them all.
  int UndoDepth() { return UndoAll(stand_->Undo()); }
  // Types text into an up-down as a user would (the text is not taken yet).
  void Type(TUpDown* u, const QString& text) { TypeInto(u, text); }

  TempDir dir_;
  RunConfig config_;
  std::unique_ptr<PagesStand> stand_;
  std::vector<std::string> errorBoxes_;
  std::vector<std::string> questions_;
  Answer answer_ = Answer::Cancel;
};

}  // namespace ign::test
