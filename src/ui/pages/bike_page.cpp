// TBikePage: the controls of the Bike page and their item lists.
#include "ui/pages/bike_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/params/bike_lists.h"
#include "core/text/caption_table.h"
#include "core/text/lngstr.h"
#include "ui/pages/page_layout.h"
#include "ui/pages/pages.h"

namespace ign {

namespace {

// Names of controls without a label of their own, for screen readers.
constexpr const char* kGeberModeName =
    "###Ignitions per revolution##Zündungen pro Umdrehung##Počet zápalů za otáčku";
constexpr const char* kSyncPolarityName =
    "###Synchronisation polarity##Synchronisierungspolarität##Polarita synchronizace";
constexpr const char* kFullSyncText =
    "###Full synchronisation: no lobe setting##Vollsynchronisierung: keine Leitstückeinstellung##Plná "
    "synchronizace: bez nastavení výstupků";

constexpr int kLabelWidth = 130, kEditWidth = 48, kBoxWidth = 78;

QString Packed(const char* text) { return QString::fromUtf8(LngStr(text)); }

void Fill(QComboBox* combo, std::span<const ListItem> items) {
  ClearChoices(combo);
  for (const ListItem& item : items) AddChoice(combo, Packed(item.text), item.value);
}

TUpDown* Pair(QWidget* parent, const char* name, const char* parameter, TPages& pages) {
  TUpDown* u = CreateEditPair(parent, name);
  PlaceEditPair(u, Describe(parameter), kEditWidth);
  pages.Bind(u);
  return u;
}

QCheckBox* Check(QWidget* parent, const char* name, TPages& pages) {
  QCheckBox* c = CreateCheck(parent, name);
  pages.Bind(c);
  return c;
}

std::string Caption(const char* name) {
  const CaptionRow* row = FindCaptionRow(PageTextRows(CaptionPage::Bike), name);
  return row ? CaptionWithSuffix(*row) : std::string();
}

}  // namespace

void TBikePage::Init(QWidget* sheet) {
  auto* columns = new QHBoxLayout(sheet);
  auto* left = new QGridLayout();
  columns->addLayout(left);
  int r = 0;

  bike_ = CreateCombo(sheet, "ComboBoxBike");
  bike_->setMinimumContentsLength(16);  // the open list shows the long names whole
  AddLabelled(left, r++, 0, CreateLabel(sheet, "LabelBike", QStringLiteral("Motorbike type")), bike_);
  QObject::connect(bike_, &QComboBox::activated, &pages_, [this] { ComboBoxBikeChange(); });

  auto* rpm = new QGroupBox(sheet);
  rpm->setObjectName("GroupBoxRpm");
  auto* rpmGrid = new QGridLayout(rpm);
  rpmPulses_ = Pair(rpm, "EditRpmPulsu", "RPM_PULSES", pages_);
  rpmPulses_->SetNamedValue(-1, QStringLiteral("pickup 1"));
  rpmPulses_->SetNamedValue(-2, QStringLiteral("pickup 2"));
  rpmPulses_->setFixedWidth(90);
  AddLabelled(rpmGrid, 0, 0, CreateLabel(rpm, "LabelRpmPulsu"), rpmPulses_);
  rpmCorrection_ = Pair(rpm, "EditRpmKorekce", "RPM_CORRECTION", pages_);
  rpmCorrectionLabel_ = CreateLabel(rpm, "LabelRpmKorekce");
  AddLabelled(rpmGrid, 1, 0, rpmCorrectionLabel_, rpmCorrection_);
  for (QWidget* w : {static_cast<QWidget*>(rpmCorrection_), static_cast<QWidget*>(rpmCorrectionLabel_)})
    KeepPlace(w);
  left->addWidget(rpm, r++, 0, 1, 2);

  auto* polarities = new QHBoxLayout();
  const char* polarityNames[2] = {"RadioGroupPickup1Polarita", "RadioGroupPickup2Polarita"};
  for (int i = 0; i < 2; ++i) {
    polarity_[size_t(i)] = CreateRadioGroup(sheet, polarityNames[i]);
    for (const ListItem& item : PickupPolarityItems()) {
      // Groups are built with Plus and Minus; the refresh adds Auto.
      if (item.value < 2) AddChoice(polarity_[size_t(i)], QString::fromUtf8(item.text), item.value);
    }
    KeepPlace(polarity_[size_t(i)]);
    pages_.Bind(polarity_[size_t(i)]);
    polarities->addWidget(polarity_[size_t(i)]);
  }
  left->addLayout(polarities, r++, 0, 1, 2);

  interchange_ = Check(sheet, "CheckBoxZamenaPickup", pages_);
  noLobeCheck_ = Check(sheet, "CheckBoxNehlidaPalec", pages_);
  interlock_ = Check(sheet, "CheckBoxCrossBlock", pages_);
  sparkBefore_ = Check(sheet, "CheckBoxPredPalec", pages_);
  specStart_ = Check(sheet, "CheckBoxSpecStart", pages_);
  for (QCheckBox* c : {interchange_, noLobeCheck_, interlock_, sparkBefore_, specStart_})
    left->addWidget(c, r++, 0, 1, 2);
  specStartPerc_ = Pair(sheet, "EditSpecStartPerc", "SPECIAL_START_PERC", pages_);
  specStartPercLabel_ = CreateLabel(sheet, "LabelSpecStartPerc");
  AddLabelled(left, r++, 0, specStartPercLabel_, specStartPerc_);
  specDwell_ = Check(sheet, "CheckBoxSpecDwellByStart", pages_);
  specDwell_->setText(QStringLiteral("Special dwell by start"));
  flywheel_ = Check(sheet, "CheckBoxFlyWheelOperation", pages_);
  flywheel_->setText(QStringLiteral("Operation from the flywheel (MPPT)"));
  // Features this unit family does not offer: stored and loaded, never shown.
  specDwell_->hide();
  flywheel_->hide();
  revWithout_ = Pair(sheet, "EditRevWoIgnition", "REV_WITHOUT_IGNITION", pages_);
  revWithoutLabel_ = CreateLabel(sheet, "LabelRevWoIgnition");
  AddLabelled(left, r++, 0, revWithoutLabel_, revWithout_);
  maxLobeLen_ = Pair(sheet, "EditMaxLenLobe", "MAX_LOBE_LEN", pages_);
  QLabel* maxLobeLenLabel = CreateLabel(sheet, "LabelMaxLenLobe");
  maxLobeLenLabel->setWordWrap(true);  // long in German and Czech
  AddLabelled(left, r++, 0, maxLobeLenLabel, maxLobeLen_);
  syncPolarity_ = CreateCombo(sheet, "ComboBoxSynchPos");
  syncPolarity_->hide();
  pages_.Bind(syncPolarity_);
  left->setRowStretch(r, 1);

  special_ = new QGroupBox(sheet);
  special_->setObjectName("GroupBoxSpecial");
  columns->addWidget(special_, 1);
  auto* grid = new QGridLayout(special_);
  int s = 0;
  system_ = CreateCombo(special_, "ComboBoxSynchro");
  pages_.Bind(system_);
  systemLabel_ = CreateLabel(special_, "LabelSynchro");
  systemLabel_->setBuddy(system_);
  grid->addWidget(systemLabel_, s, 0);
  grid->addWidget(system_, s++, 1, 1, 5);
  lobeCount_ = Pair(special_, "EditPocPalcu", "LOBE_COUNT", pages_);
  lobeCountLabel_ = CreateLabel(special_, "LabelPocPalcu");
  AddLabelled(grid, s++, 0, lobeCountLabel_, lobeCount_);
  channelCount_ = Pair(special_, "EditPocKanalu", "CHANNEL_COUNT", pages_);
  channelCountLabel_ = CreateLabel(special_, "LabelPocKanalu");
  AddLabelled(grid, s++, 0, channelCountLabel_, channelCount_);
  for (QWidget* w : {static_cast<QWidget*>(lobeCount_), static_cast<QWidget*>(lobeCountLabel_),
                     static_cast<QWidget*>(channelCount_), static_cast<QWidget*>(channelCountLabel_)})
    KeepPlace(w);
  geberMode_ = CreateCombo(special_, "ComboBoxNasobekPalcu");
  pages_.Bind(geberMode_);
  grid->addWidget(geberMode_, s++, 1, 1, 5);
  fourStroke_ = CreateCombo(special_, "ComboBoxFourStrokeIgn");
  pages_.Bind(fourStroke_);
  fourStrokeLabel_ = CreateLabel(special_, "LabelFourStrokeIgn");
  fourStrokeLabel_->setWordWrap(true);
  AddLabelled(grid, s, 0, fourStrokeLabel_, fourStroke_);
  grid->addWidget(fourStroke_, s++, 1, 1, 5);
  compensation_ = Pair(special_, "EditKompenz", "COMPENSATION", pages_);
  compensationLabel_ = CreateLabel(special_, "LabelKompenz");
  AddLabelled(grid, s++, 0, compensationLabel_, compensation_);
  fullSyncLabel_ = CreateLabel(special_, "LabelFullSync");
  grid->addWidget(fullSyncLabel_, s++, 0, 1, 6);
  BuildChannels(special_, grid, s);
  grid->setColumnStretch(6, 1);
  BuildLists(pages_.Edited());
}

void TBikePage::BuildChannels(QWidget* special, QGridLayout* grid, int row) {
  // The column headings sit in a row laid out like the channel boxes below them.
  auto* header = new QWidget(special);
  auto* h = new QGridLayout(header);
  h->setContentsMargins(4, 0, 4, 0);
  const char* headings[5] = {"LabelLobe", "LabelHrana2", "LabelSnimac2", "LabelSnimac3", "LabelSnimac4"};
  for (int i = 0; i < 5; ++i) {
    headings_[size_t(i)] = CreateLabel(header, headings[i]);
    KeepPlace(headings_[size_t(i)]);
    h->addWidget(headings_[size_t(i)], 0, i + 1);
  }
  for (int col = 0; col < 6; ++col) h->setColumnMinimumWidth(col, col == 0 ? kLabelWidth - 8 : kBoxWidth);
  h->setColumnStretch(6, 1);
  grid->addWidget(header, row++, 0, 1, 7);
  auto name = [](const char* pattern, int ch) { return QString::asprintf(pattern, ch + 1).toLatin1(); };
  for (int ch = 0; ch < 4; ++ch) {
    Channel& c = channels_[size_t(ch)];
    c.box = new QGroupBox(special);
    c.box->setObjectName(QString::fromLatin1(name("GroupBoxPalec%d", ch)));
    auto* g = new QGridLayout(c.box);
    g->setContentsMargins(4, 2, 4, 2);
    auto lobe = [&](LobeRow& l, const char* part, int r) {
      l.label = CreateLabel(c.box, name((std::string("LabelPalec%d") + part).c_str(), ch).constData());
      l.edit = CreateEditPair(c.box, name((std::string("EditPalec%d") + part).c_str(), ch).constData());
      PlaceEditPair(l.edit, 1, 58, 1, kEditWidth);
      pages_.Bind(l.edit);
      l.label->setBuddy(l.edit);
      l.secondEdge =
          Check(c.box, name((std::string("CheckBoxPalec%d") + part + "H2").c_str(), ch).constData(), pages_);
      l.secondPickup =
          Check(c.box, name((std::string("CheckBoxPalec%d") + part + "P2").c_str(), ch).constData(), pages_);
      g->addWidget(l.label, r, 0);
      g->addWidget(l.edit, r, 1);
      g->addWidget(l.secondEdge, r, 2);
      g->addWidget(l.secondPickup, r, 3);
      for (QWidget* w : {static_cast<QWidget*>(l.label), static_cast<QWidget*>(l.edit),
                         static_cast<QWidget*>(l.secondEdge), static_cast<QWidget*>(l.secondPickup)})
        KeepPlace(w);
    };
    lobe(c.start, "Zac", 0);
    c.fullSync = CreateLabel(c.box, name("LabelFullSynchro%d", ch).constData(), QStringLiteral("---"));
    c.secondTurn = Check(c.box, name("CheckBoxPalec%dT2", ch).constData(), pages_);
    g->addWidget(c.fullSync, 0, 4);
    g->addWidget(c.secondTurn, 0, 5);
    KeepPlace(c.fullSync);
    KeepPlace(c.secondTurn);
    lobe(c.end, "End", 1);
    for (int col = 0; col < 6; ++col) g->setColumnMinimumWidth(col, col == 0 ? kLabelWidth - 8 : kBoxWidth);
    g->setColumnStretch(6, 1);
    grid->addWidget(c.box, row++, 0, 1, 7);
  }
  grid->setRowStretch(row, 1);
}

// The check boxes of the channel grid have no text of their own: screen
// readers read the channel, the row and the column.
void TBikePage::NameChannelBoxes() {
  const std::string headings[3] = {Caption("LabelHrana2"), Caption("LabelSnimac2"), Caption("LabelSnimac4")};
  for (int ch = 0; ch < 4; ++ch) {
    Channel& c = channels_[size_t(ch)];
    const std::string channel = Caption(c.box->objectName().toLatin1().constData());
    for (LobeRow* l : {&c.start, &c.end}) {
      const std::string row = channel + ", " + Caption(l->label->objectName().toLatin1().constData());
      l->secondEdge->setAccessibleName(QString::fromUtf8((row + ", " + headings[0]).c_str()));
      l->secondPickup->setAccessibleName(QString::fromUtf8((row + ", " + headings[1]).c_str()));
    }
    c.secondTurn->setAccessibleName(QString::fromUtf8((channel + ", " + headings[2]).c_str()));
  }
}

void TBikePage::BuildLists(const Image& img) {
  TLoadGuard& guard = pages_.Guard();
  guard.Run([&] {
    Fill(bike_, BikeItems());
    Fill(system_, PickupSystemItems());
    Fill(geberMode_, GeberModeItems());
    Fill(fourStroke_, FourStrokeItems());
    Fill(syncPolarity_, SyncPolarityItems());
  });
  geberMode_->setAccessibleName(Packed(kGeberModeName));
  syncPolarity_->setAccessibleName(Packed(kSyncPolarityName));
  fullSyncLabel_->setText(Packed(kFullSyncText));
  SelectByValue(guard, bike_, img[Adrb::BIKE]);
  SelectByValue(guard, system_, img[Adrb::PICKUP_SYSTEM]);
  SelectByValue(guard, geberMode_, img[Adrb::GEBER_MODE]);
  SelectByValue(guard, fourStroke_, img[Adrb::FOUR_STROKE]);
  SelectByValue(guard, syncPolarity_, img[Adrb::SYNC_POLARITY]);
}

void TBikePage::Relabel(Image& img) {
  BuildLists(img);
  NameChannelBoxes();
  Refresh(img);
}

}  // namespace ign
