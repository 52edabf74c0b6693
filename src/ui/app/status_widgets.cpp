#include "ui/app/status_widgets.h"

#include <QPalette>
#include <QStatusBar>

namespace ign {

namespace {

QColor ToQColor(uint32_t c, const QPalette& style) {
  if (c == Colour::ButtonFace) return style.color(QPalette::Button);
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace

void TStatusLabel::SetVisible(bool visible) { label_->setVisible(visible); }

void TStatusLabel::SetCaption(const std::string& utf8) { label_->setText(QString::fromUtf8(utf8.c_str())); }

void TStatusLabel::SetColours(uint32_t font, uint32_t back) {
  QPalette p = label_->palette();
  if (font != Colour::None) p.setColor(QPalette::WindowText, ToQColor(font, p));
  if (back != Colour::None) p.setColor(QPalette::Window, ToQColor(back, p));
  label_->setAutoFillBackground(true);
  label_->setPalette(p);
}

// Panel 0 (hints) takes what the others leave; the program identification
// and the unit identification are as wide as their texts, so neither is cut,
// the unit's up to a bound beyond which it is elided.
TStatusPanels::TStatusPanels(QStatusBar* bar) {
  for (int i = 0; i < kPanels; ++i) {
    auto* l = new QLabel(bar);
    l->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    if (i == 0) l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(l, i == 0 ? 1 : 0);
    panels_[size_t(i)] = l;
  }
}

void TStatusPanels::SetText(int panel, const std::string& utf8) {
  if (panel < 0 || panel >= kPanels) return;
  QLabel* l = panels_[size_t(panel)];
  const QString text = QString::fromUtf8(utf8.c_str());
  texts_[size_t(panel)] = text;
  if (panel == 4) {
    const int room = kUnitPanelMaxWidth - 2 * l->frameWidth() - 4;
    const QString shown = l->fontMetrics().elidedText(text, Qt::ElideRight, room);
    l->setText(shown);
    l->setToolTip(shown == text ? QString() : text);
    l->setAccessibleDescription(text);
  } else {
    l->setText(text);
  }
}

QString TStatusPanels::Text(int panel) const {
  return panel >= 0 && panel < kPanels ? texts_[size_t(panel)] : QString();
}

}  // namespace ign
