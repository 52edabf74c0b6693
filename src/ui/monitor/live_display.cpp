#include "ui/monitor/live_display.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

#include "ui/monitor/label_paint.h"
#include "ui/monitor/live_panel.h"

namespace ign {

TLiveDisplay::TLiveDisplay(QWidget& window, TLivePanel& panel) : window_(window), panel_(panel) {}

template <typename T>
T* TLiveDisplay::Control(const QString& name) {
  QPointer<QObject>& slot = controls_[name];
  if (!slot) slot = window_.findChild<T*>(name);
  return qobject_cast<T*>(slot.data());
}

std::array<bool, 5> TLiveDisplay::PropSigned() {
  std::array<bool, 5> signedView{};
  for (int i = 0; i < 5; ++i) {
    auto* box = Control<QCheckBox>(QStringLiteral("CheckBoxPropMon%1").arg(i + 1));
    signedView[size_t(i)] = box && box->isChecked();
  }
  return signedView;
}

void TLiveDisplay::Show(const DisplayModel& model) {
  panel_.Show(window_, model);
  for (int i = 0; i < 4; ++i) {
    auto* button = Control<QAbstractButton>(QStringLiteral("ButtonTest0%1").arg(i + 1));
    const QString caption = QString::fromUtf8(model.testCaptions[size_t(i)].c_str());
    if (button && !caption.isEmpty() && button->text() != caption) button->setText(caption);
  }
}

void TLiveDisplay::ShowSelfTest(const CSelfTest& selfTest) {
  if (auto* label = Control<QLabel>(QStringLiteral("LabelSelftest"))) {
    LabelView view = selfTest.Label();
    view.visible = false;  // the self-test's controls stay hidden; its texts are kept up to date
    PaintLabel(*label, view);
  }
  const std::vector<std::string>& memo = selfTest.Memo();
  if (memo.size() == memoLines_) return;
  memoLines_ = memo.size();
  if (auto* edit = Control<QPlainTextEdit>(QStringLiteral("MemoSelftest"))) {
    QString text;
    for (const std::string& line : memo) text += QString::fromUtf8(line.c_str()) + '\n';
    edit->setPlainText(text);
  }
}

}  // namespace ign
