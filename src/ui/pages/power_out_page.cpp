#include "ui/pages/power_out_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/params/defaults.h"
#include "core/text/caption_table.h"
#include "core/text/lngstr.h"
#include "ui/mapedit/editor_list.h"
#include "ui/pages/binding.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"
#include "ui/pages/power_out_maps.h"

namespace ign {

namespace {

using namespace PowerOutFunction;

struct FunctionItem {
  int value;
  const char* text;
};
constexpr FunctionItem kFunctions[] = {
    {kOff, "###Off##Aus##Vypnuto"},
    {kFuelPump, "###Fuel pump##Fuel pump##Palivová pumpa"},
    {kShiftLight, "###Gear shift light##Schaltblitz##Kontrolka řazení"},
    {kSpecial, "###Special##Spezial##Speciál"},
    {kSpecialPwm, "###Special PWM##Spezial PWM##Speciál PWM"},
    {kSpecialPulse, "###Special Pulse##Spezial Pulse##Speciál Pulse"},
};

constexpr const char* kGroupCaptions[TPowerOutPage::kCells] = {
    "###Power out 1 (pin 3)####Power out 1 (pin 3)",
    "###Power out 2 (pin 12)####Power out 2 (pin 12)",
    "###Power out 3 (pin 14)####Power out 3 (pin 14)",
    "###Power out 4####Power out 4",
};

constexpr const char* kPwmCaption = "PWM [%]";
constexpr const char* kPwmDutyCaption = "###(PWM duty)####";
constexpr const char* kPeriodCaption = "###(Period)##(Zeit)##(Perioda)";

QByteArray Name(const char* stem, int n) { return QByteArray(stem) + QByteArray::number(n + 1); }

// A label text of both outputs, in the current language.
QString RoleText(const char* role, const char* english) {
  const CaptionRow* row = FindCaptionRow(PageTextRows(CaptionPage::PowerOut), role);
  return QString::fromUtf8(row ? CaptionText(*row) : english);
}

bool ShowsSwitchMap(int f) { return f == kSpecial || f == kShiftLight || f == kThree; }

}  // namespace

CTabModel& TPowerOutPage::SwitchModel(int output) { return out_[size_t(output)].switchMap->Model(); }
CTabModel& TPowerOutPage::PwmModel(int output) { return out_[size_t(output)].pwmMap->Model(); }

void TPowerOutPage::Init(QWidget* sheet) {
  auto* grid = new QGridLayout(sheet);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(3);
  for (int n = 0; n < kCells; ++n) {
    BuildCell(sheet, n);
    grid->addWidget(out_[size_t(n)].cell, n / 2, n % 2);
  }
  for (int i = 0; i < 2; ++i) {
    grid->setRowStretch(i, 1);
    grid->setColumnStretch(i, 1);
  }
  WriteTexts(pages_.Edited());
}

void TPowerOutPage::BuildCell(QWidget* sheet, int n) {
  Output& o = out_[size_t(n)];
  o.cell = new QWidget(sheet);
  o.cell->setObjectName(Name("PanelPOut", n));
  KeepPlace(o.cell);  // outputs 3 and 4 keep the lower half of the page
  auto* row = new QHBoxLayout(o.cell);
  row->setContentsMargins(0, 0, 0, 0);

  o.function = CreateRadioGroup(o.cell, Name("RadioGroupPOut", n).constData());
  BuildFunctionList(n);
  QObject::connect(o.function, &TRadioGroup::Clicked, &pages_, [this, n] { RadioGroupPOutClick(n); });
  row->addWidget(o.function, 1);

  auto* right = new QVBoxLayout();
  row->addLayout(right, 3);
  // Both maps in one place: the function shows one of them, or neither.
  auto* editors = new QWidget(o.cell);
  auto* stack = new QGridLayout(editors);
  stack->setContentsMargins(0, 0, 0, 0);
  o.switchMap = CreateMapEditor(kSwitchEditorIdentifier + n, 0, 0, kSwitchEditorFlags, editors);
  o.pwmMap = CreateMapEditor(kPwmEditorIdentifier + n, 0, 0, kPwmEditorFlags, editors);
  o.switchMap->setObjectName(Name("POutSwitchMap", n));
  o.pwmMap->setObjectName(Name("POutPwmMap", n));
  stack->addWidget(o.switchMap, 0, 0);
  stack->addWidget(o.pwmMap, 0, 0);
  BuildSwitchSheet(o.switchMap->Model());
  BuildPwmSheet(o.pwmMap->Model());
  right->addWidget(editors, 1);
  if (n < kOutputs) {
    pages_.AddEditor(*o.switchMap, o.switchMap,
                     [this, n](Image& img) { StoreSwitchMap(SwitchModel(n), img, n); });
    pages_.AddEditor(*o.pwmMap, o.pwmMap, [this, n](Image& img) { StorePwmMap(PwmModel(n), img, n); });
  }

  auto* values = new QGridLayout();
  right->addLayout(values);
  struct Pair {
    TUpDown*& edit;
    QLabel*& label;
    const char* editStem;
    const char* labelStem;
    const char* parameter;
  };
  const Pair pairs[] = {
      {o.hysteresis, o.hysteresisLabel, "EditPOutHyster", "LabelPOutHyster", "POWER_OUT_HYSTERESIS"},
      {o.pwm, o.pwmLabel, "EditPOutPwm", "LabelPOutPwm", "POWER_OUT_SP_PWM"},
      {o.frequency, o.frequencyLabel, "EditPOutFreq", "LabelPOutFreq", "POWER_OUT_SPWM_FR"},
      {o.pulse, o.pulseLabel, "EditPOutPulse", "LabelPOutPulse", "POWER_OUT_SPULSE"},
  };
  int i = 0;
  for (const Pair& p : pairs) {
    p.edit = CreateEditPair(o.cell, Name(p.editStem, n).constData());
    PlaceEditPair(p.edit, Describe(p.parameter), 50);
    p.label = CreateLabel(o.cell, Name(p.labelStem, n).constData());
    AddLabelled(values, i / 2, 2 * (i % 2), p.label, p.edit);
    KeepPlace(p.edit);
    KeepPlace(p.label);
    pages_.Bind(p.edit);
    ++i;
  }
  values->setColumnStretch(1, 1);
  values->setColumnStretch(3, 1);
  o.monitor =
      CreateLabel(o.cell, Name("LabelMonPOut", n).constData(), QStringLiteral("Power out %1= --").arg(n + 1));
  right->addWidget(o.monitor);
}

// The six functions; a rebuild in another language keeps the selection.
void TPowerOutPage::BuildFunctionList(int n) {
  TRadioGroup* group = out_[size_t(n)].function;
  group->setTitle(QString::fromUtf8(LngStr(kGroupCaptions[n])));
  if (group->Count() != int(std::size(kFunctions))) {
    ClearChoices(group);
    for (const FunctionItem& item : kFunctions)
      AddChoice(group, QString::fromUtf8(LngStr(item.text)), item.value);
    return;
  }
  for (int i = 0; i < group->Count(); ++i)
    group->Button(i)->setText(QString::fromUtf8(LngStr(kFunctions[i].text)));
}

void TPowerOutPage::WriteTexts(const Image& img) {
  const QString hysteresis = RoleText("*Hysteresis", "Hysteresis [RPM]");
  const QString pulse = RoleText("*Pulse", "Pulse [ms]");
  const QString frequency = RoleText("*Frequency", "Frequency [Hz]");
  const bool loadSensor = img[Adrb::TPSIAP_SENSOR] != 0;
  for (int n = 0; n < kCells; ++n) {
    Output& o = out_[size_t(n)];
    o.hysteresisLabel->setText(hysteresis);
    o.pulseLabel->setText(pulse);
    o.frequencyLabel->setText(frequency);
    const int f = n < kOutputs ? img[size_t(Adrb::POWER_OUT_FUNCTION + n)] : kOff;
    const char* pwm = kPwmCaption;
    if (f == kSpecialPwm && loadSensor) pwm = kPwmDutyCaption;
    if (f == kSpecialPulse && loadSensor) pwm = kPeriodCaption;
    o.pwmLabel->setText(QString::fromUtf8(LngStr(pwm)));
    // The eight editors' sheets share their names: a screen reader hears
    // the output first.
    o.switchMap->SetAccessibleTitle(o.function->title());
    o.pwmMap->SetAccessibleTitle(o.function->title() + QStringLiteral(" PWM"));
  }
}

void TPowerOutPage::Relabel(Image& img) {
  TLoadGuard& guard = pages_.Guard();
  for (int n = 0; n < kCells; ++n) BuildFunctionList(n);
  for (int n = 0; n < kOutputs; ++n)
    LoadRadioValue(guard, out_[size_t(n)].function, img, Adrb::POWER_OUT_FUNCTION, n);
  WriteTexts(img);
}

void TPowerOutPage::Store(Image& img) {
  for (int n = 0; n < kOutputs; ++n) {
    const Output& o = out_[size_t(n)];
    StoreRadioValue(o.function, img, Adrb::POWER_OUT_FUNCTION, n);
    StoreParam(o.hysteresis, img, Describe("POWER_OUT_HYSTERESIS"), n);
    StoreParam(o.pwm, img, Describe("POWER_OUT_SP_PWM"), n);
    StoreParam(o.frequency, img, Describe("POWER_OUT_SPWM_FR"), n);
    StoreParam(o.pulse, img, Describe("POWER_OUT_SPULSE"), n);
    StoreSwitchMap(o.switchMap->Model(), img, n);
    StorePwmMap(o.pwmMap->Model(), img, n);
  }
}

void TPowerOutPage::Load(Image& img) {
  TLoadGuard& guard = pages_.Guard();
  for (int n = 0; n < kOutputs; ++n) {
    Output& o = out_[size_t(n)];
    LoadRadioValue(guard, o.function, img, Adrb::POWER_OUT_FUNCTION, n);
    LoadParam(guard, o.hysteresis, img, Describe("POWER_OUT_HYSTERESIS"), n);
    LoadParam(guard, o.pwm, img, Describe("POWER_OUT_SP_PWM"), n);
    LoadParam(guard, o.frequency, img, Describe("POWER_OUT_SPWM_FR"), n);
    LoadParam(guard, o.pulse, img, Describe("POWER_OUT_SPULSE"), n);
  }
  Refresh(img);
  for (int n = 0; n < kOutputs; ++n) LoadMaps(img, n);
  pages_.FlagEditors(EditorRefresh::kData);
  pages_.RecomputeFlags();
}

void TPowerOutPage::LoadMaps(const Image& img, int n) {
  LoadSwitchMap(SwitchModel(n), img, n);
  LoadPwmMap(PwmModel(n), img, n);
}

void TPowerOutPage::Refresh(Image& img) {
  for (int n = kOutputs; n < kCells; ++n) out_[size_t(n)].cell->setVisible(false);
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  const bool sensorChanged = sensor != laidOutSensor_;
  for (int n = 0; n < kOutputs; ++n) {
    Output& o = out_[size_t(n)];
    const int f = img[size_t(Adrb::POWER_OUT_FUNCTION + n)];
    if (sensorChanged || f != o.laidOutFunction) {
      LayOutSwitchMap(SwitchModel(n), f, sensor);
      LoadMaps(img, n);
      o.laidOutFunction = f;
      o.switchMap->RequestRelayout();
      o.pwmMap->RequestRelayout();
    }
    ShowOutput(img, n);
  }
  laidOutSensor_ = sensor;
  WriteTexts(img);
}

void TPowerOutPage::ShowOutput(const Image& img, int n) {
  Output& o = out_[size_t(n)];
  const int f = img[size_t(Adrb::POWER_OUT_FUNCTION + n)];
  const bool loadSensor = img[Adrb::TPSIAP_SENSOR] != 0;
  o.cell->setVisible(true);
  const bool switchMap = ShowsSwitchMap(f);
  o.switchMap->setVisible(switchMap);
  o.hysteresisLabel->setVisible(switchMap);
  o.hysteresis->setVisible(switchMap);
  o.pwm->setVisible(f == kSpecial);
  o.pwmLabel->setVisible(f == kSpecial || ((f == kSpecialPwm || f == kSpecialPulse) && loadSensor));
  o.frequencyLabel->setVisible(f == kSpecialPwm);
  o.frequency->setVisible(f == kSpecialPwm);
  o.pulseLabel->setVisible(f == kSpecialPulse);
  o.pulse->setVisible(f == kSpecialPulse);
  o.pwmMap->setVisible(f == kSpecialPwm || f == kSpecialPulse);
}

void TPowerOutPage::RadioGroupPOutClick(int output) {
  if (pages_.Guard().Active() || output < 0 || output >= kOutputs) return;
  IPagesHost& host = pages_.Host();
  Image& img = pages_.Edited();
  // A click on the function the output has already changes nothing: its
  // fixed values would otherwise overwrite the tuned points.
  if (SelectedValue(out_[size_t(output)].function) == img[size_t(Adrb::POWER_OUT_FUNCTION + output)]) return;
  Store(img);  // the whole page, with the clicked function
  SetPowerOutFixed(img, output, 2);
  host.NormaliseImage();
  pages_.LoadPages(false);
  if (host.Snapshot() && host.ProgramAfterChange()) host.RequestProgramChanged();
}

}  // namespace ign
