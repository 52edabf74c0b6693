#include "ui/monitor/pickup_form.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWheelEvent>

#include "core/monitor/pickup_view.h"

namespace ign {

namespace {

struct ColourEntry {
  const char* name;
  uint32_t value;  // 0x00BBGGRR
};
constexpr ColourEntry kColours[kPickupColourCount] = {
    {"(invisible)", 0x000000}, {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},        {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},      {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White ", 0xFFFFFF},
};

struct BoxInfo {
  const char* name;
  const char* label;
  uint32_t colour;
};
// In the order of PickupElement.
constexpr BoxInfo kBoxes[kPickupElements] = {
    {"ComboBoxColorA1", "Curve 1", 0xFFFFFF},    {"ComboBoxColorA2", "1 RISE", 0x0000FF},
    {"ComboBoxColorA3", "1 FALL", 0xFF0000},     {"ComboBoxColorB1", "Curve 2", 0x00FFFF},
    {"ComboBoxColorB2", "2 RISE", 0x800080},     {"ComboBoxColorB3", "2 FALL", 0xFF00FF},
    {"ComboBoxColorC1", "Ignition", 0xFFFFFF},   {"ComboBoxColorC2", "grid", 0x808080},
    {"ComboBoxColorC3", "dimensions", 0xFFFF00},
};

constexpr int kBoxPitch = 73, kBoxWidth = 71, kBoxHeight = 24, kLabelRoom = 16;
constexpr int kButtonWidth = 62;

// A colour box that gives the keyboard focus back to the drawing when its
// list closes: the mouse is ignored while a box has the focus, and a colour
// chosen with the mouse should not cost the next measurement a click.
class TColourBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void hidePopup() override {
    QComboBox::hidePopup();
    if (QWidget* drawing = parentWidget()) drawing->setFocus(Qt::PopupFocusReason);
  }
};

}  // namespace

uint32_t PickupColourValue(int index) {
  return index >= 0 && index < kPickupColourCount ? kColours[index].value : 0;
}

int PickupColourIndex(uint32_t colour) {
  for (int i = 0; i < kPickupColourCount; ++i)
    if (kColours[i].value == colour) return i;
  return -1;
}

const char* PickupBoxLabel(PickupElement e) { return kBoxes[size_t(e)].label; }

TFormMon::TFormMon(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TFormMon");
  setWindowTitle(QStringLiteral("PickUp monitor"));
  setMinimumSize(kMinWidth, kMinHeight);
  setMouseTracking(false);
  for (int i = 0; i < kPickupElements; ++i) {
    auto* box = new TColourBox(this);
    box->setObjectName(kBoxes[i].name);
    box->setAccessibleName(QString::fromUtf8(kBoxes[i].label));
    for (const ColourEntry& c : kColours) box->addItem(QString::fromUtf8(c.name));
    connect(box, &QComboBox::currentIndexChanged, this, [this] { BoxChange(); });
    boxes_[size_t(i)] = box;
  }
  pause_ = new QPushButton(QStringLiteral("Pause"), this);
  pause_->setObjectName("ButtonPause");
  connect(pause_, &QPushButton::clicked, this, [this] { ButtonPauseClick(); });
  clearDim_ = new QPushButton(QStringLiteral("Clear dim"), this);
  clearDim_->setObjectName("ButtonClearDim");
  connect(clearDim_, &QPushButton::clicked, this, [this] {
    if (clearDimensions) clearDimensions();
  });
  resize(kStartWidth, kStartHeight);
  SetDefaultColours();
  PlaceControls();
}

void TFormMon::SetDefaultColours() {
  std::array<uint32_t, kPickupElements> colours{};
  for (size_t i = 0; i < colours.size(); ++i) colours[i] = kBoxes[i].colour;
  SetColours(colours);
}

void TFormMon::SetColours(const std::array<uint32_t, kPickupElements>& colours) {
  colours_ = colours;
  settingBoxes_ = true;
  for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setCurrentIndex(PickupColourIndex(colours_[i]));
  settingBoxes_ = false;
  redrawRequest_ = true;
}

void TFormMon::BoxChange() {
  if (settingBoxes_) return;
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const int index = boxes_[i]->currentIndex();
    if (index >= 0) colours_[i] = PickupColourValue(index);
  }
  redrawRequest_ = true;
}

void TFormMon::ButtonPauseClick() {
  paused_ = !paused_;
  pause_->setText(paused_ ? QStringLiteral("Continue") : QStringLiteral("Pause"));
}

void TFormMon::Resume() {
  paused_ = false;
  pause_->setText(QStringLiteral("Pause"));
}

bool TFormMon::TakeRedrawRequest() {
  const bool asked = redrawRequest_;
  redrawRequest_ = false;
  return asked;
}

QRect TFormMon::BoxGeometry(PickupElement e) const {
  const int top = height() - kControlStrip + kLabelRoom;
  return {4 + int(e) * kBoxPitch, top, kBoxWidth, kBoxHeight};
}

void TFormMon::PlaceControls() {
  for (int i = 0; i < kPickupElements; ++i) boxes_[size_t(i)]->setGeometry(BoxGeometry(PickupElement(i)));
  const QRect last = BoxGeometry(PickupElement::Dimensions);
  const int x = last.right() + 8;
  pause_->setGeometry(x, last.top(), kButtonWidth, kBoxHeight);
  clearDim_->setGeometry(x + kButtonWidth + 4, last.top(), kButtonWidth, kBoxHeight);
}

QImage& TFormMon::FitImage() {
  const int w = std::max(width(), leftMargin * 2 + 10);
  const int h = std::max(height(), kControlStrip + std::abs(topMargin) + 10);
  if (image_.size() != QSize(w, h)) image_ = QImage(w, h, QImage::Format_RGB32);
  image_.fill(Qt::black);
  return image_;
}

void TFormMon::Present() {
  drawn_ = true;
  pressedSinceDraw = {};
  update();
}

void TFormMon::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (drawn_ && !image_.isNull()) {
    p.drawImage(0, 0, image_);
    return;
  }
  p.fillRect(rect(), Qt::black);
  p.setPen(Qt::white);
  p.drawLine(0, 0, width(), height());
  p.drawLine(0, height(), width(), 0);
}

void TFormMon::resizeEvent(QResizeEvent*) {
  PlaceControls();
  redrawRequest_ = true;
}

bool TFormMon::BoxHasFocus() const {
  for (const QComboBox* box : boxes_)
    if (box->hasFocus()) return true;
  return false;
}

void TFormMon::wheelEvent(QWheelEvent* e) {
  if (BoxHasFocus()) {
    setFocus();
    return;
  }
  const int delta = e->angleDelta().y();
  if (delta == 0) return;
  const QPointF at = e->position();
  WheelStep(zoomX, originX, at.x(), delta > 0);
  WheelStep(zoomY, originY, at.y(), delta > 0);
  redrawRequest_ = true;
}

void TFormMon::mousePressEvent(QMouseEvent* e) {
  if (BoxHasFocus()) {
    setFocus();
    return;
  }
  const QPoint at = e->position().toPoint();
  if (e->button() == Qt::MiddleButton) {
    dragging_ = true;
    dragLast_ = at;
    return;
  }
  if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
  held |= e->button();
  pressedSinceDraw |= e->button();
  measureStart = measureEnd = at;
  if (e->button() == Qt::RightButton && rightClick) rightClick(at);
  redrawRequest_ = true;
}

void TFormMon::mouseMoveEvent(QMouseEvent* e) {
  if (BoxHasFocus()) return;
  const QPoint at = e->position().toPoint();
  if (dragging_) {
    originX += at.x() - dragLast_.x();
    originY += at.y() - dragLast_.y();
    dragLast_ = at;
    redrawRequest_ = true;
    return;
  }
  if (held) {
    measureEnd = at;
    redrawRequest_ = true;
  }
}

void TFormMon::mouseReleaseEvent(QMouseEvent* e) {
  if (BoxHasFocus()) return;
  if (e->button() == Qt::MiddleButton) {
    dragging_ = false;
    return;
  }
  if (!(held & e->button())) return;
  measureEnd = e->position().toPoint();
  held &= ~e->button();
  if (e->button() == Qt::LeftButton && measureDone) measureDone();
  redrawRequest_ = true;
}

void TFormMon::leaveEvent(QEvent*) {
  held = {};
  dragging_ = false;
}

}  // namespace ign
