#pragma once
// TFormMon: the pick-up monitor's top-level window. It holds the view state
// (zoom, origins, colours, pause, mode, mouse) and the off-screen image the
// drawing goes to; CMonPickup decides when to draw.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>

#include "core/monitor/pickup_curves.h"

class QComboBox;
class QPushButton;

namespace ign {

// The drawn elements, in the order of their colour boxes.
enum class PickupElement { Curve1, Rise1, Fall1, Curve2, Rise2, Fall2, Ignition, Grid, Dimensions };
constexpr int kPickupElements = 9;

// The colours a box offers (0x00BBGGRR) and the index for a colour (-1 when
// it is not in the list).
constexpr int kPickupColourCount = 16;
uint32_t PickupColourValue(int index);
int PickupColourIndex(uint32_t colour);
const char* PickupBoxLabel(PickupElement e);

class TFormMon : public QWidget {
 public:
  static constexpr int kStartWidth = 800, kStartHeight = 600;
  static constexpr int kMinWidth = 300, kMinHeight = 200;
  static constexpr int kControlStrip = 50;

  explicit TFormMon(QWidget* parent = nullptr);

  // View state read by the drawing.
  double zoomX = 1, zoomY = 1;
  double originX = 0, originY = 0;
  int originPercent = 25;
  int originOffsetY = 25;
  int leftMargin = 20, topMargin = -35;
  PickupMode mode = PickupMode::Synchronised;

  bool Paused() const { return paused_; }
  // Shown again: the pause ends.
  void Resume();
  // A redraw was asked for since the last call.
  bool TakeRedrawRequest();
  void RequestRedraw() { redrawRequest_ = true; }

  uint32_t Colour(PickupElement e) const { return colours_[size_t(e)]; }
  void SetColours(const std::array<uint32_t, kPickupElements>& colours);
  void SetDefaultColours();

  // The drawing image, fitted to the client area; the controls follow the bottom edge.
  QImage& FitImage();
  const QImage& Image() const { return image_; }
  bool Drawn() const { return drawn_; }
  void Present();  // the image goes to the screen
  // Where the colour box of an element lies (the drawing puts its label there).
  QRect BoxGeometry(PickupElement e) const;

  // Mouse state for measuring: the held and the since-drawn buttons, press and current point.
  Qt::MouseButtons held;
  Qt::MouseButtons pressedSinceDraw;
  QPoint measureStart, measureEnd;
  // Right click at a point (the owner removes a dimension whose label lies there).
  std::function<void(QPoint)> rightClick;
  // The left button was released at the end of a measurement.
  std::function<void()> measureDone;
  // "Clear dim" (the owner clears the dimensions and draws).
  std::function<void()> clearDimensions;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void wheelEvent(QWheelEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent*) override;

 private:
  void ButtonPauseClick();
  void BoxChange();
  void PlaceControls();
  bool BoxHasFocus() const;

  std::array<QComboBox*, kPickupElements> boxes_{};
  QPushButton* pause_ = nullptr;
  QPushButton* clearDim_ = nullptr;
  std::array<uint32_t, kPickupElements> colours_{};
  bool settingBoxes_ = false;
  bool paused_ = false;
  bool redrawRequest_ = false;
  bool drawn_ = false;
  bool dragging_ = false;
  QPoint dragLast_;
  QImage image_;
};

}  // namespace ign
