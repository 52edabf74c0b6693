#include "ui/monitor/live_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/monitor/display.h"
#include "core/text/caption_table.h"
#include "core/text/relabel.h"
#include "ui/monitor/label_paint.h"

namespace ign {

namespace {

// The cells of the panel, row by row, left to right, each with the number of
// columns it spans; a name starting with '*' is a gauge. Column widths are
// fixed so that a changing text never moves its neighbours.
struct Cell {
  const char* name;
  int row, column, span;
};
// Spans are in 24ths of the row, sized for each label's longest text in the
// three languages at the default window width.
constexpr Cell kCells[] = {
    {"LabelRpm", 0, 0, 3},
    {"*CGaugeRpm", 0, 3, 3},
    {"LabelTpsMon", 0, 6, 5},
    {"*CGaugeTps", 0, 11, 3},
    {"LabelNapeti", 0, 14, 3},
    {"LabelServo", 0, 17, 7},
    {"LabelAdvance1", 1, 0, 6},
    {"LabelAdvance2", 1, 6, 6},
    {"LabelAdvance3", 1, 12, 6},
    {"LabelAdvance4", 1, 18, 6},
    // The pick-up texts are the longest: half a row each.
    {"LabelMonSnimac1", 2, 0, 12},
    {"LabelMonSnimac2", 2, 12, 12},
    {"LabelKillSwitch", 3, 0, 4},
    {"LabelBlocking", 3, 4, 5},
    {"LabelClutchMon", 3, 9, 5},
    {"LabelMonRetard", 3, 14, 4},
    {"Label2ndAdv", 3, 18, 6},
    {"LabelMonTachoLambdaOut", 4, 0, 5},
    {"LabelMonStartLimiterOut", 4, 5, 5},
    {"LabelMonLimiterOut", 4, 10, 4},
    {"LabelEeDataErr", 4, 14, 10},
    {"LabelPocetProgramovani", 5, 0, 7},
    {"LabelOvervoltageEvents", 5, 7, 17},
};
constexpr int kColumns = 24;
// Panel labels the program never shows.
constexpr const char* kHidden[] = {"LabelDwell", "LabelDwellCalibError", "LabelSelftest"};

QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setMargin(2);
  l->setAutoFillBackground(true);
  l->setTextFormat(Qt::PlainText);
  // Hidden labels keep their room: nothing moves when one shows.
  QSizePolicy policy = l->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  policy.setHorizontalPolicy(QSizePolicy::Ignored);
  l->setSizePolicy(policy);
  return l;
}

}  // namespace

TLivePanel::TLivePanel(QWidget* parent) : QFrame(parent) {
  setObjectName("PanelMonitor");
  setFrameShape(QFrame::StyledPanel);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(3);
  playback_ = new QLabel(this);
  playback_->setObjectName("LabelPlayback");
  playback_->setTextFormat(Qt::PlainText);
  playback_->setAlignment(Qt::AlignCenter);
  playback_->setStyleSheet(
      "QLabel { background: #1f4e9e; color: white; font-weight: bold; padding: 3px; border-radius: 2px; }");
  playback_->hide();
  column->addWidget(playback_);
  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  for (const Cell& cell : kCells) {
    if (cell.name[0] == '*') {
      auto* gauge = new QProgressBar(this);
      gauge->setObjectName(cell.name + 1);
      gauge->setTextVisible(false);
      gauge->setMaximumHeight(16);
      (std::string(cell.name + 1) == "CGaugeRpm" ? rpmGauge_ : tpsGauge_) = gauge;
      grid->addWidget(gauge, cell.row, cell.column, 1, cell.span);
      continue;
    }
    QLabel* l = MakeLabel(this, cell.name);
    labels_[cell.name] = l;
    grid->addWidget(l, cell.row, cell.column, 1, cell.span);
  }
  for (int c = 0; c < kColumns; ++c) grid->setColumnStretch(c, 1);
  column->addLayout(grid);

  // Full synchronisation of the unit and of each channel, then the unit's
  // identification.
  auto* bottom = new QHBoxLayout();
  bottom->setSpacing(6);
  fullSyncCaption_ = new QLabel(this);
  fullSyncCaption_->setObjectName("LabelFullSyncCaption");
  bottom->addWidget(fullSyncCaption_);
  for (const char* name : {"LabelFullSync", "LabelFullSynchro1", "LabelFullSynchro2", "LabelFullSynchro3",
                           "LabelFullSynchro4"}) {
    QLabel* l = MakeLabel(this, name);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(44);
    labels_[name] = l;
    bottom->addWidget(l, 1);
  }
  bottom->addSpacing(20);
  for (const char* name : {"LabelVerze1", "LabelVerze2", "LabelVerze3"}) {
    QLabel* l = MakeLabel(this, name);
    labels_[name] = l;
    bottom->addWidget(l, 3);
  }
  // Opens, hides and shows the pick-up monitor window.
  auto* pickup = new QPushButton(QStringLiteral("Pick-up monitor"), this);
  pickup->setObjectName("ButtonMonPu");
  bottom->addWidget(pickup);
  column->addLayout(bottom);

  for (const char* name : kHidden) {
    QLabel* l = MakeLabel(this, name);
    l->hide();
    labels_[name] = l;
  }
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("MemoSelftest");
  memo->setReadOnly(true);
  memo->hide();
  auto* selftest = new QPushButton(QStringLiteral("Selftest"), this);
  selftest->setObjectName("ButtonSelftest");
  selftest->hide();

  Relabel();
  relabelStep_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] { Relabel(); });
}

TLivePanel::~TLivePanel() {
  if (relabelStep_) UnregisterRelabelStep(relabelStep_);
}

void TLivePanel::Relabel() {
  // The Bike page's word for full synchronisation.
  for (CaptionPage page : kAllCaptionPages)
    if (const CaptionRow* row = FindCaptionRow(PageTextRows(page), "LabelSnimac3"))
      fullSyncCaption_->setText(QString::fromUtf8(CaptionText(*row)));
}

void TLivePanel::ShowPlayback(const std::string& banner) {
  // Called on every tick of a playback: only a new text is set.
  const QString text = QString::fromStdString(banner);
  if (playback_->text() != text) {
    playback_->setText(text);
    playback_->setAccessibleName(text);
  }
  if (playback_->isHidden() != banner.empty()) playback_->setVisible(!banner.empty());
}

QLabel* TLivePanel::Find(QWidget& window, const std::string& name) {
  auto it = labels_.find(name);
  if (it != labels_.end() && it->second) return it->second;
  QLabel* l = window.findChild<QLabel*>(QString::fromStdString(name));
  if (l) labels_[name] = l;
  return l;
}

void TLivePanel::Show(QWidget& window, const DisplayModel& model) {
  for (const auto& [name, view] : model.labels) {
    QLabel* l = Find(window, name);
    if (!l) continue;
    if (std::find(std::begin(kHidden), std::end(kHidden), name) == std::end(kHidden)) {
      PaintLabel(*l, view);
    } else {
      LabelView hidden = view;
      hidden.visible = false;
      PaintLabel(*l, hidden);
    }
  }
  PaintGauge(*rpmGauge_, model.rpmGauge);
  PaintGauge(*tpsGauge_, model.tpsGauge);
}

}  // namespace ign
