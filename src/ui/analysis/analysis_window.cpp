#include "ui/analysis/analysis_window.h"

#include <qcustomplot.h>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDrag>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/logs/log_open.h"
#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "ui/analysis/time_plots.h"

namespace ign {

namespace {

QString T(const char* packed) { return QString::fromUtf8(LngStr(packed)); }

// The channel list: items drag their channel index onto the plots.
class TChannelList : public QListWidget {
 public:
  explicit TChannelList(QWidget* parent) : QListWidget(parent) {
    setDragEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
  }

 protected:
  QStringList mimeTypes() const override { return {QString::fromLatin1(kChannelMime)}; }
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    auto* data = new QMimeData;
    if (!items.isEmpty())
      data->setData(kChannelMime, QByteArray::number(items.first()->data(Qt::UserRole).toInt()));
    return data;
  }
};

}  // namespace

// A read running in the background; the window polls it.
struct TRideAnalysis::Job {
  std::string path;
  bool second = false;
  std::atomic<uint64_t> done{0}, total{1};
  std::atomic<bool> cancel{false}, finished{false};
  LogRead result;
  std::thread thread;
};

TRideAnalysis::TRideAnalysis(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FormRideAnalysis"));
  setAcceptDrops(true);
  resize(1100, 760);
  BuildUi();
  relabelId_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] { Relabel(); });
  Relabel();
}

TRideAnalysis::~TRideAnalysis() {
  UnregisterRelabelStep(relabelId_);
  if (job_) {
    job_->cancel = true;
    job_->thread.join();
  }
}

void TRideAnalysis::BuildUi() {
  QToolBar* bar = addToolBar(QStringLiteral("analysis"));
  bar->setObjectName(QStringLiteral("ToolBarAnalysis"));
  const auto action = [&](const char* name, auto slot) {
    QAction* a = bar->addAction(QString());
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  action("ActionOpenLog", [this] {
    if (const std::string p = Choose(false, "log"); !p.empty()) Open(p);
  });
  action("ActionOpenSecond", [this] {
    if (const std::string p = Choose(false, "log"); !p.empty()) Open(p, true);
  });
  bar->addSeparator();
  action("ActionExportPng", [this] {
    if (const std::string p = Choose(true, "png"); !p.empty()) ExportPng(p);
  });
  action("ActionExportPdf", [this] {
    if (const std::string p = Choose(true, "pdf"); !p.empty()) ExportPdf(p);
  });
  action("ActionExportCsv", [this] {
    if (const std::string p = Choose(true, "csv"); !p.empty()) ExportCsv(p);
  });
  decimalComma_ = new QCheckBox(bar);
  decimalComma_->setObjectName(QStringLiteral("CheckBoxDecimalComma"));
  bar->addWidget(decimalComma_);
  bar->addSeparator();
  offsetLabel_ = new QLabel(bar);
  bar->addWidget(offsetLabel_);
  offset_ = new QDoubleSpinBox(bar);
  offset_->setObjectName(QStringLiteral("SpinSecondOffset"));
  offset_->setRange(-100000, 100000);
  offset_->setDecimals(2);
  offset_->setSuffix(QStringLiteral(" s"));
  offset_->setEnabled(false);
  offsetLabel_->setBuddy(offset_);
  bar->addWidget(offset_);
  connect(offset_, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
          [this](double) { plots_->SetLogs(log_.get(), second_.get(), SecondOffset()); });

  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  info_ = new QLabel(central);
  info_->setObjectName(QStringLiteral("LabelAnalysisFile"));
  outer->addWidget(info_);
  auto* split = new QSplitter(central);
  outer->addWidget(split, 1);
  auto* left = new QWidget(split);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  cursorTime_ = new QLabel(left);
  cursorTime_->setObjectName(QStringLiteral("LabelCursorTime"));
  leftLayout->addWidget(cursorTime_);
  channels_ = new TChannelList(left);
  channels_->setObjectName(QStringLiteral("ListChannels"));
  leftLayout->addWidget(channels_, 1);
  auto* countRow = new QHBoxLayout;
  auto* countLabel = new QLabel(left);
  countLabel->setObjectName(QStringLiteral("LabelPlotCount"));
  plotCount_ = new QSpinBox(left);
  plotCount_->setObjectName(QStringLiteral("SpinPlotCount"));
  plotCount_->setRange(1, 8);
  countLabel->setBuddy(plotCount_);
  countRow->addWidget(countLabel);
  countRow->addWidget(plotCount_);
  leftLayout->addLayout(countRow);
  connect(channels_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    plots_->MoveChannel(item->data(Qt::UserRole).toInt(), plots_->PlotCount() - 1);
  });

  tabs_ = new QTabWidget(split);
  tabs_->setObjectName(QStringLiteral("TabsAnalysis"));
  plots_ = new TTimePlots(tabs_);
  plots_->setObjectName(QStringLiteral("TimePlots"));
  plots_->SetPlotCount(3);
  plotCount_->setValue(3);
  connect(plotCount_, qOverload<int>(&QSpinBox::valueChanged), this,
          [this](int n) { plots_->SetPlotCount(n); });
  tabs_->addTab(plots_, QString());
  connect(plots_, &TTimePlots::CursorMoved, this, [this] { ShowCursorValues(); });
  connect(plots_, &TTimePlots::CursorClicked, this, [this](double t) {
    if (log_ && log_->format == "recording") emit TimeClicked(QString::fromStdString(log_->source), t);
  });
  connect(plots_, &TTimePlots::SelectionChanged, this, [this](double, double) {
    RefreshHits();
    emit HitSourceChanged();
  });

  // Scatter.
  auto* scatterPage = new QWidget(tabs_);
  auto* scatterLayout = new QVBoxLayout(scatterPage);
  auto* scatterRow = new QHBoxLayout;
  const auto combo = [&](QWidget* page, QHBoxLayout* row, const char* name) {
    auto* label = new QLabel(page);
    label->setObjectName(QStringLiteral("Label") + QString::fromLatin1(name).mid(5));
    auto* box = new QComboBox(page);
    box->setObjectName(QString::fromLatin1(name));
    label->setBuddy(box);
    row->addWidget(label);
    row->addWidget(box, 1);
    return box;
  };
  scatterX_ = combo(scatterPage, scatterRow, "ComboScatterX");
  scatterY_ = combo(scatterPage, scatterRow, "ComboScatterY");
  scatterColour_ = combo(scatterPage, scatterRow, "ComboScatterColour");
  scatterLayout->addLayout(scatterRow);
  scatter_ = new QCustomPlot(scatterPage);
  scatter_->setObjectName(QStringLiteral("PlotScatter"));
  scatter_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  scatterLayout->addWidget(scatter_, 1);
  tabs_->addTab(scatterPage, QString());
  for (QComboBox* box : {scatterX_, scatterY_, scatterColour_})
    connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { RefreshScatter(); });

  // Histogram.
  auto* histPage = new QWidget(tabs_);
  auto* histLayout = new QVBoxLayout(histPage);
  auto* histRow = new QHBoxLayout;
  histogramChannel_ = combo(histPage, histRow, "ComboHistogram");
  histLayout->addLayout(histRow);
  histogram_ = new QCustomPlot(histPage);
  histogram_->setObjectName(QStringLiteral("PlotHistogram"));
  histLayout->addWidget(histogram_, 1);
  tabs_->addTab(histPage, QString());
  connect(histogramChannel_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          [this] { RefreshHistogram(); });

  // Hit counts.
  auto* hitPage = new QWidget(tabs_);
  auto* hitLayout = new QVBoxLayout(hitPage);
  auto* hitRow = new QHBoxLayout;
  hitMap_ = combo(hitPage, hitRow, "ComboHitMap");
  for (HitMap m : {HitMap::Advance1, HitMap::Advance2, HitMap::Servo}) hitMap_->addItem(QString(), int(m));
  copyHits_ = new QPushButton(hitPage);
  copyHits_->setObjectName(QStringLiteral("ButtonCopyHits"));
  hitRow->addWidget(copyHits_);
  hitLayout->addLayout(hitRow);
  hitTable_ = new QTableWidget(hitPage);
  hitTable_->setObjectName(QStringLiteral("TableHits"));
  hitTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The whole map in view: the cells share the width and the height.
  hitTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  hitTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  hitLayout->addWidget(hitTable_, 1);
  hitTotals_ = new QLabel(hitPage);
  hitTotals_->setObjectName(QStringLiteral("LabelHitTotals"));
  hitLayout->addWidget(hitTotals_);
  tabs_->addTab(hitPage, QString());
  connect(hitMap_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { RefreshHits(); });
  connect(copyHits_, &QPushButton::clicked, this, [this] { CopyHits(); });

  split->setStretchFactor(1, 1);
  split->setSizes({240, 860});
  auto* bottom = new QHBoxLayout;
  status_ = new QLabel(central);
  status_->setObjectName(QStringLiteral("LabelAnalysisStatus"));
  status_->setWordWrap(true);
  progress_ = new QProgressBar(central);
  progress_->setObjectName(QStringLiteral("ProgressOpen"));
  progress_->setRange(0, 1000);
  progress_->hide();
  cancel_ = new QPushButton(central);
  cancel_->setObjectName(QStringLiteral("ButtonCancelOpen"));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (job_) job_->cancel = true;
  });
  bottom->addWidget(status_, 1);
  bottom->addWidget(progress_);
  bottom->addWidget(cancel_);
  outer->addLayout(bottom);
  setCentralWidget(central);
  poll_ = new QTimer(this);
  poll_->setInterval(50);
  connect(poll_, &QTimer::timeout, this, [this] { PollJob(); });
}

void TRideAnalysis::Relabel() {
  setWindowTitle(T("###Ride analysis##Fahrtanalyse##Analýza jízdy"));
  const struct {
    const char* name;
    const char* packed;
  } actions[] = {
      {"ActionOpenLog", "###Open log...##Protokoll öffnen...##Otevřít záznam..."},
      {"ActionOpenSecond",
       "###Lay a second ride over...##Zweite Fahrt darüberlegen...##Přidat druhou jízdu..."},
      {"ActionExportPng", "###Export PNG...##PNG exportieren...##Export PNG..."},
      {"ActionExportPdf", "###Export PDF...##PDF exportieren...##Export PDF..."},
      {"ActionExportCsv",
       "###Export range as CSV...##Bereich als CSV exportieren...##Export úseku do CSV..."},
  };
  for (const auto& a : actions)
    if (auto* act = findChild<QAction*>(QString::fromLatin1(a.name))) act->setText(T(a.packed));
  decimalComma_->setText(T("###Decimal comma##Dezimalkomma##Desetinná čárka"));
  decimalComma_->setAccessibleName(decimalComma_->text());
  offsetLabel_->setText(T("###Second ride shifted by##Zweite Fahrt verschoben um##Druhá jízda posunuta o"));
  offset_->setAccessibleName(offsetLabel_->text());
  if (auto* l = findChild<QLabel*>(QStringLiteral("LabelPlotCount"))) {
    l->setText(T("###Plots##Diagramme##Grafy"));
    plotCount_->setAccessibleName(l->text());
  }
  channels_->setAccessibleName(
      T("###Channels (drag onto a plot)##Kanäle (auf ein Diagramm ziehen)##Kanály (přetáhněte na graf)"));
  tabs_->setTabText(0, T("###Time plots##Zeitdiagramme##Časové grafy"));
  tabs_->setTabText(1, T("###Scatter##Streudiagramm##Bodový graf"));
  tabs_->setTabText(2, T("###Histogram##Histogramm##Histogram"));
  tabs_->setTabText(3, T("###Map hit counts##Kennfeld-Treffer##Zásahy v mapě"));
  const struct {
    const char* label;
    const char* packed;
    QWidget* box;
  } combos[] = {
      {"LabelScatterX", "###X:##X:##X:", scatterX_},
      {"LabelScatterY", "###Y:##Y:##Y:", scatterY_},
      {"LabelScatterColour", "###Colour:##Farbe:##Barva:", scatterColour_},
      {"LabelHistogram", "###Channel:##Kanal:##Kanál:", histogramChannel_},
      {"LabelHitMap", "###Map:##Kennfeld:##Mapa:", hitMap_},
  };
  for (const auto& c : combos) {
    if (auto* l = findChild<QLabel*>(QString::fromLatin1(c.label))) {
      l->setText(T(c.packed));
      c.box->setAccessibleName(l->text());
    }
  }
  hitMap_->setItemText(0, T("###Advance 1##Vorzündung 1##Předstih 1"));
  hitMap_->setItemText(1, T("###Advance 2##Vorzündung 2##Předstih 2"));
  hitMap_->setItemText(2, QStringLiteral("Servo"));
  copyHits_->setText(T("###Copy table##Tabelle kopieren##Kopírovat tabulku"));
  copyHits_->setAccessibleName(copyHits_->text());
  cancel_->setText(T("###Stop##Abbrechen##Zastavit"));
  cancel_->setAccessibleName(cancel_->text());
  progress_->setAccessibleName(T("###Reading the log##Protokoll wird gelesen##Čtení záznamu"));
  scatter_->setAccessibleName(T("###Scatter plot##Streudiagramm##Bodový graf"));
  histogram_->setAccessibleName(T("###Histogram##Histogramm##Histogram"));
  hitTable_->setAccessibleName(
      T("###Seconds in each cell of the map##Sekunden in jeder Zelle des Kennfelds"
        "##Sekundy v každé buňce mapy"));
  plots_->Refresh();
  FillChannelList();
  RefreshHits();
}

std::string TRideAnalysis::Choose(bool save, const char* filter) {
  if (chooseFile) return chooseFile(save, filter);
  const QString f = QString::fromLatin1(filter);
  const QString filters = f == "log" ? T("###Ride logs (*.ignlog *.csv)##Fahrtprotokolle (*.ignlog "
                                         "*.csv)##Záznamy jízd (*.ignlog *.csv)")
                                     : f.toUpper() + QStringLiteral(" (*.") + f + QStringLiteral(")");
  const QString path = save ? QFileDialog::getSaveFileName(this, windowTitle(), QString(), filters)
                            : QFileDialog::getOpenFileName(this, windowTitle(), QString(), filters);
  return path.toStdString();
}

void TRideAnalysis::Say(const std::string& text) {
  status_->setText(QString::fromStdString(text));
  status_->setAccessibleName(status_->text());
  if (message)
    message(text);
  else if (!text.empty())
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
}

void TRideAnalysis::Open(const std::string& path, bool second) {
  if (job_ || (second && !log_)) return;
  job_ = std::make_unique<Job>();
  job_->path = path;
  job_->second = second;
  Job* job = job_.get();
  job->thread = std::thread([job] {
    CsvReadOptions o;
    o.progress = [job](uint64_t done, uint64_t total) {
      job->done = done;
      job->total = total ? total : 1;
      return !job->cancel.load();
    };
    job->result = OpenLog(job->path, o);
    job->finished.store(true, std::memory_order_release);
  });
  progress_->setValue(0);
  progress_->show();
  cancel_->show();
  status_->setText(QString::fromStdString(path));
  poll_->start();
}

void TRideAnalysis::Finish() {
  while (job_) {
    job_->thread.join();
    PollJob();
  }
}

void TRideAnalysis::PollJob() {
  if (!job_) return;
  const uint64_t total = std::max<uint64_t>(1, job_->total.load());
  progress_->setValue(int(1000 * std::min<uint64_t>(job_->done.load(), total) / total));
  if (!job_->finished.load(std::memory_order_acquire)) return;
  if (job_->thread.joinable()) job_->thread.join();
  poll_->stop();
  progress_->hide();
  cancel_->hide();
  std::unique_ptr<Job> job = std::move(job_);
  if (!job->result.log) {
    const std::string text = LogErrorMessage(job->path, job->result.error);
    if (job->result.error.fault == LogFault::Cancelled) {  // asked for (Stop, or the window closed): no box
      status_->setText(QString::fromStdString(text));
      status_->setAccessibleName(status_->text());
    } else {
      Say(text);
    }
    return;
  }
  auto log = std::make_unique<CLog>(std::move(*job->result.log));
  log->source = job->path;
  (job->second ? second_ : log_) = std::move(log);
  if (!job->second) second_.reset();
  Installed(job->second);
}

void TRideAnalysis::Installed(bool second) {
  status_->clear();
  offset_->setEnabled(second_ != nullptr);
  if (!second) {
    plots_->SetLogs(log_.get(), nullptr, 0);
    plots_->SetSelection(0, 0);
    plots_->SetView(0, std::max(1.0, log_->Duration()));
    DefaultPlots();
    FillChannelList();
  } else {
    plots_->SetLogs(log_.get(), second_.get(), SecondOffset());
  }
  QString text = QString::fromStdString(log_->source) + QStringLiteral("  (") +
                 QString::fromStdString(log_->format) +
                 QStringLiteral(", %1 s)").arg(log_->Duration(), 0, 'f', 1);
  if (second_) text += QStringLiteral("   2: ") + QString::fromStdString(second_->source);
  info_->setText(text);
  info_->setAccessibleName(text);
  if (!second) plots_->SetCursor(0);
  RefreshScatter();
  RefreshHistogram();
  RefreshHits();
  emit HitSourceChanged();
}

void TRideAnalysis::SetSecondOffset(double seconds) { offset_->setValue(seconds); }
double TRideAnalysis::SecondOffset() const { return offset_->value(); }

double TRideAnalysis::RangeFrom() const {
  return plots_->SelectionTo() > plots_->SelectionFrom() ? plots_->SelectionFrom() : -1e300;
}
double TRideAnalysis::RangeTo() const {
  return plots_->SelectionTo() > plots_->SelectionFrom() ? plots_->SelectionTo() : 1e300;
}

void TRideAnalysis::ShowTab(int index) { tabs_->setCurrentIndex(index); }

void TRideAnalysis::DefaultPlots() {
  const auto role = [&](ChannelRole r) { return log_->FindRole(r); };
  std::vector<std::vector<int>> plots(5);
  // Channels without a value in the whole log (advance of a channel the unit does not fire) stay off.
  const auto put = [&](size_t plot, int channel) {
    if (channel < 0) return;
    const std::vector<float>& v = log_->channels[size_t(channel)].values;
    if (std::any_of(v.begin(), v.end(), [](float x) { return HasValue(x); })) plots[plot].push_back(channel);
  };
  put(0, role(ChannelRole::Rpm));
  for (ChannelRole r :
       {ChannelRole::Advance1, ChannelRole::Advance2, ChannelRole::Advance3, ChannelRole::Advance4})
    put(1, role(r));
  put(2, role(ChannelRole::Load));
  put(3, role(ChannelRole::Battery));
  put(3, role(ChannelRole::Servo));
  put(4, role(ChannelRole::Limiter));
  put(4, role(ChannelRole::StartLimiter));
  put(4, role(ChannelRole::SecondMap));
  for (const char* name : {"INPUT1_IN", "INPUT2_IN"}) put(4, log_->Find(name));
  std::erase_if(plots, [](const std::vector<int>& p) { return p.empty(); });
  if (plots.empty())  // a log the program does not know: its first channels
    for (int c = 0; c < int(std::min<size_t>(3, log_->channels.size())); ++c) plots.push_back({c});
  plotCount_->blockSignals(true);
  plotCount_->setValue(std::max(1, int(plots.size())));
  plotCount_->blockSignals(false);
  plots_->SetPlotCount(std::max(1, int(plots.size())));
  for (size_t i = 0; i < plots.size(); ++i) plots_->SetChannels(int(i), plots[i]);
}

void TRideAnalysis::FillChannelList() {
  if (!log_) return;
  const int keep = channels_->currentRow();
  const auto fill = [&](QComboBox* box, bool none) {
    const int at = box->currentIndex();
    box->blockSignals(true);
    box->clear();
    if (none) box->addItem(T("###(none)##(keine)##(žádný)"), -1);
    for (size_t i = 0; i < log_->channels.size(); ++i)
      box->addItem(QString::fromStdString(log_->channels[i].name), int(i));
    box->setCurrentIndex(std::clamp(at, 0, box->count() - 1));
    box->blockSignals(false);
  };
  const bool fresh = scatterX_->count() != int(log_->channels.size());
  fill(scatterX_, false);
  fill(scatterY_, false);
  fill(scatterColour_, true);
  fill(histogramChannel_, false);
  if (fresh) {
    const auto pick = [&](QComboBox* box, int channel, int shift) {
      if (channel >= 0) box->setCurrentIndex(channel + shift);
    };
    pick(scatterX_, log_->FindRole(ChannelRole::Rpm), 0);
    pick(scatterY_, log_->FindRole(ChannelRole::Advance1), 0);
    pick(scatterColour_, log_->FindRole(ChannelRole::Load), 1);
    pick(histogramChannel_, log_->FindRole(ChannelRole::Rpm), 0);
  }
  channels_->clear();
  for (size_t i = 0; i < log_->channels.size(); ++i) {
    auto* item = new QListWidgetItem(channels_);
    item->setData(Qt::UserRole, int(i));
  }
  channels_->setCurrentRow(keep);
  ShowCursorValues();
}

// Every channel's value at the cursor, in the channel list.
void TRideAnalysis::ShowCursorValues() {
  if (!log_ || log_->Rows() == 0) return;
  const size_t row = log_->RowAt(plots_->Cursor());
  for (int i = 0; i < channels_->count(); ++i) {
    const LogChannel& c = log_->channels[size_t(i)];
    std::string text = c.name;
    if (!c.unit.empty()) text += " [" + c.unit + "]";
    const std::string value = ValueText(c, c.values[row]);
    text += " = " + (value.empty() ? std::string("-") : value);
    channels_->item(i)->setText(QString::fromStdString(text));
  }
  char buf[96];
  std::snprintf(buf, sizeof buf, LngStr("###Cursor at %.3f s##Cursor bei %.3f s##Kurzor na %.3f s"),
                log_->time[row]);
  channels_->setToolTip(QString::fromUtf8(buf));
  channels_->setAccessibleDescription(QString::fromUtf8(buf));
  cursorTime_->setText(QString::fromUtf8(buf));
}

void TRideAnalysis::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TRideAnalysis::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (!url.isLocalFile()) continue;
    Open(url.toLocalFile().toStdString(), log_ && (event->modifiers() & Qt::ShiftModifier));
    break;
  }
  event->acceptProposedAction();
}

void TRideAnalysis::closeEvent(QCloseEvent* event) {
  if (job_) job_->cancel = true;
  QMainWindow::closeEvent(event);
}

}  // namespace ign
