#pragma once
// The Yes / No / Cancel question of the pages and the New command, in the
// current language. Tests answer it through a presenter instead of a dialog.
#include <functional>
#include <string>

class QWidget;

namespace ign {

enum class Answer { Yes, No, Cancel };

Answer AskYesNoCancel(QWidget* parent, const std::string& text);

using QuestionPresenter = std::function<Answer(const std::string& text)>;
// Replaces the dialog; empty restores it.
void SetQuestionPresenter(QuestionPresenter presenter);

}  // namespace ign
