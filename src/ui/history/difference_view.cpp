#include "ui/history/difference_view.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text/lngstr.h"

namespace ign {

namespace {
QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }
QString L(const char* packed) { return QString::fromUtf8(LngStr(packed)); }
}  // namespace

TDifferenceView::TDifferenceView(IHistoryActions& actions, QWidget* parent)
    : QDialog(parent), actions_(actions) {
  setObjectName(QStringLiteral("DifferenceView"));
  setModal(false);
  resize(640, 420);
  auto* layout = new QVBoxLayout(this);
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("DifferenceCaption"));
  caption_->setWordWrap(true);
  list_ = new TDifferenceList(this);
  list_->setObjectName(QStringLiteral("DifferenceList"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* close = buttons->button(QDialogButtonBox::Close);
  close->setObjectName(QStringLiteral("DifferenceClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(caption_);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
}

void TDifferenceView::Compare(const Image& a, const Image& b, const QString& titleA, const QString& titleB) {
  const std::vector<DifferenceLine> lines = DescribeDifferences(a, b);
  setWindowTitle(L("###Differences##Unterschiede##Rozdíly"));
  caption_->setText(titleA + QStringLiteral(" → ") + titleB + QStringLiteral(": ") +
                    Q(DifferenceCount(lines.size())));
  list_->setAccessibleName(titleA + QStringLiteral(" → ") + titleB);
  if (lines.empty())
    list_->ShowNothing(
        L("###The settings are the same.##Die Einstellungen sind gleich.##Nastavení jsou shodná."));
  else
    list_->Show(lines, titleA, titleB);
  if (auto* close = findChild<QPushButton*>(QStringLiteral("DifferenceClose"))) {
    close->setText(L("###Close##Schließen##Zavřít"));
    close->setAccessibleName(close->text());
  }
  actions_.MarkDifferences(lines);
}

void TDifferenceView::done(int result) {
  actions_.MarkDifferences({});
  QDialog::done(result);
}

}  // namespace ign
