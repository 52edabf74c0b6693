#pragma once
// A started main window with its pages, ticked by hand.
#include <QLineEdit>
#include <QTabWidget>

#include "tests/ui/form_fixture.h"
#include "ui/pages/advance_page.h"
#include "ui/pages/bike_page.h"
#include "ui/pages/controls.h"
#include "ui/pages/misc_page.h"
#include "ui/pages/pages.h"
#include "ui/pages/question_box.h"

namespace ign::test {

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
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) form_->Timer1Timer();
  }
  TPages& Pages() { return form_->Pages(); }
  Image& Img() { return form_->Params().edited; }
  TUpDown* UpDown(const char* name) {
    auto* u = Find<TUpDown>(name);
    EXPECT_NE(u, nullptr) << name;
    return u;
  }
  // The undo steps there are, counted by undoing them all.
  int UndoDepth() {
    int n = 0;
    while (form_->Undo().CanUndo() && n < 300) {
      form_->Undo().Undo();
      ++n;
    }
    return n;
  }
  // Types text into an up-down as a user would (the text is not taken yet).
  void Type(TUpDown* u, const QString& text) {
    QLineEdit* edit = u->findChild<QLineEdit*>();
    edit->selectAll();
    edit->insert(text);
    emit edit->textEdited(edit->text());
  }

  std::vector<std::string> questions_;
  Answer answer_ = Answer::Cancel;
};

}  // namespace ign::test
