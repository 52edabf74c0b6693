// The session's messages and questions in real message boxes, against a
// simulated unit: shown after the tick, one box at a time, the timer running
// and the engine still under an open box.
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "core/base/atomic_file.h"
#include "core/params/image.h"
#include "form_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

// Watches for a box of the given name from a timer, which fires inside the
// box's own event loop too. Once the box is shown it is kept open for a while,
// then answered with the given button.
class BoxWatch {
 public:
  BoxWatch(TMainForm& form, const char* name, QMessageBox::StandardButton answer, int holdMs = 2000)
      : form_(form), name_(name), answer_(answer), holdMs_(holdMs) {
    timer_.setInterval(40);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  bool answered = false;
  int mostBoxes = 0;  // the most boxes of the name open at one time
  QString text;
  uint32_t framesAtOpen = 0, framesAtAnswer = 0;
  uint32_t ticksAtOpen = 0, ticksAtAnswer = 0;

 private:
  void Look() {
    if (answered) return;
    const auto boxes = form_.findChildren<QMessageBox*>(name_);
    int shown = 0;
    for (QMessageBox* b : boxes) shown += b->isVisible() ? 1 : 0;
    mostBoxes = std::max(mostBoxes, shown);
    if (shown == 0) return;
    QMessageBox* box = boxes.front();
    if (!open_.isValid()) {
      open_.start();
      text = box->text();
      framesAtOpen = form_.Engine().Com().FramesSent();
      ticksAtOpen = form_.TickCount();
      return;
    }
    if (open_.elapsed() < holdMs_) return;
    framesAtAnswer = form_.Engine().Com().FramesSent();
    ticksAtAnswer = form_.TickCount();
    answered = true;
    box->button(answer_)->click();
  }

  TMainForm& form_;
  QString name_;
  QMessageBox::StandardButton answer_;
  int holdMs_;
  QElapsedTimer open_;
  QTimer timer_;
};

class SessionBoxesTest : public FormFixture {
 protected:
  std::unique_ptr<test::SimProcess> StartUnit(int subversion = 0) {
    test::SimOptions options;
    options.com = 5;
    options.subversion = subversion;
    options.image = dir_.File("unit.bin");
    auto sim = std::make_unique<test::SimProcess>(dir_.File("ports"), options);
    EXPECT_TRUE(sim->ready()) << sim->errorOutput();
    return sim;
  }
  std::string UnitImage() {
    std::string bytes;
    ReadWholeFile(dir_.File("unit.bin"), bytes);
    return bytes;
  }
  QString Result() { return Find<QLabel>("LabelResult")->text(); }
  // The engine sent nothing while the box was open, and the timer kept ticking.
  static void ExpectHeldUnderTheBox(const BoxWatch& w) {
    EXPECT_EQ(w.mostBoxes, 1);
    EXPECT_EQ(w.framesAtAnswer, w.framesAtOpen);
    EXPECT_GT(w.ticksAtAnswer, w.ticksAtOpen + 15) << "the timer stopped under the box";
  }
};

TEST_F(SessionBoxesTest, AnotherSubversionGivesOneBoxAndNothingHappensUntilItIsClosed) {
  auto sim = StartUnit(1);
  TMainForm& f = Start();
  f.show();
  BoxWatch watch(f, "VersionMessage", QMessageBox::Ok);
  ASSERT_TRUE(WaitFor([&] { return watch.answered; }, 30000));
  EXPECT_TRUE(watch.text.contains("PC-108.00, IGN-108.01")) << watch.text.toStdString();
  ExpectHeldUnderTheBox(watch);

  // Closed: the engine goes on with the unit (monitor reads), and no second box comes.
  ASSERT_TRUE(WaitFor([&] { return f.Engine().Com().FramesSent() > watch.framesAtAnswer + 3; }, 10000));
  EXPECT_EQ(watch.mostBoxes, 1);
  EXPECT_TRUE(f.Engine().Machine().Connected());
}

TEST_F(SessionBoxesTest, ProgramIsRefusedForANewInstallationAndAsksForAnotherBike) {
  auto sim = StartUnit();
  TMainForm& f = Start();
  f.show();
  ASSERT_TRUE(WaitFor([&] { return Result() == "Checking: OK" && Find<QAction>("MenuProgram")->isEnabled(); },
                      30000));
  const std::string before = UnitImage();
  ASSERT_TRUE(f.Engine().Machine().newInstallation);  // a fresh settings folder

  {
    BoxWatch refused(f, "RefusedMessage", QMessageBox::Ok, 1000);
    Find<QToolButton>("ButtonProgram")->click();  // returns when the box is closed
    ASSERT_TRUE(refused.answered);
    EXPECT_TRUE(refused.text.contains("new installation")) << refused.text.toStdString();
    ExpectHeldUnderTheBox(refused);
  }
  EXPECT_EQ(f.Engine().Machine().PendingRequest(), Request::None);

  Find<QAction>("MenuRead")->trigger();
  ASSERT_TRUE(WaitFor([&] { return Result() == "Verify: OK"; }, 30000));
  f.Params().Working()[Adrb::BIKE] = uint8_t(f.Engine().Machine().UnitBike() + 1);
  ASSERT_TRUE(f.CommitImageChange());

  {
    BoxWatch asked(f, "ConfirmQuestion", QMessageBox::Cancel, 1000);
    Find<QToolButton>("ButtonProgram")->click();
    ASSERT_TRUE(asked.answered);
    EXPECT_TRUE(asked.text.contains("different bike")) << asked.text.toStdString();
    ExpectHeldUnderTheBox(asked);
  }
  EXPECT_EQ(f.Engine().Machine().PendingRequest(), Request::None);
  EXPECT_EQ(UnitImage(), before);

  const uint8_t bike = f.Params().Edited()[Adrb::BIKE];
  {
    BoxWatch asked(f, "ConfirmQuestion", QMessageBox::Ok, 200);
    Find<QToolButton>("ButtonProgram")->click();
    ASSERT_TRUE(asked.answered);
  }
  ASSERT_TRUE(WaitFor([&] { return Result() == "Program device: OK"; }, 30000)) << Result().toStdString();
  EXPECT_EQ(uint8_t(UnitImage()[Adrb::BIKE]), bike);
}

}  // namespace
}  // namespace ign
