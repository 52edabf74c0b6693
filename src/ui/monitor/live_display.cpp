#include "ui/monitor/live_display.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

#include "ui/monitor/label_paint.h"
#include "ui/monitor/live_panel.h"

namespace ign {

TLiveDisplay::TLiveDisplay(QWidget& window, TLivePanel& panel, ILiveHost& host)
    : window_(window), panel_(panel), host_(host) {}

template <typename T>
T* TLiveDisplay::Control(const QString& name) {
  QPointer<QObject>& slot = controls_[name];
  if (!slot) slot = window_.findChild<T*>(name);
  return qobject_cast<T*>(slot.data());
}

void TLiveDisplay::Update(bool newRecord) {
  if (updating_) return;  // a page refresh asked for the display it is part of
  updating_ = true;
  DisplayInput in;
  in.edited = &host_.EditedImage();
  in.developerMode = host_.DeveloperMode();
  for (int i = 0; i < 5; ++i) {
    auto* box = Control<QCheckBox>(QStringLiteral("CheckBoxPropMon%1").arg(i + 1));
    in.propSigned[size_t(i)] = box && box->isChecked();
  }
  host_.UnitTexts(in.unitName, in.unitDate, in.unitTime);
  const bool data = host_.LiveData();
  MonitorUpdate u = monitor_.Show(data, std::move(in), host_.RowTime(), newRecord);
  panel_.Show(window_, u.model);
  for (int i = 0; i < 4; ++i) {
    auto* button = Control<QAbstractButton>(QStringLiteral("ButtonTest0%1").arg(i + 1));
    const QString caption = QString::fromUtf8(u.model.testCaptions[size_t(i)].c_str());
    if (button && !caption.isEmpty() && button->text() != caption) button->setText(caption);
  }
  if (data) host_.AnnounceStream(u.model.stream);
  host_.FeedPages(u.model.live, u.model.kept.loadVoltage);
  if (u.testBits) host_.AddTestBits(1, u.testBits);
  const bool refresh = u.model.refreshPages;
  last_ = std::move(u.model);
  ShowSelfTest();
  if (u.csvStopped) host_.CsvStopped(monitor_.Csv().Message());
  if (refresh) host_.RefreshPages();
  updating_ = false;
}

void TLiveDisplay::ShowSelfTest() {
  if (auto* label = Control<QLabel>(QStringLiteral("LabelSelftest"))) {
    LabelView view = monitor_.SelfTest().Label();
    view.visible = false;  // the self-test's controls stay hidden; its texts are kept up to date
    PaintLabel(*label, view);
  }
  const std::vector<std::string>& memo = monitor_.SelfTest().Memo();
  if (memo.size() == memoLines_) return;
  memoLines_ = memo.size();
  if (auto* edit = Control<QPlainTextEdit>(QStringLiteral("MemoSelftest"))) {
    QString text;
    for (const std::string& line : memo) text += QString::fromUtf8(line.c_str()) + '\n';
    edit->setPlainText(text);
  }
}

}  // namespace ign
