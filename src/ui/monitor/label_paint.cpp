#include "ui/monitor/label_paint.h"

#include <QLabel>
#include <QPalette>
#include <QProgressBar>

#include "core/monitor/colour.h"

namespace ign {

QColor ToQColor(uint32_t windowsColour, const QPalette& palette) {
  const PaintColour p = ToPaintColour(windowsColour);
  switch (p.role) {
    case PaintColour::Role::ButtonFace: return palette.color(QPalette::Button);
    case PaintColour::Role::Highlight: return palette.color(QPalette::Highlight);
    case PaintColour::Role::Rgb: break;
  }
  return QColor(p.r, p.g, p.b);
}

void PaintLabel(QLabel& label, const LabelView& view) {
  if (view.text) {
    const QString text = QString::fromUtf8(view.text->c_str());
    if (label.text() != text) label.setText(text);
  }
  // The application palette, not the label's own: the label's palette is the
  // one being set.
  const QPalette base = QPalette();
  QPalette pal = label.palette();
  const QColor back = ToQColor(view.back, base);
  const QColor font = ToQColor(view.font, base);
  if (pal.color(QPalette::Window) != back || pal.color(QPalette::WindowText) != font) {
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, font);
    label.setPalette(pal);
  }
  label.setAutoFillBackground(true);
  if (view.fontSize > 0 && label.font().pointSize() != view.fontSize) {
    QFont f = label.font();
    f.setPointSize(view.fontSize);
    label.setFont(f);
  } else if (view.fontSize == 0 && label.font() != label.parentWidget()->font()) {
    label.setFont(label.parentWidget()->font());
  }
  if (label.isEnabled() != view.enabled) label.setEnabled(view.enabled);
  if (label.isVisibleTo(label.parentWidget()) != view.visible) label.setVisible(view.visible);
}

void PaintGauge(QProgressBar& gauge, const GaugeModel& model) {
  if (gauge.maximum() != model.maximum) gauge.setRange(0, model.maximum);
  const int position = std::clamp(model.position, 0, model.maximum);
  if (gauge.value() != position) gauge.setValue(position);
  QPalette pal = gauge.palette();
  // A gauge in the normal colour fills in the style's own colour: a fill in
  // the button face would not show against the groove.
  const QColor colour = model.colour == MonColour::Normal ? QPalette().color(QPalette::Highlight)
                                                          : ToQColor(model.colour, QPalette());
  if (pal.color(QPalette::Highlight) != colour) {
    pal.setColor(QPalette::Highlight, colour);
    gauge.setPalette(pal);
  }
}

}  // namespace ign
