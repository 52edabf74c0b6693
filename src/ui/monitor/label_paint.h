#pragma once
// Puts one decoded label or gauge state onto its widget: text, background
// fill, font colour and size, enabled and visible. Colours are Windows values
// mapped through the one helper of the live display.
#include <QColor>

#include "core/monitor/display_model.h"

class QLabel;
class QPalette;
class QProgressBar;

namespace ign {

QColor ToQColor(uint32_t windowsColour, const QPalette& palette);
void PaintLabel(QLabel& label, const LabelView& view);
void PaintGauge(QProgressBar& gauge, const GaugeModel& model);

}  // namespace ign
