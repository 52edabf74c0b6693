// The pick-up monitor over the main window, fed by the simulated unit's
// streams: synchronised with both pick-ups, the sparks and a stored
// dimension; other colours; zoomed in and panned; time mode.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QWheelEvent>
#include <memory>

#include "core/device/engine.h"
#include "tests/shots/shots.h"
#include "tests/support/sim_process.h"
#include "ui/app/main_form.h"
#include "ui/monitor/pickup_window.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

// Image bytes of the simulated unit: a four-stroke twin whose pick-up system
// has a second pick-up (so both rows carry a signal).
constexpr int kPickupSystem = 154, kFourStroke = 166;

// Creates the unit's image file with its defaults, then makes the engine a
// four-stroke with two pick-ups.
std::string TwinImage(const Sandbox& box) {
  const std::string path = (box.dir.path() + "/twin.bin").toStdString();
  { test::SimProcess first(box.Ports(), {.com = 9, .image = path}); }
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadWrite)) return path;
  QByteArray image = file.readAll();
  if (image.size() > kFourStroke) {
    image[kPickupSystem] = 4;
    image[kFourStroke] = 1;
    file.seek(0);
    file.write(image);
  }
  return path;
}

void Send(QWidget& w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
  const Qt::MouseButtons buttons =
      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
  Settle(60);
}

void Drag(QWidget& w, Qt::MouseButton button, QPoint from, QPoint to) {
  Send(w, QEvent::MouseButtonPress, button, from);
  Send(w, QEvent::MouseMove, button, to);
  Send(w, QEvent::MouseButtonRelease, button, to);
}

void Wheel(QWidget& w, QPoint at) {
  QWheelEvent e(QPointF(at), w.mapToGlobal(QPointF(at)), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&w, &e);
  Settle(60);
}

struct Monitor {
  Sandbox box;
  std::unique_ptr<test::SimProcess> sim;
  std::unique_ptr<TMainForm> form;
  CMonPickup* pickup = nullptr;

  // The window against a unit with the extra options, the monitor open and
  // paused on its first picture.
  bool Open(std::vector<std::string> extra) {
    const std::string image = TwinImage(box);
    sim = std::make_unique<test::SimProcess>(box.Ports(),
                                             test::SimOptions{.com = 3, .image = image, .extra = extra});
    form = std::make_unique<TMainForm>(QStringList{"ignset", "nopatchcheck"});
    form->FormCreate();
    form->move(0, 0);
    form->resize(1260, 860);
    form->ShowPage(Page::Advance);
    form->show();
    if (!Settle([&] { return form->Engine().Machine().Connected(); }, 20000)) return false;
    form->findChild<QPushButton*>("ButtonMonPu")->click();
    pickup = form->PickupMonitor();
    pickup->Form()->move(140, 90);
    if (!Settle([&] { return pickup->Model().curves.list.Size() > 20; }, 20000)) return false;
    Settle(700);  // a later stream, so the picture is a settled one
    pickup->Form()->findChild<QPushButton*>("ButtonPause")->click();
    Settle(300);
    return true;
  }
  TFormMon& Window() { return *pickup->Form(); }
  int Row(int y) { return Window().originOffsetY + y; }
  // x of a position of the drawing at zoom 1.
  int XAt(double position) {
    const PickupCurves& c = pickup->Model().curves;
    return int(Window().originX + position * Window().width() / (c.maximum - c.minimum) * Window().zoomX);
  }
};

}  // namespace

int PickupShots(const QString& dir) {
  int failed = 0;
  SetLanguage(LNG_ENGLISH);
  {
    Monitor m;
    if (!m.Open({"--pin-rpm", "3000", "--pin-advance", "20"}))
      std::fprintf(stderr, "pickup-synchro: no curves from the simulated unit\n");
    // A dimension across pick-up 1's first lobe, from its rise to its fall.
    Drag(m.Window(), Qt::LeftButton, {m.XAt(-3), m.Row(225)}, {m.XAt(20), m.Row(225)});
    failed += !SaveScreen(dir, "pickup-synchro");

    m.Window().findChild<QComboBox*>("ComboBoxColorA1")->setCurrentIndex(10);  // Lime
    m.Window().findChild<QComboBox*>("ComboBoxColorC1")->setCurrentIndex(9);   // Red
    m.Window().findChild<QComboBox*>("ComboBoxColorB1")->setCurrentIndex(0);   // (invisible)
    Settle(300);
    failed += !SaveScreen(dir, "pickup-colours");

    m.Window().SetDefaultColours();
    const QPoint at(m.XAt(0), m.Row(225));
    Wheel(m.Window(), at);
    Wheel(m.Window(), at);
    Drag(m.Window(), Qt::MiddleButton, {400, 300}, {520, 300});
    failed += !SaveScreen(dir, "pickup-zoomed");
  }
  {
    Monitor m;
    if (!m.Open({"--pin-rpm", "3000", "--pin-advance", "20", "--stream-type", "2"}))
      std::fprintf(stderr, "pickup-time: no curves from the simulated unit\n");
    failed += !SaveScreen(dir, "pickup-time");
  }
  return failed;
}

}  // namespace ign::shots
