#include "ui/pages/test_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/app/dump_loader.h"
#include "core/text/caption_table.h"
#include "core/text/lngstr.h"
#include "ui/pages/binding.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

constexpr const char* kProprietaryTitle =
    "###Proprietary settings##Proprietäre Einstellungen##Proprietární nastavení";
constexpr int kPropLimit = 32000;

// Pending test bits: the byte of the monitor request (0: ignition, 1: outputs,
// 2: servo) and the bit.
namespace TestByte {
constexpr int kIgnition = 0, kOutput = 1, kServo = 2;
}
constexpr char kTestByteProperty[] = "testByte";
constexpr char kTestBitProperty[] = "testBit";

struct OutputButton {
  const char* name;
  const char* caption;
  uint8_t bit;
};
constexpr OutputButton kOutputs[4] = {
    {"ButtonTest01", "Power Out 1", 0x01},
    {"ButtonTest02", "Power Out 2", 0x02},
    {"ButtonTest03", "Power Out 3", 0x08},
    {"ButtonTest04", "Power Out 4", 0x10},
};

}  // namespace

void TTestPage::Init(QWidget* sheet) {
  auto* grid = new QGridLayout(sheet);
  grid->addWidget(BuildButtons(sheet), 0, 0, Qt::AlignLeft | Qt::AlignTop);
  grid->addWidget(BuildProprietary(sheet), 0, 1, Qt::AlignLeft | Qt::AlignTop);

  // The unit's diagnostic values; only developers see them.
  auto* diagnostics = new QVBoxLayout();
  for (int i = 0; i < 10; ++i) {
    const QByteArray name = QStringLiteral("LabelTest%1").arg(i + 1).toLatin1();
    testLabels_[size_t(i)] = CreateLabel(sheet, name.constData());
    diagnostics->addWidget(testLabels_[size_t(i)]);
  }
  diagnostics->addWidget(BuildLoadBin(sheet));
  diagnostics->addStretch(1);
  grid->addLayout(diagnostics, 0, 2);
  grid->addWidget(CreateLabel(sheet, "LabelHourMeter", QStringLiteral("Hour meter = ---")), 1, 0, 1, 3);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(2, 1);
}

QWidget* TTestPage::BuildButtons(QWidget* sheet) {
  auto* box = new QWidget(sheet);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  auto makeButton = [&](QWidget* parent, const char* name, const QString& text, int byte, uint8_t bit) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setProperty(kTestByteProperty, byte);
    b->setProperty(kTestBitProperty, int(bit));
    QObject::connect(b, &QPushButton::clicked, parent, [this, b] { ButtonTestClick(b); });
    return b;
  };

  auto* ignition = new QGroupBox(QStringLiteral("&Ignition"), box);
  ignition->setObjectName("GroupBoxTestIgn");
  auto* ignitionRow = new QHBoxLayout(ignition);
  for (int i = 0; i < 4; ++i) {
    const QByteArray name = QStringLiteral("ButtonTestIgn%1").arg(i + 1).toLatin1();
    ignition_[size_t(i)] = makeButton(ignition, name.constData(), QStringLiteral("&Ignition %1").arg(i + 1),
                                      TestByte::kIgnition, uint8_t(1u << i));
    ignitionRow->addWidget(ignition_[size_t(i)]);
  }
  column->addWidget(ignition);

  outputs_ = new QGroupBox(QStringLiteral("Power out"), box);
  outputs_->setObjectName("GroupBoxTestPOut");
  auto* outputRow = new QHBoxLayout(outputs_);
  for (int i = 0; i < 4; ++i) {
    output_[size_t(i)] = makeButton(outputs_, kOutputs[i].name, QString::fromUtf8(kOutputs[i].caption),
                                    TestByte::kOutput, kOutputs[i].bit);
    outputRow->addWidget(output_[size_t(i)]);
  }
  n2o_ = new QPushButton(QStringLiteral("N2O"), outputs_);
  n2o_->setObjectName("ButtonTestN2O");
  n2o_->hide();
  outputRow->addWidget(n2o_);
  outputRow->addStretch(1);
  column->addWidget(outputs_);

  auto* rpm = new QGroupBox(QStringLiteral("Rpm"), box);
  rpm->setObjectName("GroupBoxTestRpm");
  auto* rpmRow = new QHBoxLayout(rpm);
  testRpm_ = CreateEditPair(rpm, "EditTestRpm");
  PlaceEditPair(testRpm_, Describe("TEST_SET"), 60);
  testRpm_->setAccessibleName(QStringLiteral("Rpm"));
  pages_.Bind(testRpm_);
  rpmRow->addWidget(testRpm_);
  rpmRow->addWidget(makeButton(rpm, "ButtonTestRpm", QStringLiteral("Tachometer"), TestByte::kOutput, 0x04));
  rpmRow->addStretch(1);
  column->addWidget(rpm);

  auto* servo = new QGroupBox(QStringLiteral("Servo"), box);
  servo->setObjectName("GroupBoxTestServo");
  auto* servoRow = new QHBoxLayout(servo);
  QLabel* timeLabel = CreateLabel(servo, "LabelTestServo", QStringLiteral("Time [ms]"));
  testServo_ = CreateEditPair(servo, "EditTestServo");
  PlaceEditPair(testServo_, Describe("TEST_SET", 1), 50);
  timeLabel->setBuddy(testServo_);
  pages_.Bind(testServo_);
  servoRow->addWidget(timeLabel);
  servoRow->addWidget(testServo_);
  servoRow->addWidget(
      makeButton(servo, "ButtonTestServoPlus", QStringLiteral("Servo plus"), TestByte::kServo, 0x01));
  servoRow->addWidget(
      makeButton(servo, "ButtonTestServoMinus", QStringLiteral("Servo minus"), TestByte::kServo, 0x02));
  servoRow->addStretch(1);
  column->addWidget(servo);
  column->addStretch(1);
  return box;
}

QWidget* TTestPage::BuildProprietary(QWidget* sheet) {
  proprietary_ = new QGroupBox(QString::fromUtf8(LngStr(kProprietaryTitle)), sheet);
  proprietary_->setObjectName("GroupBoxProprietary");
  auto* grid = new QGridLayout(proprietary_);
  for (int i = 0; i < 5; ++i) {
    const QString n = QString::number(i + 1);
    const QByteArray edit = ("EditProp" + n).toLatin1(), label = ("LabelProp" + n).toLatin1(),
                     check = ("CheckBoxPropMon" + n).toLatin1(), monitor = ("LabelPropMon" + n).toLatin1();
    TUpDown* u = CreateEditPair(proprietary_, edit.constData());
    PlaceEditPair(u, -kPropLimit, kPropLimit, 1, 60);
    pages_.Bind(u);
    prop_[size_t(i)] = u;
    AddLabelled(grid, i, 0, CreateLabel(proprietary_, label.constData(), "$" + n), u);
    QCheckBox* box = CreateCheck(proprietary_, check.constData());
    box->setText("$" + n);
    QObject::connect(box, &QCheckBox::clicked, proprietary_, [this] { pages_.Host().RefreshLiveDisplay(); });
    grid->addWidget(box, i, 2);
    grid->addWidget(CreateLabel(proprietary_, monitor.constData(), QStringLiteral("Prop%1 = --- ").arg(n)), i,
                    3);
  }
  grid->setColumnMinimumWidth(3, 110);
  return proprietary_;
}

void TTestPage::ButtonTestClick(QPushButton* button) {
  const int byte = button->property(kTestByteProperty).toInt();
  const int bit = button->property(kTestBitProperty).toInt();
  if (!bit) return;
  pages_.Host().AddTestBits(byte, uint8_t(bit));
  // The caption in every language, without its accelerator mark.
  const CaptionRow* row = FindCaptionRow(PageTextRows(CaptionPage::Test), button->objectName().toStdString());
  std::array<std::string, 3> caption;
  for (int language : {LNG_ENGLISH, LNG_DEUTSCH, LNG_CESKY}) {
    QString text = row ? QString::fromUtf8(CaptionWithSuffix(*row, language)) : button->text();
    caption[size_t(language)] = text.remove(QLatin1Char('&')).toStdString();
  }
  pages_.Host().NoteTestRequest(caption);
}

void TTestPage::Relabel(Image&) { proprietary_->setTitle(QString::fromUtf8(LngStr(kProprietaryTitle))); }

void TTestPage::Store(Image& img) {
  StoreParam(testRpm_, img, Describe("TEST_SET"));
  StoreParam(testServo_, img, Describe("TEST_SET", 1));
  for (int i = 0; i < 5; ++i) StoreWord(prop_[size_t(i)], img, Adrw::PROPRIETARY, i | kSignedFlag);
}

void TTestPage::Load(Image& img) {
  TLoadGuard& g = pages_.Guard();
  LoadParam(g, testRpm_, img, Describe("TEST_SET"));
  LoadParam(g, testServo_, img, Describe("TEST_SET", 1));
  for (int i = 0; i < 5; ++i) LoadWord(g, prop_[size_t(i)], img, Adrw::PROPRIETARY, i | kSignedFlag);
  Refresh(img);
}

// Loading a parameter image from a unit's memory dump: the copy, its offset
// and the button that asks for the file.
QWidget* TTestPage::BuildLoadBin(QWidget* sheet) {
  loadBin_ = new QWidget(sheet);
  auto* row = new QGridLayout(loadBin_);
  row->setContentsMargins(0, 8, 0, 0);
  auto* copies = CreateCombo(loadBin_, "ComboBoxLoadBin");
  for (int k = 0; k < kDumpCopies; ++k) copies->addItem(QStringLiteral("%1.kopie").arg(k + 1));
  copies->setAccessibleName(QStringLiteral("Copy"));
  loadBinOffset_ = new QLineEdit(loadBin_);
  loadBinOffset_->setObjectName("EditLoadBin");
  auto* label = CreateLabel(loadBin_, "LabelLoadBin", QStringLiteral("FROM ADR (hexa)"));
  label->setBuddy(loadBinOffset_);
  auto* load = new QPushButton(QStringLiteral("LOAD BIN RS"), loadBin_);
  load->setObjectName("ButtonLoadBin");
  row->addWidget(copies, 0, 0);
  row->addWidget(label, 0, 1);
  row->addWidget(loadBinOffset_, 0, 2);
  row->addWidget(load, 1, 0, 1, 3);
  QObject::connect(copies, &QComboBox::currentIndexChanged, loadBin_,
                   [this](int copy) { FormComboLoadBinChange(copy); });
  QObject::connect(load, &QPushButton::clicked, loadBin_, [this] { pages_.Host().LoadBinaryDump(); });
  FormComboLoadBinChange(0);
  return loadBin_;
}

void TTestPage::FormComboLoadBinChange(int copy) {
  if (copy >= 0) loadBinOffset_->setText(QString::fromStdString(DumpCopyOffsetText(copy)));
}

void TTestPage::Refresh(Image&) {
  outputs_->setVisible(true);
  output_[0]->setVisible(true);
  output_[1]->setVisible(true);
  output_[2]->setVisible(false);
  output_[3]->setVisible(false);
  n2o_->setVisible(false);
  for (int i = 1; i < 4; ++i) ignition_[size_t(i)]->setVisible(true);
  const bool developer = pages_.Host().DeveloperTestMode();
  for (QLabel* l : testLabels_) l->setVisible(developer);
  loadBin_->setVisible(developer);
}

}  // namespace ign
