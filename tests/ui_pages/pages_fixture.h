#pragma once
// A started main window with its pages, ticked by hand.
#include <QAction>
#include <QLineEdit>
#include <QTabWidget>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "tests/support/sim_process.h"
#include "tests/ui/form_fixture.h"
#include "tests/ui_pages/page_input.h"
#include "ui/pages/advance_page.h"
#include "ui/pages/bike_page.h"
#include "ui/pages/controls.h"
#include "ui/pages/misc_page.h"
#include "ui/pages/pages.h"
#include "ui/pages/question_box.h"

namespace ign::test {

// The simulated unit's settings as its image file holds them now.
inline std::string UnitImage(const SimProcess& sim) {
  std::string bytes;
  ReadWholeFile(sim.imagePath(), bytes);
  return bytes;
}

class PagesFixture : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    SetQuestionPresenter([this](const std::string& text) {
      questions_.push_back(text);
      return answer_;
    });
  }
  void TearDown() override {
    SetQuestionPresenter(nullptr);
    FormFixture::TearDown();
  }

  TMainForm& StartOn(int page) {
    TMainForm& f = Start();
    f.ShowPage(page);
    return f;
  }
  // The window shown on page with the simulated unit's settings read in;
  // false (with a failure) when the unit did not connect or answer.
  bool StartAndRead(int page) {
    TMainForm& f = StartOn(page);
    f.show();
    QAction* read = Find<QAction>("MenuRead");
    if (!WaitFor([&] { return read->isEnabled(); }, 30000)) {
      ADD_FAILURE() << "no connection";
      return false;
    }
    read->trigger();
    if (!WaitFor([&] { return f.Params().UnitValid() && f.Engine().Machine().Idle(); }, 30000)) {
      ADD_FAILURE() << "no answer to Read";
      return false;
    }
    return true;
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) form_->Timer1Timer();
  }
  TPages& Pages() { return form_->Pages(); }
  Image& Img() { return form_->Params().Working(); }
  TUpDown* UpDown(const char* name) {
    auto* u = Find<TUpDown>(name);
    EXPECT_NE(u, nullptr) << name;
    return u;
  }
  // The undo steps there are, counted by undoing them all.
  int UndoDepth() { return UndoAll(form_->Undo()); }
  // Types text into an up-down as a user would (the text is not taken yet).
  void Type(TUpDown* u, const QString& text) { TypeInto(u, text); }

  std::vector<std::string> questions_;
  Answer answer_ = Answer::Cancel;
};

}  // namespace ign::test
