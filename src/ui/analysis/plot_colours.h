#pragma once
// The colours of the analysis plots: one per channel, the same channel in
// the same colour in every plot.
#include <QColor>

namespace ign {

inline QColor PlotColour(int index) {
  static const QColor kColours[] = {QColor(200, 30, 30),  QColor(30, 90, 200), QColor(20, 140, 60),
                                    QColor(150, 60, 170), QColor(220, 120, 0), QColor(0, 140, 150),
                                    QColor(120, 90, 40),  QColor(90, 90, 90)};
  return kColours[(index < 0 ? -index : index) % 8];
}

}  // namespace ign
