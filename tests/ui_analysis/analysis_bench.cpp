// ign_analysis_bench: the ride logs against the 55 ms tick (not a test).
// Opening a 6000-record recording; opening a generated 1,000,000-row CSV of
// 20 columns with its memory against the file size; hit counts over its
// rows; a redraw of a time plot after a zoom or pan step with all of it in
// view, drawn by QCustomPlot from the per-column minimum and maximum; and,
// when Qt Charts is built in, the same drawing by Qt Charts for comparison.
#include <qcustomplot.h>
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/logs/hit_counts.h"
#include "core/logs/log_open.h"
#include "core/logs/plot_data.h"
#include "core/logs/recording_log.h"
#include "tests/logs/log_fixture.h"
#include "ui/analysis/time_plots.h"
#ifdef IGN_WITH_QT_CHARTS
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#endif

namespace {

constexpr double kTickMs = 55.0;

long PeakKb() {
  std::ifstream f("/proc/self/status");
  for (std::string line; std::getline(f, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

void Row(const char* what, double ms, double limitTicks) {
  std::printf("%-58s %9.2f ms = %6.3f tick   (aim < %.0f tick%s)\n", what, ms, ms / kTickMs, limitTicks,
              limitTicks == 1 ? "" : "s");
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace ign;
  const std::string dir = "/tmp/ign-analysis-bench";
  std::system(("mkdir -p " + dir).c_str());

  // A recording of 6000 records (5999 monitor records after the settings).
  std::vector<test::Reading> ride;
  for (int i = 0; i < 5995; ++i)
    ride.push_back({.ms = 100 + 110 * i, .rpm = 1000 + (i * 37) % 9000, .load = i % 101});
  const std::string recording = dir + "/ride.ignlog";
  test::RecordReadings(recording, ride, test::MapSettings(1));
  std::vector<double> opens;
  for (int k = 0; k < 9; ++k) {
    QElapsedTimer t;
    t.start();
    const LogRead r = OpenLog(recording);
    opens.push_back(t.nsecsElapsed() / 1e6);
    if (!r.log || r.log->Rows() < 5990) return std::puts("recording not read"), 1;
  }
  Row("open a 6000-record recording (median of 9)", Median(opens), 2);

  // A 1,000,000-row CSV of 20 columns, written row by row.
  const std::string csv = dir + "/big.csv";
  {
    std::FILE* f = std::fopen(csv.c_str(), "wb");
    std::fputs("time,RPM,TPSIAP", f);
    for (int c = 3; c < 20; ++c) std::fprintf(f, ",channel%02d", c);
    std::fputc('\n', f);
    char line[512];
    for (int i = 0; i < 1000000; ++i) {
      int n = std::snprintf(line, sizeof line, "%.3f,%d,%d", i * 0.01, 800 + (i * 7) % 11000, (i / 13) % 101);
      for (int c = 3; c < 20; ++c)
        n += std::snprintf(line + n, sizeof line - size_t(n), ",%d.%d", (i * c) % 9973, c % 10);
      line[n++] = '\n';
      std::fwrite(line, 1, size_t(n), f);
    }
    std::fclose(f);
  }
  std::ifstream probe(csv, std::ios::ate | std::ios::binary);
  const double fileMb = double(probe.tellg()) / 1e6;
  const long before = PeakKb();
  QElapsedTimer t;
  t.start();
  int progressCalls = 0;
  CsvReadOptions o;
  o.progress = [&](uint64_t, uint64_t) { return ++progressCalls > 0; };
  LogRead big = ReadCsvLog(csv, o);
  const double openMs = t.nsecsElapsed() / 1e6;
  const long after = PeakKb();
  if (!big.log) return std::printf("%s\n", LogErrorMessage(csv, big.error).c_str()), 1;
  std::printf("%-58s %9.2f s  (aim < 2 s), %.1f MB file, %d progress steps\n",
              "open a 1,000,000-row CSV of 20 columns", openMs / 1000, fileMb, progressCalls);
  std::printf("%-58s %9.1f MB = %.2f x the file  (aim < 2 x)\n", "  peak memory added while reading",
              (after - before) / 1024.0, (after - before) / 1024.0 / fileMb);

  // Hit counts over the million rows.
  const Image settings = test::MapSettings(1);
  std::vector<double> hits;
  for (int k = 0; k < 5; ++k) {
    CHitCounter counter(HitSheetOfImage(settings, HitMap::Advance1), 0);
    std::string why;
    QElapsedTimer h;
    h.start();
    const double all = std::numeric_limits<double>::infinity();
    CountLogHits(*big.log, -all, all, 1, counter, why);
    hits.push_back(h.nsecsElapsed() / 1e6);
  }
  Row("hit counts over 1,000,000 rows (median of 5, with the tables)", Median(hits), 2);

  // Redraw after a zoom or pan step, all rows in view, in a 1100 x 300 plot.
  TTimePlots plots;
  plots.resize(1200, 320);
  plots.SetPlotCount(1);
  plots.SetLogs(&*big.log, nullptr, 0);
  plots.SetChannels(0, {0});
  plots.show();
  QApplication::processEvents();
  const double end = big.log->Duration();
  std::vector<double> steps;
  for (int k = 0; k < 30; ++k) {
    const double shift = (k % 2 ? 1 : -1) * end * 0.001 * (k % 5);
    QElapsedTimer s;
    s.start();
    plots.SetView(shift, end + shift);  // a pan step (or, every few steps, a zoom)
    plots.Plot(0)->replot(QCustomPlot::rpImmediateRefresh);
    steps.push_back(s.nsecsElapsed() / 1e6);
  }
  Row("redraw after a zoom/pan step, 1,000,000 points in view", Median(steps), 1);
  PlotPoints reduced;
  QElapsedTimer r;
  r.start();
  ReduceForColumns(*big.log, big.log->channels[0].values, 0, end, plots.Plot(0)->axisRect()->width(),
                   reduced);
  Row("  of it: minimum and maximum per pixel column", r.nsecsElapsed() / 1e6, 1);

  // The plotting libraries on the same data: all points, and the reduced ones.
  QVector<double> xs(qsizetype(big.log->Rows())), ys(qsizetype(big.log->Rows()));
  for (size_t i = 0; i < big.log->Rows(); ++i) {
    xs[qsizetype(i)] = big.log->time[i];
    ys[qsizetype(i)] = big.log->channels[0].values[i];
  }
  QCustomPlot raw;
  raw.resize(1200, 320);
  raw.addGraph()->setData(xs, ys, true);
  raw.rescaleAxes();
  raw.show();
  QApplication::processEvents();
  std::vector<double> rawSteps;
  for (int k = 0; k < 10; ++k) {
    QElapsedTimer s;
    s.start();
    raw.xAxis->setRange(k * 0.01, end - k * 0.01);
    raw.replot(QCustomPlot::rpImmediateRefresh);
    rawSteps.push_back(s.nsecsElapsed() / 1e6);
  }
  Row("QCustomPlot, all 1,000,000 points given (its own sampling)", Median(rawSteps), 1);
#ifdef IGN_WITH_QT_CHARTS
  // Qt Charts: a line series in a chart view, drawn by a widget grab. Each
  // step sets the new range after the step's points are given (all of them
  // once, or the minimum and maximum of each pixel column for the range).
  const auto chartRedraw = [&](const std::function<QList<QPointF>(double, double)>& pointsFor, int rounds) {
    auto* series = new QLineSeries;
    series->replace(pointsFor(0, end));
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->createDefaultAxes();
    chart->legend()->hide();
    QChartView view(chart);
    view.resize(1200, 320);
    view.show();
    QApplication::processEvents();
    std::vector<double> v;
    for (int k = 0; k < rounds; ++k) {
      const double t0 = k * 0.01, t1 = end - k * 0.01;
      QElapsedTimer s;
      s.start();
      if (k > 0) series->replace(pointsFor(t0, t1));
      chart->axes(Qt::Horizontal).first()->setRange(t0, t1);
      view.grab();
      v.push_back(s.nsecsElapsed() / 1e6);
    }
    return Median(v);
  };
  QList<QPointF> all;
  for (size_t i = 0; i < big.log->Rows(); ++i) all.push_back(QPointF(xs[qsizetype(i)], ys[qsizetype(i)]));
  const int width = plots.Plot(0)->axisRect()->width();
  Row("Qt Charts, all 1,000,000 points given", chartRedraw([&](double, double) { return all; }, 3), 1);
  Row("Qt Charts, the per-column minimum and maximum of the step",
      chartRedraw(
          [&](double t0, double t1) {
            PlotPoints few;
            ReduceForColumns(*big.log, big.log->channels[0].values, t0, t1, width, few);
            QList<QPointF> points;
            for (size_t i = 0; i < few.x.size(); ++i) points.push_back(QPointF(few.x[i], few.y[i]));
            return points;
          },
          10),
      1);
  QElapsedTimer g;
  std::vector<double> grabs;
  for (int k = 0; k < 10; ++k) {
    g.start();
    plots.SetView(k * 0.01, end - k * 0.01);
    plots.Plot(0)->grab();
    grabs.push_back(g.nsecsElapsed() / 1e6);
  }
  Row("QCustomPlot, the same step drawn by a widget grab", Median(grabs), 1);
#endif
  std::system(("rm -rf " + dir).c_str());
  return 0;
}
