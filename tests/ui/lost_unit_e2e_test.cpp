// The window against a simulated unit that goes away in the middle of an
// operation: the tuner is told, at once and in words, what that left behind.
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QToolButton>

#include "core/base/atomic_file.h"
#include "core/params/image.h"
#include "form_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

class LostUnitTest : public FormFixture {
 protected:
  // A paced unit, so that an operation lasts long enough to be cut.
  std::unique_ptr<test::SimProcess> StartUnit() {
    test::SimOptions options;
    options.com = 7;
    options.image = dir_.File("unit.bin");
    options.extra = {"--pace", "--delay-ms", "25"};
    auto sim = std::make_unique<test::SimProcess>(dir_.File("ports"), options);
    EXPECT_TRUE(sim->ready()) << sim->errorOutput();
    return sim;
  }
  bool CheckedOk() {
    return Find<QLabel>("LabelResult")->text() == "Checking: OK" && Find<QAction>("MenuRead")->isEnabled();
  }
  // Waits until the running transfer of state has passed the given address.
  bool WaitForTransfer(TMainForm& f, CommState state, int address) {
    return WaitFor(
        [&] { return f.Engine().Machine().State() == state && f.Engine().Com().CurrentAddress() >= address; },
        30000);
  }
  QMessageBox* CutOffBox() { return form_->findChild<QMessageBox*>("CutOffMessage"); }
  void ExpectLostUnitSigns() {
    auto* connection = Find<QLabel>("LabelConnection");
    ASSERT_TRUE(WaitFor([&] { return connection->text() == "No connection with PC..."; }, 10000))
        << connection->text().toStdString();
    EXPECT_TRUE(connection->isVisible());
    EXPECT_EQ(connection->palette().color(connection->backgroundRole()), QColor(Qt::red));
    EXPECT_EQ(Find<QLabel>("StatusPanel4")->text(), "not connected");
    EXPECT_FALSE(Find<QAction>("MenuProgram")->isEnabled());
    EXPECT_FALSE(form_->Params().UnitValid());
  }
  std::string UnitImage() {
    std::string bytes;
    ReadWholeFile(dir_.File("unit.bin"), bytes);
    return bytes;
  }
};

TEST_F(LostUnitTest, ProgramCutOffIsAnnouncedAndTheNextProgramCompletesTheUnit) {
  auto sim = StartUnit();
  TMainForm& f = Start();
  f.show();
  ASSERT_TRUE(WaitFor([&] { return CheckedOk(); }, 30000));
  Find<QAction>("MenuRead")->trigger();
  ASSERT_TRUE(WaitFor([&] { return Find<QLabel>("LabelResult")->text() == "Verify: OK"; }, 30000));

  // Changes at the start, the middle and the end of the block.
  for (int a : std::initializer_list<int>{Adrb::RETARD, Adrb::LIMITER, 600, 1000})
    f.Params().Working()[a] = uint8_t(f.Params().Edited()[a] + 3);
  ASSERT_TRUE(f.CommitImageChange());
  const Image edited = f.Params().Edited();
  Find<QToolButton>("ButtonProgram")->click();
  ASSERT_TRUE(WaitForTransfer(f, CommState::ProgramWrite, 420));  // about 40 %
  sim.reset();                                                    // the unit is unplugged

  ExpectLostUnitSigns();
  EXPECT_EQ(Find<QLabel>("LabelResult")->text(), "Program cut off !");
  EXPECT_EQ(f.Engine().Machine().LastOutcome().result, Result::LinkLost);
  ASSERT_TRUE(WaitFor([&] { return CutOffBox() && CutOffBox()->isVisible(); }, 5000));
  EXPECT_TRUE(CutOffBox()->text().contains("part of the new settings")) << CutOffBox()->text().toStdString();
  CutOffBox()->accept();
  const std::string partial = UnitImage();
  ASSERT_EQ(partial.size(), size_t(RS_LEN_EXE));
  EXPECT_FALSE(std::equal(edited.begin(), edited.begin() + RS_LEN_EXE, partial.begin()));

  sim = StartUnit();  // plugged in again
  ASSERT_TRUE(WaitFor([&] { return CheckedOk(); }, 30000));
  EXPECT_EQ(Find<QLabel>("LabelCongruence")->text(), "Unit and PC settings are different");
  Find<QToolButton>("ButtonProgram")->click();
  ASSERT_TRUE(WaitFor([&] { return Find<QLabel>("LabelResult")->text() == "Program device: OK"; }, 30000))
      << Find<QLabel>("LabelResult")->text().toStdString();
  const std::string whole = UnitImage();
  const Image& now = f.Params().Edited();
  std::string diffs;
  for (int i = 0; i < RS_LEN_EXE; ++i)
    if (uint8_t(whole[size_t(i)]) != now[size_t(i)]) diffs += " " + std::to_string(i);
  EXPECT_EQ(diffs, "");
  for (int a : std::initializer_list<int>{Adrb::RETARD, Adrb::LIMITER, 600, 1000})
    EXPECT_EQ(uint8_t(whole[size_t(a)]), edited[size_t(a)]) << a;
  EXPECT_EQ(Find<QLabel>("LabelCongruence")->text(), "Unit and PC settings are identical");
}

TEST_F(LostUnitTest, ReadCutOffKeepsTheEditorAndSaysSo) {
  auto sim = StartUnit();
  TMainForm& f = Start();
  f.show();
  ASSERT_TRUE(WaitFor([&] { return CheckedOk(); }, 30000));
  f.Params().Working()[Adrb::RETARD] = uint8_t(f.Params().Edited()[Adrb::RETARD] + 1);
  ASSERT_TRUE(f.CommitImageChange());
  const Image before = f.Params().Edited();
  Find<QAction>("MenuRead")->trigger();
  ASSERT_TRUE(WaitForTransfer(f, CommState::ReadSecond, 1));  // the first of two reads done: about 50 %
  sim.reset();

  ExpectLostUnitSigns();
  EXPECT_EQ(Find<QLabel>("LabelResult")->text(), "Read cut off !");
  ASSERT_TRUE(WaitFor([&] { return CutOffBox() && CutOffBox()->isVisible(); }, 5000));
  EXPECT_TRUE(CutOffBox()->text().contains("were not taken")) << CutOffBox()->text().toStdString();
  EXPECT_EQ(f.Params().Edited(), before);
}

}  // namespace
}  // namespace ign
