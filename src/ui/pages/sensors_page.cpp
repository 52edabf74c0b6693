#include "ui/pages/sensors_page.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "core/text/lngstr.h"
#include "ui/mapedit/editor_list.h"
#include "ui/pages/binding.h"
#include "ui/pages/map_axes.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"
#include "ui/pages/sensors_map.h"

namespace ign {

namespace {

constexpr int kThrottleEditorId = 41, kPressureEditorId = 42, kLambdaEditorId = 44;
constexpr int kCalibrationWidth = 290, kCalibrationHeight = 130;
constexpr int kLambdaWidth = 250, kLambdaHeight = 220;
constexpr int kEditorTop = 10;
constexpr int kRadioIndent = 48;  // the group's margins and the radio button before the text

// The load-sensor items; the pressure item names the synchro IAP while the
// servo sensor is the servo itself.
constexpr const char* kLoadNoneText = "###No##keinen##Žádný";
constexpr const char* kPressureWithSynchro = "IAP+Synchro IAP";
constexpr const char* kPressure = "IAP";

QPushButton* CreateButton(QWidget* parent, const char* name, const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(name);
  return b;
}

TTab* CreateCalibrationEditor(int identifier, int width, int height, QWidget* parent) {
  TTab* tab = CreateMapEditor(identifier, width, height, kSensorEditorFlags, parent);
  tab->setFixedSize(width, height);
  return tab;
}

}  // namespace

CTabModel& TSensorsPage::ThrottleModel() const { return throttle_->Model(); }
CTabModel& TSensorsPage::PressureModel() const { return pressure_->Model(); }

void TSensorsPage::Init(QWidget* sheet) {
  auto* grid = new QGridLayout(sheet);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(3, 1);

  auto* sensors = new QVBoxLayout();
  loadSensor_ = CreateRadioGroup(sheet, "RadioGroupTpsIap");
  loadSensor_->setTitle(QStringLiteral("Load sensor"));
  for (int i = 0; i < 3; ++i) AddChoice(loadSensor_, QString(), i);
  pages_.Bind(loadSensor_);
  servoSensor_ = CreateRadioGroup(sheet, "RadioGroupSensorServa");
  servoSensor_->setTitle(QStringLiteral("Servo sensor"));
  AddChoice(servoSensor_, QStringLiteral("Servo"), 0);
  AddChoice(servoSensor_, QStringLiteral("Synchro IAP"), 1);
  pages_.Bind(servoSensor_);
  // Wide enough for the longest load-sensor item, so the page does not move
  // when the items change with the servo sensor.
  const int itemWidth = loadSensor_->fontMetrics().horizontalAdvance(QString::fromUtf8(kPressureWithSynchro));
  for (TRadioGroup* g : {loadSensor_, servoSensor_}) g->setMinimumWidth(itemWidth + kRadioIndent);
  sensors->addWidget(loadSensor_);
  sensors->addWidget(servoSensor_);
  sensors->addStretch(1);
  grid->addLayout(sensors, 0, 0, 3, 1);

  // The TP buttons beside the rows of "TP sensor".
  auto* buttons = new QVBoxLayout();
  buttons->setContentsMargins(0, kEditorTop, 0, 0);
  tps0_ = CreateButton(sheet, "BitBtnTps0", " TP 0 %    ");
  tps100_ = CreateButton(sheet, "BitBtnTps100", "TP 100 %");
  for (QPushButton* b : {tps0_, tps100_}) {
    b->setEnabled(false);
    KeepPlace(b);  // the pressure editor shows where the throttle editor does
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  QObject::connect(tps0_, &QPushButton::clicked, sheet, [this] { TpsButtonClick(kSensorTpRow0); });
  QObject::connect(tps100_, &QPushButton::clicked, sheet, [this] { TpsButtonClick(kSensorTpRow100); });
  grid->addLayout(buttons, 0, 1);

  // "TP sensor" and "IAP sensor" share one place; at most one of them shows.
  auto* place = new QWidget(sheet);
  place->setObjectName("SensorsEditorPlace");
  auto* stack = new QGridLayout(place);
  stack->setContentsMargins(0, kEditorTop, 0, 0);
  throttle_ = CreateCalibrationEditor(kThrottleEditorId, kCalibrationWidth, kCalibrationHeight, place);
  pressure_ = CreateCalibrationEditor(kPressureEditorId, kCalibrationWidth, kCalibrationHeight, place);
  stack->addWidget(throttle_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
  stack->addWidget(pressure_, 0, 0, Qt::AlignLeft | Qt::AlignTop);
  place->setMinimumSize(kCalibrationWidth, kCalibrationHeight + kEditorTop);
  grid->addWidget(place, 0, 2, Qt::AlignLeft | Qt::AlignTop);
  BuildThrottleSheet(throttle_->Model());
  BuildPressureSheet(pressure_->Model());
  throttle_->SelectSheet(0);
  pressure_->SelectSheet(0);
  pages_.AddEditor(*throttle_, throttle_, [this](Image& img) { CopyThrottleSheet(ThrottleModel(), img); });
  pages_.AddEditor(*pressure_, pressure_, [this](Image& img) { CopyPressureSheet(PressureModel(), img); });

  // The lambda curve and its mode exist but are never shown.
  lambda_ = CreateCalibrationEditor(kLambdaEditorId, kLambdaWidth, kLambdaHeight, sheet);
  BuildLambdaSheet(lambda_->Model());
  lambda_->SelectSheet(0);
  lambda_->hide();
  grid->addWidget(lambda_, 1, 2, Qt::AlignLeft | Qt::AlignTop);
  pages_.AddEditor(*lambda_, lambda_, {});
  lambdaMode_ = CreateRadioGroup(sheet, "RadioGroupCidloLambdaMode");
  lambdaMode_->setTitle(QStringLiteral("Lambda"));
  AddChoice(lambdaMode_, QStringLiteral("Standard"), 0);
  AddChoice(lambdaMode_, QStringLiteral("Uego"), 1);
  lambdaMode_->hide();
  QObject::connect(lambdaMode_, &TRadioGroup::Clicked, sheet, [this] { RadioGroupCidloLambdaModeClick(); });
  grid->addWidget(lambdaMode_, 2, 2, Qt::AlignLeft | Qt::AlignTop);

  WriteLoadSensorItems(pages_.Edited());
}

void TSensorsPage::WriteLoadSensorItems(const Image& img) {
  const char* pressure = img[Adrb::SERVO_SENSOR] == 0 ? kPressureWithSynchro : kPressure;
  const char* texts[3] = {LngStr(kLoadNoneText), "TP", pressure};
  for (int i = 0; i < 3; ++i) loadSensor_->Button(i)->setText(QString::fromUtf8(texts[i]));
}

void TSensorsPage::Relabel(Image& img) {
  WriteLoadSensorItems(img);
  TLoadGuard& guard = pages_.Guard();
  LoadRadioIndex(guard, loadSensor_, img, Adrb::TPSIAP_SENSOR);
  LoadRadioIndex(guard, servoSensor_, img, Adrb::SERVO_SENSOR);
}

void TSensorsPage::Store(Image& img) {
  StoreRadioIndex(loadSensor_, img, Adrb::TPSIAP_SENSOR);
  CopyThrottleSheet(ThrottleModel(), img);
  CopyPressureSheet(PressureModel(), img);
  StoreRadioIndex(servoSensor_, img, Adrb::SERVO_SENSOR);
}

void TSensorsPage::Load(Image& img) {
  TLoadGuard& guard = pages_.Guard();
  LoadRadioIndex(guard, loadSensor_, img, Adrb::TPSIAP_SENSOR);
  LoadThrottleSheet(ThrottleModel(), img);
  LoadPressureSheet(PressureModel(), img);
  LoadRadioIndex(guard, servoSensor_, img, Adrb::SERVO_SENSOR);
  pages_.FlagEditors(EditorRefresh::kData);
  Refresh(img);
  if (TPage* servo = pages_.PageAt(Page::Servo)) servo->Refresh(img);
  // The load-sensor items name the synchro IAP by the servo sensor.
  WriteLoadSensorItems(img);
}

void TSensorsPage::Refresh(Image& img) {
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  const bool throttle = sensor == LoadSensor::kThrottle, pressure = sensor == LoadSensor::kPressure;
  throttle_->setVisible(throttle);
  tps0_->setVisible(throttle);
  tps100_->setVisible(throttle);
  pressure_->setVisible(pressure);
  lambda_->setVisible(false);
  lambdaMode_->setVisible(false);
  servoSensor_->setVisible(true);
  LiveChanged();
}

void TSensorsPage::LiveChanged() {
  const bool live = pages_.Live().valid;
  tps0_->setEnabled(live);
  tps100_->setEnabled(live);
}

void TSensorsPage::TpsButtonClick(int row) {
  const LiveFeed& live = pages_.Live();
  if (!live.valid) return;
  SetThrottleCell(ThrottleModel(), row, live.sensorVoltage);
  throttle_->RequestRepaint();
  pages_.NoteChange(row == kSensorTpRow0 ? tps0_ : tps100_, ChangeKind::Immediate);
}

void TSensorsPage::RadioGroupCidloLambdaModeClick() {
  if (pages_.Guard().Active()) return;
  pages_.NoteChange(lambdaMode_, ChangeKind::Immediate);
}

}  // namespace ign
