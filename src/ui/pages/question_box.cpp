#include "ui/pages/question_box.h"

#include <QMessageBox>

namespace ign {

namespace {
QuestionPresenter& Presenter() {
  static QuestionPresenter p;
  return p;
}
}  // namespace

void SetQuestionPresenter(QuestionPresenter presenter) { Presenter() = std::move(presenter); }

Answer AskYesNoCancel(QWidget* parent, const std::string& text) {
  if (Presenter()) return Presenter()(text);
  switch (QMessageBox::question(parent, QString(), QString::fromUtf8(text.c_str()),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

}  // namespace ign
