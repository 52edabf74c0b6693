#pragma once
// What the plots draw, computed without widgets: a channel over a time span
// reduced to what the pixel columns can show (the minimum and the maximum of
// each column, in the order they came), a histogram of a channel, and the
// points of a scatter of one channel against another coloured by a third.
#include <vector>

#include "core/logs/log_model.h"

namespace ign {

struct PlotPoints {
  std::vector<double> x, y;  // NaN in y: a gap
};

// The rows between t0 and t1 (and one beyond each end, so lines reach the
// edges). With more than two rows per column the rows of each of the
// `columns` equal time slices are reduced to their minimum and maximum.
void ReduceForColumns(const CLog& log, const std::vector<float>& values, double t0, double t1, int columns,
                      PlotPoints& out);

struct HistogramData {
  double low = 0, width = 1;
  std::vector<double> counts;  // rows in each bin
};
HistogramData HistogramOf(const CLog& log, int channel, double from, double to, int bins);

struct ScatterData {
  std::vector<double> x, y, colour;  // rows with all three values (colour NaN without a third channel)
};
// At most `most` points, taken evenly over the rows between from and to.
ScatterData ScatterOf(const CLog& log, int xChannel, int yChannel, int colourChannel, double from, double to,
                      size_t most);

}  // namespace ign
