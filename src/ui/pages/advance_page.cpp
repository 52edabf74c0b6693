#include "ui/pages/advance_page.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/text/messages.h"
#include "ui/mapedit/editor_list.h"
#include "ui/pages/advance_map.h"
#include "ui/pages/binding.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {
constexpr int kMsgCorrection = 71;  // "Correction for cylinder:"
constexpr int kEditorIdentifier = 0;
constexpr int kBottomRow = 62;  // the controls under the editor: two rows
const QColor kLiveGreen(0x00, 0xFF, 0x00);
}  // namespace

TAdvancePage::TAdvancePage(TPages& pages) : pages_(pages) {}

TAdvancePage::~TAdvancePage() = default;

void TAdvancePage::Init(QWidget* sheet) {
  auto* column = new QVBoxLayout(sheet);
  editorHost_ = new QFrame(sheet);
  editorHost_->setObjectName("AdvanceMapEditorHost");
  static_cast<QFrame*>(editorHost_)->setFrameShape(QFrame::StyledPanel);
  new QVBoxLayout(editorHost_);
  column->addWidget(editorHost_, 1);

  auto* bottom = new QWidget(sheet);
  bottom->setFixedHeight(kBottomRow);
  auto* rows = new QVBoxLayout(bottom);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(2);
  auto* row = new QHBoxLayout();
  rows->addLayout(row);
  baseAdvLabel_ = CreateLabel(bottom, "LabelBaseAdv", QStringLiteral("Base advance [°]"));
  baseAdvLabel_->setAutoFillBackground(true);
  baseAdv_ = CreateEditPair(bottom, "EditBaseAdv");
  PlaceEditPair(baseAdv_, Describe("BASE_ADV"), 40);
  baseAdvLabel_->setBuddy(baseAdv_);
  pages_.Bind(baseAdv_);
  row->addWidget(baseAdvLabel_);
  row->addWidget(baseAdv_);
  row->addSpacing(24);
  corrections_ = CreateLabel(bottom, "LabelCorections");
  row->addWidget(corrections_);
  for (int i = 0; i < 4; ++i) {
    const QByteArray edit = QStringLiteral("EditKorAdv%1").arg(i + 1).toLatin1();
    const QByteArray label = QStringLiteral("LabelKorAdv%1").arg(i + 1).toLatin1();
    correction_[size_t(i)] = CreateEditPair(bottom, edit.constData());
    PlaceEditPair(correction_[size_t(i)], Describe("CORR_ADVANCE"), 40);
    correctionLabel_[size_t(i)] = CreateLabel(bottom, label.constData(), QStringLiteral("%1.").arg(i + 1));
    correctionLabel_[size_t(i)]->setBuddy(correction_[size_t(i)]);
    pages_.Bind(correction_[size_t(i)]);
    row->addWidget(correctionLabel_[size_t(i)]);
    row->addWidget(correction_[size_t(i)]);
    KeepPlace(correction_[size_t(i)]);
    KeepPlace(correctionLabel_[size_t(i)]);
  }
  row->addStretch(1);
  // A row of its own: its caption is long in every language.
  adv2ToOut2_ = CreateCheck(bottom, "CheckBoxAdv2ToOut2");
  pages_.Bind(adv2ToOut2_);
  rows->addWidget(adv2ToOut2_, 0, Qt::AlignLeft);
  column->addWidget(bottom);

  TTab* tab = CreateMapEditor(kEditorIdentifier, 0, 0, kAdvanceEditorFlags, editorHost_);
  editorHost_->layout()->addWidget(tab);
  model_ = &tab->Model();
  BuildAdvanceSheets(*model_);
  editor_ = &pages_.AddEditor(*tab, editorHost_, [this](Image& img) { CopyAdvanceSheets(*model_, img); });
}

void TAdvancePage::Store(Image& img) {
  StoreAdvanceModes(*model_, img);
  for (int i = 0; i < 4; ++i) StoreParam(correction_[size_t(i)], img, Describe("CORR_ADVANCE"), i);
  StoreParam(baseAdv_, img, Describe("BASE_ADV"));
  StoreCheck(adv2ToOut2_, img, Adrb::ADV2TOOUT2);
  Markers m = model_->MarkerValues();
  m.baseAdvance = img[Adrb::BASE_ADV];
  pages_.SetMarkers(*editor_, m);
}

void TAdvancePage::Load(Image& img) {
  TLoadGuard& g = pages_.Guard();
  LoadParam(g, baseAdv_, img, Describe("BASE_ADV"));
  for (int i = 0; i < 4; ++i) LoadParam(g, correction_[size_t(i)], img, Describe("CORR_ADVANCE"), i);
  LoadCheck(g, adv2ToOut2_, img, Adrb::ADV2TOOUT2);
  LoadAdvanceSheets(*model_, img);
  Refresh(img);
  pages_.FlagEditors(EditorRefresh::kData);
  if (model_->MarkerValues().baseAdvance != img[Adrb::BASE_ADV]) pages_.FlagEditors(EditorRefresh::kMarkers);
}

void TAdvancePage::Refresh(Image& img) {
  const int channels = img[Adrb::CHANNEL_COUNT];
  for (int i = 0; i < 4; ++i) {
    const bool shown = i == 0 || channels > i;
    correction_[size_t(i)]->setVisible(shown);
    correctionLabel_[size_t(i)]->setVisible(shown);
  }
  Relabel(img);
}

// The corrections' word from the message table, on every page in front or not.
void TAdvancePage::Relabel(Image& /*img*/) {
  corrections_->setText(QString::fromUtf8(Msg(kMsgCorrection)));
  for (int i = 0; i < 4; ++i)
    correction_[size_t(i)]->setAccessibleName(
        QStringLiteral("%1 %2.").arg(QString::fromUtf8(Msg(kMsgCorrection))).arg(i + 1));
}

// Green while live data exist and the engine turns below the first rpm point
// of the active sheet: the base advance applies there.
void TAdvancePage::Tick(Image&, bool active) {
  if (!active) return;
  const LiveFeed& live = pages_.Live();
  const CSheet* sheet = model_->Active();
  const bool mark = live.valid && sheet && live.rpm < sheet->x.values[0] * 100;
  if (mark == liveMark_) return;
  liveMark_ = mark;
  QPalette p = baseAdvLabel_->palette();
  p.setColor(QPalette::Window,
             mark ? kLiveGreen : baseAdvLabel_->parentWidget()->palette().color(QPalette::Window));
  baseAdvLabel_->setPalette(p);
}

}  // namespace ign
