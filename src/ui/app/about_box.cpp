#include "ui/app/about_box.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "core/status/title.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr const char* kTitle = "###About##Über das Programm##O programu";
constexpr const char* kCopy = "###&Copy##&Kopieren##&Kopírovat";
constexpr const char* kProduct =
    "###Setup and live monitor for the digital ignition unit##Einstellung und Live-Monitor der digitalen "
    "Zündung##Nastavení a živý monitor digitálního zapalování";

// The program's mark: a spark over a stylised coil, drawn once.
QPixmap Logo() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 60, 110));
  p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
  p.setBrush(QColor(255, 200, 0));
  const QPointF bolt[] = {{36, 10}, {20, 36}, {31, 36}, {26, 54}, {44, 26}, {33, 26}};
  p.drawPolygon(bolt, 6);
  return pixmap;
}

}  // namespace

std::string AboutLines(const std::string& programIdentification, const std::string& unitText) {
  char head[128];
  std::snprintf(head, sizeof head, "%s (v%d)\n", title::kProductCode, title::kProgramKey);
  char built[64];
  std::snprintf(built, sizeof built, "Built %s %s\n", __DATE__, __TIME__);
  std::string lines = head;
  lines.append(programIdentification).append("\n").append(built);
  lines.append("Unit: ").append(unitText).append("\n");
  return lines;
}

TAboutBox::TAboutBox(QWidget* parent, const std::string& lines) : QDialog(parent) {
  setObjectName("FormAbout");
  setWindowTitle(QString::fromUtf8(LngStr(kTitle)));
  auto* column = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  auto* logo = new QLabel(this);
  logo->setObjectName("ImageLogo");
  logo->setPixmap(Logo());
  top->addWidget(logo, 0, Qt::AlignTop);
  auto* text = new QLabel(this);
  text->setObjectName("LabelAboutText");
  text->setTextFormat(Qt::PlainText);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  const QString versions = QString::fromUtf8(lines.c_str()).trimmed();
  text->setText(QString::fromUtf8(LngStr(kProduct)) + "\n\n" + versions);
  top->addWidget(text, 1);
  column->addLayout(top);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* copy = buttons->addButton(QString::fromUtf8(LngStr(kCopy)), QDialogButtonBox::ActionRole);
  copy->setObjectName("ButtonAboutCopy");
  connect(copy, &QPushButton::clicked, this, [versions] { QGuiApplication::clipboard()->setText(versions); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  column->addWidget(buttons);
}

}  // namespace ign
