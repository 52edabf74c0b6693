// The scatter, the histogram, the hit table and the exports of the ride
// analysis window.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "core/logs/plot_data.h"
#include "core/logs/tidy_csv.h"
#include "core/text/lngstr.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/time_plots.h"

namespace ign {

namespace {

constexpr int kColourBins = 12;
constexpr size_t kMostScatterPoints = 60000;

QString T(const char* packed) { return QString::fromUtf8(LngStr(packed)); }

QString AxisTitle(const LogChannel& c) {
  return QString::fromStdString(c.name) +
         (c.unit.empty() ? QString() : QStringLiteral(" [%1]").arg(QString::fromStdString(c.unit)));
}

}  // namespace

void TRideAnalysis::SetScatter(int x, int y, int colour) {
  scatterX_->setCurrentIndex(x);
  scatterY_->setCurrentIndex(y);
  scatterColour_->setCurrentIndex(colour + 1);
  RefreshScatter();
}

void TRideAnalysis::SetHistogram(int channel) {
  histogramChannel_->setCurrentIndex(channel);
  RefreshHistogram();
}

void TRideAnalysis::SetHitMap(HitMap map) { hitMap_->setCurrentIndex(int(map)); }

// Points in colour bins by the third channel, one graph per bin.
void TRideAnalysis::RefreshScatter() {
  QCustomPlot& p = *scatter_;
  p.clearGraphs();
  p.clearPlottables();
  if (p.plotLayout()->elementCount() > 1) p.plotLayout()->removeAt(1), p.plotLayout()->simplify();
  if (!log_ || log_->channels.empty()) {
    p.replot();
    return;
  }
  const int xc = scatterX_->currentData().toInt(), yc = scatterY_->currentData().toInt();
  const int cc = scatterColour_->currentData().toInt();
  const ScatterData s = ScatterOf(*log_, xc, yc, cc, RangeFrom(), RangeTo(), kMostScatterPoints);
  double lo = INFINITY, hi = -INFINITY;
  for (double c : s.colour)
    if (!std::isnan(c)) lo = std::min(lo, c), hi = std::max(hi, c);
  const bool coloured = lo <= hi;
  QCPColorGradient gradient(QCPColorGradient::gpJet);
  std::vector<QVector<double>> xs(kColourBins), ys(kColourBins);
  for (size_t i = 0; i < s.x.size(); ++i) {
    int bin = 0;
    if (coloured && !std::isnan(s.colour[i]))
      bin = hi > lo ? std::clamp(int((s.colour[i] - lo) / (hi - lo) * kColourBins), 0, kColourBins - 1) : 0;
    xs[size_t(bin)].push_back(s.x[i]);
    ys[size_t(bin)].push_back(s.y[i]);
  }
  for (int b = 0; b < kColourBins; ++b) {
    QCPGraph* g = p.addGraph();
    g->setLineStyle(QCPGraph::lsNone);
    const QColor colour =
        coloured ? QColor(gradient.color((b + 0.5) / kColourBins, QCPRange(0, 1))) : QColor(30, 90, 200);
    g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, colour, 4));
    g->setData(xs[size_t(b)], ys[size_t(b)]);
  }
  p.xAxis->setLabel(AxisTitle(log_->channels[size_t(xc)]));
  p.yAxis->setLabel(AxisTitle(log_->channels[size_t(yc)]));
  p.rescaleAxes();
  for (QCPAxis* axis : {p.xAxis, p.yAxis}) axis->scaleRange(1.06, axis->range().center());
  if (coloured) {
    auto* scale = new QCPColorScale(&p);
    p.plotLayout()->addElement(0, 1, scale);
    // The scale as tall as the plot's axis rectangle.
    auto* group = p.findChild<QCPMarginGroup*>();
    if (!group) group = new QCPMarginGroup(&p);
    p.axisRect()->setMarginGroup(QCP::msTop | QCP::msBottom, group);
    scale->setMarginGroup(QCP::msTop | QCP::msBottom, group);
    scale->setGradient(gradient);
    scale->setDataRange(QCPRange(lo, hi > lo ? hi : lo + 1));
    scale->axis()->setLabel(AxisTitle(log_->channels[size_t(cc)]));
  }
  QString name = T("###Scatter plot##Streudiagramm##Bodový graf") + QStringLiteral(": ") + p.yAxis->label() +
                 QStringLiteral(" / ") + p.xAxis->label();
  if (coloured) name += QStringLiteral(", ") + AxisTitle(log_->channels[size_t(cc)]);
  p.setAccessibleName(name);
  p.replot();
}

void TRideAnalysis::RefreshHistogram() {
  QCustomPlot& p = *histogram_;
  p.clearPlottables();
  if (!log_ || log_->channels.empty()) {
    p.replot();
    return;
  }
  const int c = histogramChannel_->currentData().toInt();
  const HistogramData h = HistogramOf(*log_, c, RangeFrom(), RangeTo(), 40);
  auto* bars = new QCPBars(p.xAxis, p.yAxis);
  QVector<double> keys, values;
  for (size_t i = 0; i < h.counts.size(); ++i) {
    keys.push_back(h.low + (double(i) + 0.5) * h.width);
    values.push_back(h.counts[i]);
  }
  bars->setWidth(h.width * 0.9);
  bars->setData(keys, values, true);
  bars->setBrush(QColor(30, 90, 200, 160));
  p.xAxis->setLabel(AxisTitle(log_->channels[size_t(c)]));
  p.yAxis->setLabel(T("###Records##Datensätze##Záznamy"));
  // Whole bars at both ends, and room above the highest.
  const double bins = double(h.counts.size());
  p.xAxis->setRange(h.low - h.width * 0.5, h.low + h.width * (bins + 0.5));
  const double most = h.counts.empty() ? 1.0 : *std::max_element(h.counts.begin(), h.counts.end());
  p.yAxis->setRange(0, std::max(1.0, most * 1.06));
  p.setAccessibleName(T("###Histogram##Histogramm##Histogram") + QStringLiteral(": ") + p.xAxis->label());
  p.replot();
}

void TRideAnalysis::RefreshHits() {
  hitTable_->clear();
  hitTable_->setRowCount(0);
  hitTable_->setColumnCount(0);
  hits_ = HitTable{};
  if (!log_) return;
  const HitMap map = HitMap(hitMap_->currentData().toInt());
  Image img{};
  if (!log_->images.empty())
    img = log_->images.back().image;
  else if (settingsForHits)
    img = settingsForHits();
  CHitCounter counter(HitSheetOfImage(img, map), HitSheetIndex(map));
  std::string why;
  if (!CountLogHits(*log_, RangeFrom(), RangeTo(), img[Adrb::TPSIAP_SENSOR], counter, why)) {
    hitTotals_->setText(QString::fromUtf8(LngStr(why.c_str())));
    return;
  }
  hits_ = TableOf(counter, map);
  const HitTable& t = hits_;
  hitTable_->setRowCount(t.Rows());
  hitTable_->setColumnCount(t.Columns());
  double most = 0;
  for (double s : t.seconds) most = std::max(most, s);
  QStringList columns, rows;
  for (int32_t r : t.rpm) columns << QString::number(r);
  for (int row = 0; row < t.Rows(); ++row)
    rows << (t.load.empty() ? QStringLiteral("-")
                            : QString::number(t.load[size_t(row)]) +
                                  (t.loadUnit == "IAP" ? QStringLiteral(" kPa") : QStringLiteral(" %")));
  hitTable_->setHorizontalHeaderLabels(columns);
  hitTable_->setVerticalHeaderLabels(rows);
  for (int row = 0; row < t.Rows(); ++row) {
    for (int c = 0; c < t.Columns(); ++c) {
      const double s = t.At(row, c);
      auto* item = new QTableWidgetItem(s > 0 ? QString::number(s, 'f', 1) : QString());
      item->setTextAlignment(Qt::AlignCenter);
      if (s > 0) item->setBackground(QColor(255, 140, 0, int(40 + 200 * s / most)));
      item->setData(Qt::AccessibleTextRole,
                    QStringLiteral("%1 rpm, %2: %3 s").arg(columns[c], rows[row]).arg(s, 0, 'f', 2));
      hitTable_->setItem(row, c, item);
    }
  }
  char buf[200];
  std::snprintf(buf, sizeof buf,
                LngStr("###In the map %.1f s, elsewhere %.1f s##Im Kennfeld %.1f s, anderswo %.1f s"
                       "##V mapě %.1f s, jinde %.1f s"),
                t.counted, t.elsewhere);
  hitTotals_->setText(QString::fromUtf8(buf));
  hitTotals_->setAccessibleName(hitTotals_->text());
}

void TRideAnalysis::CopyHits() {
  if (!hits_.seconds.empty()) QApplication::clipboard()->setText(QString::fromStdString(HitTableTabs(hits_)));
}

namespace {

// The view of the current tab (without the toolbar and the channel list).
QWidget* ShownView(QTabWidget* tabs) { return tabs->currentWidget(); }

}  // namespace

bool TRideAnalysis::NotWritten(const std::string& path) {
  Say(path + ": " +
      LngStr("###The file cannot be written##Die Datei kann nicht geschrieben werden##Soubor nelze zapsat"));
  return false;
}

bool TRideAnalysis::ExportPng(const std::string& path) {
  QWidget* view = ShownView(tabs_);
  const QImage image = view->grab().toImage();
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
    return NotWritten(path);
  return true;
}

bool TRideAnalysis::ExportPdf(const std::string& path) {
  QWidget* view = ShownView(tabs_);
  QSaveFile file(QString::fromStdString(path));
  bool ok = file.open(QIODevice::WriteOnly);
  if (ok) {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setTitle(windowTitle());
    QPainter painter(&pdf);
    const double scale = std::min(double(pdf.width()) / view->width(), double(pdf.height()) / view->height());
    painter.scale(scale, scale);
    view->render(&painter);
    ok = painter.end();
  }
  if (!ok || !file.commit()) return NotWritten(path);
  return true;
}

bool TRideAnalysis::ExportCsv(const std::string& path) {
  if (!log_) return false;
  TidyCsvOptions o;
  o.decimalComma = decimalComma_->isChecked();
  if (!WriteTidyCsv(path, *log_, RangeFrom(), RangeTo(), o)) return NotWritten(path);
  return true;
}

}  // namespace ign
