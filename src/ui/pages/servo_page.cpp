#include "ui/pages/servo_page.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/mapedit/editor_list.h"
#include "ui/pages/binding.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"
#include "ui/pages/servo_map.h"

namespace ign {

namespace {
constexpr int kEditorIdentifier = 1;
constexpr int kBottomRow = 35;  // the controls under the editor
}  // namespace

CTabModel& TServoPage::Model() const { return editor_->Model(); }

void TServoPage::Init(QWidget* sheet) {
  auto* column = new QVBoxLayout(sheet);
  auto* host = new QFrame(sheet);
  host->setObjectName("ServoMapEditorHost");
  host->setFrameShape(QFrame::StyledPanel);
  auto* hostLayout = new QVBoxLayout(host);
  column->addWidget(host, 1);

  auto* bottom = new QWidget(sheet);
  bottom->setFixedHeight(kBottomRow);
  auto* row = new QHBoxLayout(bottom);
  row->setContentsMargins(0, 0, 0, 0);
  enable_ = CreateCheck(bottom, "CheckBoxServoEnable");
  enable_->setText(QStringLiteral("Servo enable"));
  percent_ = CreateCheck(bottom, "CheckBoxServoProcenta");
  percent_->setText(QStringLiteral("Percent"));
  for (QCheckBox* b : {enable_, percent_}) {
    pages_.Bind(b);
    row->addWidget(b);
    row->addSpacing(16);
  }
  hysterLabel_ = CreateLabel(bottom, "LabelServoHyster", QStringLiteral("1/P [mV]"));
  hyster_ = CreateEditPair(bottom, "EditServoHyster");
  PlaceEditPair(hyster_, Describe("SERVO_HYSTER"), 50);
  offLabel_ = CreateLabel(bottom, "LabelServoNo", QStringLiteral("Off [mV]"));
  off_ = CreateEditPair(bottom, "EditServoNo");
  PlaceEditPair(off_, Describe("SERVO_NO"), 50);
  for (auto [label, edit] : {std::pair{hysterLabel_, hyster_}, std::pair{offLabel_, off_}}) {
    label->setBuddy(edit);
    pages_.Bind(edit);
    KeepPlace(label);
    KeepPlace(edit);
    row->addWidget(label);
    row->addWidget(edit);
    row->addSpacing(16);
  }
  row->addStretch(1);
  column->addWidget(bottom);

  editor_ = CreateMapEditor(kEditorIdentifier, 0, 0, kServoEditorFlags, host);
  hostLayout->addWidget(editor_);
  BuildServoSheet(Model());
  pages_.AddEditor(*editor_, host, [this](Image& img) { CopyBack(img); });
  LoadServoSheet(Model(), pages_.Edited());
}

void TServoPage::CopyBack(Image& img) {
  img[Adrb::SERVO_ENABLE] = Model().Sheet(0).enabled ? 1 : 0;
  StoreServoMode(Model(), img);
  CopyServoSheet(Model(), img);
}

void TServoPage::Store(Image& img) {
  StoreServoMode(Model(), img);
  const bool wasPercent = img[Adrb::SERVO_PERCENT] != 0;
  StoreCheck(enable_, img, Adrb::SERVO_ENABLE);
  StoreCheck(percent_, img, Adrb::SERVO_PERCENT);
  StoreParam(hyster_, img, Describe("SERVO_HYSTER"));
  StoreParam(off_, img, Describe("SERVO_NO"));
  // The sheet's enabled state follows SERVO_ENABLE when the page is loaded
  // again; setting it here would undo a switch made in the editor that
  // reports together with a pending control change.
  const bool percent = percent_->isChecked();
  if (percent == wasPercent) {
    CopyServoSheet(Model(), img);
    return;
  }
  // The unit was switched: the cells follow, and the converted map is
  // committed inside this commit (it stores the page again through the
  // branch above). The map goes into the image first, so it lands there
  // whichever page the inner commit stores.
  CSheet& sheet = Model().Sheet(0);
  ConvertServoCells(sheet, percent);
  SetServoDataAxis(sheet, percent);
  CopyServoSheet(Model(), img);
  pages_.CommitEdit();
  if (pages_.ActivePage() == Page::Servo) {
    editor_->RequestRelayout();
    editor_->Flush();
  }
}

void TServoPage::Load(Image& img) {
  TLoadGuard& g = pages_.Guard();
  LoadServoSheet(Model(), img);
  LoadCheck(g, enable_, img, Adrb::SERVO_ENABLE);
  LoadCheck(g, percent_, img, Adrb::SERVO_PERCENT);
  LoadParam(g, hyster_, img, Describe("SERVO_HYSTER"));
  LoadParam(g, off_, img, Describe("SERVO_NO"));
  pages_.FlagEditors(EditorRefresh::kData);
  Refresh(img);
}

void TServoPage::Refresh(Image& img) {
  const bool ownServo = img[Adrb::SERVO_SENSOR] == 0;
  enable_->setEnabled(ownServo);
  percent_->setEnabled(ownServo);
  const bool enabled = img[Adrb::SERVO_ENABLE] != 0;
  for (QWidget* w : {static_cast<QWidget*>(hysterLabel_), static_cast<QWidget*>(hyster_),
                     static_cast<QWidget*>(offLabel_), static_cast<QWidget*>(off_)})
    w->setVisible(enabled);
  const uint32_t colour = img[Adrb::SERVO_PERCENT] ? kServoPercentColour : kServoVoltColour;
  CSheet& sheet = Model().Sheet(0);
  if (sheet.data.colour != colour) {
    sheet.data.colour = colour;
    editor_->RequestRepaint();
  }
}

}  // namespace ign
