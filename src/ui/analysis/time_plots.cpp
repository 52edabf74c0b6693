#include "ui/analysis/time_plots.h"

#include <qcustomplot.h>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/logs/plot_data.h"
#include "core/text/lngstr.h"
#include "ui/analysis/plot_colours.h"

namespace ign {

TTimePlots::TTimePlots(QWidget* parent) : QWidget(parent) {
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
}

void TTimePlots::SetLogs(const CLog* first, const CLog* second, double secondOffset) {
  log_ = first;
  second_ = second;
  offset_ = secondOffset;
  for (PlotEntry& e : plots_) {
    if (!log_) e.channels.clear();
    std::erase_if(e.channels, [&](int c) { return !log_ || c < 0 || size_t(c) >= log_->channels.size(); });
  }
  Refresh();
}

void TTimePlots::SetPlotCount(int count) {
  count = std::clamp(count, 1, 8);
  while (int(plots_.size()) > count) {
    delete plots_.back().plot;
    plots_.pop_back();
  }
  while (int(plots_.size()) < count) {
    plots_.emplace_back();
    Build(plots_.back());
  }
  Refresh();
}

void TTimePlots::Build(PlotEntry& e) {
  const int index = int(plots_.size());
  e.plot = new QCustomPlot(this);
  e.plot->setObjectName(QStringLiteral("PlotTime%1").arg(index));
  e.plot->setMinimumHeight(90);
  e.plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  e.plot->axisRect()->setRangeDrag(Qt::Horizontal);
  e.plot->axisRect()->setRangeZoom(Qt::Horizontal);
  e.plot->setNoAntialiasingOnDrag(true);
  // The same left margin on every plot keeps their time axes in line.
  e.plot->axisRect()->setAutoMargins(QCP::msRight | QCP::msTop | QCP::msBottom);
  e.plot->axisRect()->setMargins(QMargins(64, 0, 0, 0));
  e.plot->legend->setVisible(true);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  e.plot->legend->setFont(small);
  e.plot->legend->setRowSpacing(0);
  e.plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
  e.plot->setAcceptDrops(true);
  e.plot->installEventFilter(this);
  e.cursor = new QCPItemStraightLine(e.plot);
  e.cursor->setPen(QPen(Qt::black, 1.5));  // apart from every channel colour
  e.cursor->setVisible(false);
  e.selection = new QCPItemRect(e.plot);
  e.selection->topLeft->setTypeY(QCPItemPosition::ptAxisRectRatio);
  e.selection->bottomRight->setTypeY(QCPItemPosition::ptAxisRectRatio);
  e.selection->setPen(Qt::NoPen);
  e.selection->setBrush(QColor(60, 120, 220, 50));
  e.selection->setVisible(false);
  connect(e.plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this](const QCPRange& r) {
    if (syncing_) return;
    t0_ = r.lower;
    t1_ = r.upper;
    Refresh();
    emit ViewChanged(t0_, t1_);
  });
  layout_->addWidget(e.plot, 1);
}

void TTimePlots::SetChannels(int plot, std::vector<int> channels) {
  if (plot < 0 || plot >= PlotCount()) return;
  plots_[size_t(plot)].channels = std::move(channels);
  Refresh();
  emit ChannelsChanged();
}

void TTimePlots::MoveChannel(int channel, int plot) {
  if (plot < 0 || plot >= PlotCount() || !log_ || channel < 0 || size_t(channel) >= log_->channels.size())
    return;
  for (PlotEntry& e : plots_) std::erase(e.channels, channel);
  plots_[size_t(plot)].channels.push_back(channel);
  Refresh();
  emit ChannelsChanged();
}

void TTimePlots::RemoveChannel(int plot, int channel) {
  if (plot < 0 || plot >= PlotCount()) return;
  std::erase(plots_[size_t(plot)].channels, channel);
  Refresh();
  emit ChannelsChanged();
}

void TTimePlots::SetView(double t0, double t1) {
  if (!(t1 > t0)) t1 = t0 + 1;
  t0_ = t0;
  t1_ = t1;
  Refresh();
}

void TTimePlots::SetCursor(double t) {
  cursor_ = t;
  for (PlotEntry& e : plots_) {
    e.cursor->point1->setCoords(t, 0);
    e.cursor->point2->setCoords(t, 1);
    e.cursor->setVisible(log_ != nullptr);
    e.plot->replot(QCustomPlot::rpQueuedReplot);
  }
  emit CursorMoved(t);
}

void TTimePlots::SetSelection(double from, double to) {
  if (to < from) std::swap(from, to);
  selFrom_ = from;
  selTo_ = to;
  for (PlotEntry& e : plots_) {
    e.selection->topLeft->setCoords(from, 0);
    e.selection->bottomRight->setCoords(to, 1);
    e.selection->setVisible(to > from);
    e.plot->replot(QCustomPlot::rpQueuedReplot);
  }
  emit SelectionChanged(from, to);
}

void TTimePlots::Refresh() {
  ++refreshes_;
  syncing_ = true;
  for (PlotEntry& e : plots_) FillPlot(e);
  syncing_ = false;
}

void TTimePlots::FillPlot(PlotEntry& e) {
  QCustomPlot& p = *e.plot;
  p.clearGraphs();
  p.xAxis->setRange(t0_, t1_);
  const int columns = std::max(50, p.axisRect()->width());
  double lo = INFINITY, hi = -INFINITY;
  PlotPoints points;
  const auto add = [&](const CLog& log, const LogChannel& c, int colourIndex, double shift, bool dashed) {
    ReduceForColumns(log, c.values, t0_ - shift, t1_ - shift, columns, points);
    QCPGraph* g = p.addGraph();
    QVector<double> x(qsizetype(points.x.size())), y(qsizetype(points.y.size()));
    for (size_t i = 0; i < points.x.size(); ++i) {
      x[qsizetype(i)] = points.x[i] + shift;
      y[qsizetype(i)] = points.y[i];
      if (!std::isnan(points.y[i])) {
        lo = std::min(lo, points.y[i]);
        hi = std::max(hi, points.y[i]);
      }
    }
    g->setData(x, y, true);
    // One-pixel pens: wider ones take the raster engine's slow path on steep lines.
    QPen pen(PlotColour(colourIndex), 1);
    if (dashed) pen.setStyle(Qt::DashLine);
    g->setPen(pen);
    if (c.kind != ChannelKind::Number) g->setLineStyle(QCPGraph::lsStepLeft);
    const QString unit =
        c.unit.empty() ? QString() : QStringLiteral(" [%1]").arg(QString::fromStdString(c.unit));
    g->setName((dashed ? QStringLiteral("2: ") : QString()) + QString::fromStdString(c.name) + unit);
  };
  for (size_t k = 0; log_ && k < e.channels.size(); ++k) {
    const LogChannel& c = log_->channels[size_t(e.channels[k])];
    add(*log_, c, e.channels[k], 0, false);
    if (second_)
      if (const int other = second_->Find(c.name); other >= 0)
        add(*second_, second_->channels[size_t(other)], e.channels[k], offset_, true);
  }
  if (lo > hi) lo = 0, hi = 1;
  const double margin = std::max((hi - lo) * 0.06, hi == lo ? 1.0 : 0.0);
  p.yAxis->setRange(lo - margin, hi + margin);
  p.legend->setVisible(p.graphCount() > 0);
  // The time axis is named under the lowest plot only.
  p.xAxis->setLabel(&e == &plots_.back() ? QString::fromUtf8(LngStr("###Time [s]##Zeit [s]##Čas [s]"))
                                         : QString());
  Accessible(e);
  p.replot(QCustomPlot::rpQueuedReplot);
}

void TTimePlots::Accessible(PlotEntry& e) {
  const int index = PlotOf(e.plot);
  QString names;
  for (int c : e.channels) {
    if (!log_) break;
    if (!names.isEmpty()) names += QStringLiteral(", ");
    names += QString::fromStdString(log_->channels[size_t(c)].name);
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, LngStr("###Time plot %d##Zeitdiagramm %d##Časový graf %d"), index + 1);
  e.plot->setAccessibleName(QString::fromUtf8(buf) +
                            (names.isEmpty() ? QString() : QStringLiteral(": ") + names));
}

int TTimePlots::PlotOf(QObject* object) const {
  for (size_t i = 0; i < plots_.size(); ++i)
    if (plots_[i].plot == object) return int(i);
  return -1;
}

double TTimePlots::TimeAt(QCustomPlot* plot, int x) const { return plot->xAxis->pixelToCoord(x); }

bool TTimePlots::eventFilter(QObject* watched, QEvent* event) {
  const int index = PlotOf(watched);
  if (index < 0) return QWidget::eventFilter(watched, event);
  QCustomPlot* plot = plots_[size_t(index)].plot;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData()->hasFormat(kChannelMime)) drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      bool ok = false;
      const int channel = QString::fromLatin1(drop->mimeData()->data(kChannelMime)).toInt(&ok);
      if (ok) MoveChannel(channel, index);
      drop->acceptProposedAction();
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (m->button() != Qt::LeftButton) break;
      pressX_ = int(m->position().x());
      selecting_ = m->modifiers() & Qt::ShiftModifier;
      if (selecting_) {
        selectStart_ = TimeAt(plot, pressX_);
        SetSelection(selectStart_, selectStart_);
        return true;  // no pan while selecting
      }
      break;
    }
    case QEvent::MouseMove: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (selecting_ && (m->buttons() & Qt::LeftButton)) {
        SetSelection(selectStart_, TimeAt(plot, int(m->position().x())));
        return true;
      }
      break;
    }
    case QEvent::MouseButtonRelease: {
      auto* m = static_cast<QMouseEvent*>(event);
      if (m->button() != Qt::LeftButton) break;
      const int x = int(m->position().x());
      if (selecting_) {
        selecting_ = false;
        SetSelection(selectStart_, TimeAt(plot, x));
        return true;
      }
      if (pressX_ >= 0 && std::abs(x - pressX_) <= 3 && log_) {
        SetCursor(TimeAt(plot, x));
        emit CursorClicked(cursor_);
      }
      pressX_ = -1;
      break;
    }
    case QEvent::ContextMenu: {
      auto* c = static_cast<QContextMenuEvent*>(event);
      if (!log_ || plots_[size_t(index)].channels.empty()) return true;
      QMenu menu(this);
      menu.setObjectName(QStringLiteral("MenuPlotChannels"));
      for (int ch : plots_[size_t(index)].channels) {
        const QString name = QString::fromStdString(log_->channels[size_t(ch)].name);
        menu.addAction(
            QString::fromUtf8(LngStr("###Remove##Entfernen##Odebrat")) + QStringLiteral(" ") + name, this,
            [this, index, ch] { RemoveChannel(index, ch); });
      }
      menu.exec(c->globalPos());
      return true;
    }
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ign
