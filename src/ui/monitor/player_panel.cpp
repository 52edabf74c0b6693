#include "ui/monitor/player_panel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text/lngstr.h"
#include "core/text/relabel.h"

namespace ign {

namespace {

struct ButtonDef {
  const char* name;
  const char* hint;  // "short|long": tool tip and status text
};
constexpr ButtonDef kButtons[4] = {
    {"SpeedButtonPlay1", "Record|Start to record all events and monitor"},
    {"SpeedButtonPlay2", "Play|Play stored events and monitor"},
    {"SpeedButtonPlay3", "Pause|Pause Play or Record"},
    {"SpeedButtonPlay4", "Stop|Stop Play or Record"},
};
constexpr const char* kCaption = "###Monitor player##Monitor-Player##Přehrávač monitoru";

// The record button's red dot; the other three use the style's media icons.
QIcon RecordIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(200, 0, 0));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(2, 2, 12, 12));
  return QIcon(pixmap);
}

}  // namespace

TPlayerPanel::TPlayerPanel(QGroupBox* box) : QObject(box), box_(box) {
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(6, 4, 6, 4);
  auto* row = new QHBoxLayout();
  const QIcon icons[4] = {RecordIcon(), box->style()->standardIcon(QStyle::SP_MediaPlay),
                          box->style()->standardIcon(QStyle::SP_MediaPause),
                          box->style()->standardIcon(QStyle::SP_MediaStop)};
  for (int i = 0; i < 4; ++i) {
    auto* b = new QToolButton(box);
    b->setObjectName(kButtons[i].name);
    b->setIcon(icons[i]);
    b->setAutoRaise(true);
    connect(b, &QToolButton::clicked, this, [this, i] {
      if (!setting_ && onButton) onButton(i);
    });
    buttons_[i] = b;
    row->addWidget(b);
  }
  position_ = new QLabel(box);
  position_->setObjectName("LabelPlayPos");
  position_->setMinimumWidth(260);
  file_ = new QLabel(box);
  file_->setObjectName("LabelPlayFile");
  file_->setTextFormat(Qt::PlainText);
  file_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  row->addSpacing(8);
  row->addWidget(position_);
  row->addWidget(file_, 1);
  column->addLayout(row);
  bar_ = new QScrollBar(Qt::Horizontal, box);
  bar_->setObjectName("ScrollBarPlay");
  bar_->setAccessibleName(QStringLiteral("Position"));
  connect(bar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!setting_ && onPosition) onPosition(v);
  });
  column->addWidget(bar_);
  device_ = new QLabel(box);
  device_->setObjectName("LabelPlayDevice");
  device_->setTextFormat(Qt::PlainText);
  column->addWidget(device_);
  Relabel();
  relabelStep_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] { Relabel(); });
  Show(PlayerView{.buttons = {true, true, false, false}});
}

TPlayerPanel::~TPlayerPanel() {
  if (relabelStep_) UnregisterRelabelStep(relabelStep_);
}

void TPlayerPanel::Relabel() {
  box_->setTitle(QString::fromUtf8(LngStr(kCaption)));
  for (int i = 0; i < 4; ++i) {
    const QString hint = QString::fromUtf8(kButtons[i].hint);
    buttons_[i]->setToolTip(hint.section('|', 0, 0));
    buttons_[i]->setStatusTip(hint.section('|', 1));
    buttons_[i]->setAccessibleName(hint.section('|', 0, 0));
  }
}

void TPlayerPanel::Show(const PlayerView& view) {
  setting_ = true;
  for (int i = 0; i < 4; ++i) buttons_[i]->setEnabled(view.buttons[size_t(i)]);
  position_->setText(QString::fromUtf8(view.position.c_str()));
  file_->setText(QString::fromUtf8(view.file.c_str()));
  file_->setToolTip(file_->text());
  position_->setVisible(view.labelsVisible);
  file_->setVisible(view.labelsVisible);
  bar_->setVisible(view.barVisible);
  bar_->setRange(0, std::max(0, view.barMaximum));
  bar_->setValue(view.barPosition);
  device_->setText(QString::fromUtf8(view.device.c_str()));
  device_->setVisible(view.deviceVisible);
  setting_ = false;
}

}  // namespace ign
