#include "ui/pages/misc_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "ui/pages/binding.h"
#include "ui/pages/input_functions.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

constexpr int kMsgInput = 47;

// Up-down rows: edit, label, parameter (range, step and conversion), feature flag.
struct RowSpec {
  const char* edit;
  const char* label;
  const char* caption;
  const char* parameter;
  int flag;
};
constexpr RowSpec kRows[] = {
    {"EditLimiter", "LabelLimiter", "Limiter [rpm]", "LIMITER", -1},
    {"EditStartLimiter", "LabelStartLimiter", "Start limiter [rpm]", "START_LIM", 6},
    {"EditStartLimiterDelay", "LabelStartLimiterDelay", "Start limiter delay [ms]", "START_LIM_DELAY", 6},
    {"EditClutchTime", "LabelClutchTime", "Quickshift time [ms]", "CLUTCH_TIME", 4},
    {"EditClutchPause", "LabelClutchPause", "Quickshift pause [ms]", "CLUTCH_PAUSE", 4},
    {"EditRetard", "LabelRetard", "Retard [°]", "RETARD", 5},
};

constexpr const char* kInputNames[2] = {"RadioGroupInput1", "RadioGroupInput2"};
constexpr const char* kInverseNames[2] = {"CheckBoxInverseInput1", "CheckBoxInverseInput2"};
constexpr const char* kMonitorNames[2] = {"LabelMonInput1In", "LabelMonInput2In"};

}  // namespace

void TMiscPage::Init(QWidget* sheet) {
  auto* grid = new QGridLayout(sheet);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(int(std::size(kRows)) + 1, 1);
  int r = 0;
  for (const RowSpec& spec : kRows) {
    TUpDown* edit = CreateEditPair(sheet, spec.edit);
    PlaceEditPair(edit, Describe(spec.parameter), 70);
    QLabel* label = CreateLabel(sheet, spec.label, QString::fromUtf8(spec.caption));
    AddLabelled(grid, r, 0, label, edit);
    pages_.Bind(edit);
    rows_[size_t(r)] = {edit, label, spec.flag};
    ++r;
  }
  // The two inputs side by side: the page keeps its height at the window's
  // default size in every language.
  auto* inputsRow = new QHBoxLayout();
  for (int i = 0; i < 2; ++i) {
    auto* inputsColumn = new QVBoxLayout();
    inputsRow->addLayout(inputsColumn);
    inputs_[size_t(i)] = CreateRadioGroup(sheet, kInputNames[i]);
    BuildInputList(i);
    pages_.Bind(inputs_[size_t(i)]);
    inverse_[size_t(i)] = CreateCheck(sheet, kInverseNames[i]);
    inverse_[size_t(i)]->setText(QStringLiteral("Inverse polarity"));
    KeepPlace(inverse_[size_t(i)]);
    pages_.Bind(inverse_[size_t(i)]);
    monitor_[size_t(i)] = CreateLabel(sheet, kMonitorNames[i]);
    inputsColumn->addWidget(inputs_[size_t(i)]);
    inputsColumn->addWidget(inverse_[size_t(i)]);
    inputsColumn->addWidget(monitor_[size_t(i)]);
    inputsColumn->addStretch(1);
  }
  grid->addLayout(inputsRow, 0, 3, int(std::size(kRows)) + 2, 1);
  grid->setColumnMinimumWidth(2, 40);
  WriteMonitorLabels();
}

// The items in position order; a rebuild keeps the selected index and the
// state of every button.
void TMiscPage::BuildInputList(int input) {
  TRadioGroup* group = inputs_[size_t(input)];
  const std::vector<InputItem> items = InputItems(kInputMask[input]);
  const int length = InputListLength();
  if (group->Count() != length) {
    ClearChoices(group);
    for (int i = 0; i < length; ++i) {
      const bool real = i < int(items.size());
      AddChoice(group, real ? QString::fromUtf8(LngStr(items[size_t(i)].text)) : QString(),
                real ? items[size_t(i)].value : -1);
      group->Button(i)->setVisible(real);
    }
    return;
  }
  for (int i = 0; i < int(items.size()); ++i)
    group->Button(i)->setText(QString::fromUtf8(LngStr(items[size_t(i)].text)));
}

void TMiscPage::WriteMonitorLabels() {
  for (int i = 0; i < 2; ++i)
    monitor_[size_t(i)]->setText(QString::fromUtf8(Msg(kMsgInput)) + QStringLiteral(" %1: ---").arg(i + 1));
}

void TMiscPage::Relabel(Image&) {
  for (int i = 0; i < 2; ++i) BuildInputList(i);
  WriteMonitorLabels();
}

void TMiscPage::Store(Image& img) {
  for (size_t r = 0; r < rows_.size(); ++r) StoreParam(rows_[r].edit, img, Describe(kRows[r].parameter));
  // The excitation and dwell bytes have no control here and are always cleared.
  for (int b : {int(Adrb::EXCITATION), int(Adrb::DWELL), Adrb::DWELL + 1, Adrb::DWELL + 2, Adrb::DWELL + 3,
                int(Adrb::DWELL_5)})
    img[size_t(b)] = 0;
  for (int i = 0; i < 2; ++i) {
    StoreRadioValue(inputs_[size_t(i)], img, Adrb::INPUT_FUNCTION, i);
    const uint8_t bit = uint8_t(1u << i);
    uint8_t& invert = img[Adrb::INPUT_INVERT];
    invert = uint8_t(inverse_[size_t(i)]->isChecked() ? (invert | bit) : (invert & ~bit));
  }
}

void TMiscPage::Load(Image& img) {
  TLoadGuard& guard = pages_.Guard();
  for (size_t r = 0; r < rows_.size(); ++r)
    LoadParam(guard, rows_[r].edit, img, Describe(kRows[r].parameter));
  for (int i = 0; i < 2; ++i) {
    LoadRadioValue(guard, inputs_[size_t(i)], img, Adrb::INPUT_FUNCTION, i);
    SetCheck(guard, inverse_[size_t(i)], (img[Adrb::INPUT_INVERT] >> i) & 1);
  }
  for (auto& e : pages_.Editors()) {
    const Markers& m = e->Model().MarkerValues();
    if (m.limiter != img[Adrb::LIMITER] * 100 || m.startLimiter != img[Adrb::START_LIM] * 100)
      pages_.FlagEditors(EditorRefresh::kMarkers);
  }
  Refresh(img);
}

void TMiscPage::Refresh(Image& img) {
  const FeatureFlags& flags = pages_.RecomputeFlags();
  for (const Row& row : rows_) {
    const bool on = row.flag < 0 || flags[size_t(row.flag)];
    // The edit and its label stay in place; the up-down shows with its feature only.
    row.edit->setButtonSymbols(on ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    row.edit->setEnabled(on);
    row.label->setEnabled(on);
  }
  for (int i = 0; i < 2; ++i) {
    inputs_[size_t(i)]->setVisible(true);
    monitor_[size_t(i)]->setVisible(true);
    const InputFunction* f = FindInputFunction(img[size_t(Adrb::INPUT_FUNCTION + i)]);
    inverse_[size_t(i)]->setVisible(f && f->value != 0 && f->polarity);
  }
}

}  // namespace ign
