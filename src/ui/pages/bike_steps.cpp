// TBikePage: store, load and refresh, the typed tachometer texts and the bike
// selector.
#include <QLineEdit>
#include <algorithm>

#include "core/params/lobe.h"
#include "core/params/value.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "ui/pages/bike_page.h"
#include "ui/pages/binding.h"
#include "ui/pages/pages.h"
#include "ui/pages/question_box.h"

namespace ign {

namespace {

constexpr int kMsgDefaultSetting = 34;  // "Do you want default setting?"
constexpr int kPulsesPickup1 = -1, kPulsesPickup2 = -2;

// The up-down of a merged edit pair: its buttons show with the up-down.
void ShowPair(TUpDown* u, bool editVisible, bool editEnabled, bool upDownVisible) {
  u->setVisible(editVisible);
  u->setEnabled(editEnabled);
  u->setButtonSymbols(upDownVisible ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
}

void Show(QWidget* w, bool visible, bool enabled = true) {
  w->setVisible(visible);
  w->setEnabled(enabled);
}

}  // namespace

void TBikePage::Store(Image& img) {
  using namespace Adrb;
  // 1.
  StoreComboValue(bike_, img, BIKE);
  StoreParam(rpmPulses_, img, Describe("RPM_PULSES"));
  StoreParam(rpmCorrection_, img, Describe("RPM_CORRECTION"));
  StoreRadioIndex(polarity_[0], img, PICKUP1_POLARITY);
  StoreRadioIndex(polarity_[1], img, PICKUP2_POLARITY);
  StoreCheck(interchange_, img, PICKUPS_INTERCHANGE);
  StoreCheck(noLobeCheck_, img, NO_LOBE_CHECK);
  StoreCheck(interlock_, img, INTERLOCK_INPUT);
  StoreCheck(sparkBefore_, img, SPARK_BEFORE_LOBE);
  StoreCheck(specStart_, img, SPECIAL_START);
  StoreParam(specStartPerc_, img, Describe("SPECIAL_START_PERC"));
  StoreCheck(flywheel_, img, FLYWHEEL_OPERATION);
  StoreCheck(specDwell_, img, SPECIAL_DWELL_START);
  StoreComboValue(fourStroke_, img, FOUR_STROKE);
  StoreComboValue(syncPolarity_, img, SYNC_POLARITY);
  StoreParam(compensation_, img, Describe("COMPENSATION"));
  StoreComboValue(system_, img, PICKUP_SYSTEM);
  StoreParam(lobeCount_, img, Describe("LOBE_COUNT"));
  StoreParam(channelCount_, img, Describe("CHANNEL_COUNT"));
  StoreParam(maxLobeLen_, img, Describe("MAX_LOBE_LEN"));
  StoreParam(revWithout_, img, Describe("REV_WITHOUT_IGNITION"));
  // 2. With the wide encoding bit 0x80 is lobe bit 6: the hidden "2nd
  // Pick-up" boxes are not stored there.
  const int system = img[PICKUP_SYSTEM];
  const bool wide = IsWideLobeSystem(system);
  img[FOUR_STROKE_2ND_TURN] = 0;
  for (int ch = 0; ch < 4; ++ch) {
    const Channel& c = channels_[size_t(ch)];
    auto encode = [wide](const LobeRow& l) {
      return EncodeLobe({l.edit->value(), l.secondEdge->isChecked(), !wide && l.secondPickup->isChecked()},
                        wide);
    };
    img[size_t(PICKUP1_LOBES + ch)] = encode(c.start);
    img[size_t(PICKUP2_LOBES + ch)] = encode(c.end);
    if (c.secondTurn->isChecked()) img[FOUR_STROKE_2ND_TURN] |= uint8_t(1u << ch);
  }
  // 3. Many-lobe systems take the second edge of channel 1's first lobe everywhere.
  ShareFirstLobeEdge(&img[PICKUP1_LOBES], system);
  // 4.
  StoreComboValue(geberMode_, img, GEBER_MODE);
  // 5. A preset bike has no lobe check, interlock or early spark.
  if (img[BIKE] != 255) {
    img[NO_LOBE_CHECK] = img[INTERLOCK_INPUT] = img[SPARK_BEFORE_LOBE] = 0;
    for (QCheckBox* c : {noLobeCheck_, interlock_, sparkBefore_}) SetCheck(pages_.Guard(), c, false);
  }
}

void TBikePage::Load(Image& img) {
  using namespace Adrb;
  TLoadGuard& g = pages_.Guard();
  LoadComboValue(g, bike_, img, BIKE);
  LoadParam(g, rpmPulses_, img, Describe("RPM_PULSES"));
  LoadParam(g, rpmCorrection_, img, Describe("RPM_CORRECTION"));
  LoadRadioIndex(g, polarity_[0], img, PICKUP1_POLARITY);
  LoadRadioIndex(g, polarity_[1], img, PICKUP2_POLARITY);
  LoadCheck(g, interchange_, img, PICKUPS_INTERCHANGE);
  LoadCheck(g, noLobeCheck_, img, NO_LOBE_CHECK);
  LoadCheck(g, interlock_, img, INTERLOCK_INPUT);
  LoadCheck(g, sparkBefore_, img, SPARK_BEFORE_LOBE);
  LoadCheck(g, specStart_, img, SPECIAL_START);
  LoadParam(g, specStartPerc_, img, Describe("SPECIAL_START_PERC"));
  LoadCheck(g, flywheel_, img, FLYWHEEL_OPERATION);
  LoadCheck(g, specDwell_, img, SPECIAL_DWELL_START);
  LoadComboValue(g, fourStroke_, img, FOUR_STROKE);
  LoadComboValue(g, syncPolarity_, img, SYNC_POLARITY);
  LoadParam(g, compensation_, img, Describe("COMPENSATION"));
  LoadComboValue(g, system_, img, PICKUP_SYSTEM);
  const int system = img[PICKUP_SYSTEM];
  const bool wide = IsWideLobeSystem(system);
  g.Run([&] {
    lobeCount_->setMaximum(wide ? 120 : 58);
    channelCount_->setMaximum(4);
  });
  LoadParam(g, lobeCount_, img, Describe("LOBE_COUNT"));
  LoadParam(g, channelCount_, img, Describe("CHANNEL_COUNT"));
  LoadParam(g, maxLobeLen_, img, Describe("MAX_LOBE_LEN"));
  LoadParam(g, revWithout_, img, Describe("REV_WITHOUT_IGNITION"));
  const int lobes = std::max<int>(1, img[LOBE_COUNT]);
  const Lobe first = DecodeLobe(img[PICKUP1_LOBES], wide);
  for (int ch = 0; ch < 4; ++ch) {
    Channel& c = channels_[size_t(ch)];
    auto load = [&](LobeRow& l, uint8_t b) {
      const Lobe lobe = DecodeLobe(b, wide);
      g.Run([&] { l.edit->setMaximum(lobes); });
      SetUpDownValue(g, l.edit, lobe.number);
      SetCheck(g, l.secondEdge, IsManyLobeSystem(system) ? first.secondEdge : lobe.secondEdge);
      SetCheck(g, l.secondPickup, lobe.secondPickup);
    };
    load(c.start, img[size_t(PICKUP1_LOBES + ch)]);
    load(c.end, img[size_t(PICKUP2_LOBES + ch)]);
    SetCheck(g, c.secondTurn, (img[FOUR_STROKE_2ND_TURN] >> ch) & 1);
  }
  LoadComboValue(g, geberMode_, img, GEBER_MODE);
  Refresh(img);
}

void TBikePage::Refresh(Image& img) {
  using namespace Adrb;
  const bool u = img[BIKE] == 255;
  const int s = img[PICKUP_SYSTEM];
  const bool none = s == 0 || s == 19;
  const bool twoPickups = s == 0 || s == 4 || s == 9 || s == 17 || s == 18;
  const bool cam = s == 6 || s == 11 || s == 12;
  const bool full = s == 7 || s == 16;
  const bool many = IsManyLobeSystem(s);
  const bool lobeStart = s == 19;
  const bool camGap = s == 12;
  const int channels = img[CHANNEL_COUNT];
  const int fourStroke = img[FOUR_STROKE];

  for (TRadioGroup* group : polarity_)
    if (group->Count() == 2) AddChoice(group, QStringLiteral("Auto"), 2);
  // The index may have named Auto before the item existed.
  LoadRadioIndex(pages_.Guard(), polarity_[0], img, PICKUP1_POLARITY);
  LoadRadioIndex(pages_.Guard(), polarity_[1], img, PICKUP2_POLARITY);
  Show(polarity_[0], true);
  Show(polarity_[1], twoPickups || none || cam || s == 14);
  Show(noLobeCheck_, u && !many);
  Show(interlock_, u && none);
  Show(sparkBefore_, u && none);
  Show(specStart_, u);
  ShowPair(specStartPerc_, u, true, u);
  Show(specStartPercLabel_, u);

  special_->setEnabled(u || none);
  QPalette palette = special_->palette();
  palette.setColor(QPalette::WindowText, u ? QColor(0, 0, 0) : QColor(0x80, 0x80, 0x80));
  special_->setPalette(palette);
  Show(systemLabel_, true, u);
  Show(system_, true, u);
  ShowPair(lobeCount_, !full, u && !full && !none, u && !full && !none);
  Show(lobeCountLabel_, !full, u);
  ShowPair(channelCount_, !full, (u && !full) || none, (u || none) && !full);
  Show(channelCountLabel_, !full, u || none);
  Show(headings_[0], !full, u);
  Show(headings_[1], !full, u);
  Show(headings_[2], !full && (twoPickups || none || lobeStart));
  Show(headings_[3], fourStroke == 1 || fourStroke == 2, u);
  Show(headings_[4], fourStroke == 2, u);
  Show(fullSyncLabel_, full);
  for (int ch = 0; ch < 4; ++ch) {
    Channel& c = channels_[size_t(ch)];
    Show(c.box, !full && (ch == 0 || channels > ch), u);
    Show(c.start.label, true, u);
    ShowPair(c.start.edit, true, u && !none, u && !none);
    Show(c.end.label, !lobeStart, u);
    ShowPair(c.end.edit, !lobeStart, u && !none, u && !none && !lobeStart);
    Show(c.start.secondEdge, true, u && (!many || ch == 0));
    Show(c.end.secondEdge, !lobeStart, u && !many);
    Show(c.start.secondPickup, twoPickups || none, u && !many && !camGap);
    Show(c.end.secondPickup, !lobeStart && (twoPickups || none), u && !many && !camGap);
    Show(c.fullSync, fourStroke == 1 || fourStroke == 2, u);
    Show(c.secondTurn, fourStroke == 2, u);
  }
  Show(fourStroke_, true, u);
  Show(fourStrokeLabel_, true, u);
  Show(geberMode_, true, u);
  ShowPair(compensation_, true, u, true);
  Show(compensationLabel_, true, u);
  const bool correction = img[RPM_PULSES] < 240;
  ShowPair(rpmCorrection_, correction, true, correction);
  Show(rpmCorrectionLabel_, correction);
  revWithoutLabel_->setText(QString::fromUtf8(LngStr(
      s == 10 ? "###Revolutions with collective ignitions##Umdrehungen mit kollektiver Zündungen##Počet "
                "otáček s kolektivními zápaly"
              : "###Revolutions without ignition##Umdrehungen ohne Zündung##Počet otáček bez zápalu")));
}

// "-1" and "-2" typed into the tachometer pulses become "pickup 1" and
// "pickup 2" on the next tick; the change settles like an up-down click.
void TBikePage::Tick(Image& img, bool) {
  const QString text = rpmPulses_->EditText().trimmed();
  const int value = text == QLatin1String("-1")   ? kPulsesPickup1
                    : text == QLatin1String("-2") ? kPulsesPickup2
                                                  : 0;
  if (!value) return;
  SetUpDownValue(pages_.Guard(), rpmPulses_, value);
  img[Adrb::RPM_PULSES] = uint8_t(value);
  pages_.NoteChange(rpmPulses_, ChangeKind::Stepping);
}

void TBikePage::ComboBoxBikeChange() {
  if (pages_.Guard().Active() || bike_->currentIndex() < 0) return;
  pages_.CommitPending();
  Image& img = pages_.Edited();
  IPagesHost& host = pages_.Host();
  // 1.
  const uint8_t old = img[Adrb::BIKE];
  img[Adrb::BIKE] = uint8_t(SelectedValue(bike_));
  const bool special = img[Adrb::BIKE] == 255;
  // 2.
  const Answer answer = special ? Answer::No : AskYesNoCancel(bike_->window(), Msg(kMsgDefaultSetting));
  // 3.
  if (answer == Answer::Cancel) {
    img[Adrb::BIKE] = old;
    SelectByValue(pages_.Guard(), bike_, old);
    return;
  }
  // 4.
  StoreComboValue(system_, img, Adrb::PICKUP_SYSTEM);
  host.SetBikeChanged();
  if (!special) {
    for (int i = 0; i < 8; ++i) img[size_t(Adrb::PICKUP1_LOBES + i)] = 0;
    img[Adrb::FOUR_STROKE_2ND_TURN] = 0;
    img[Adrb::GEBER_MODE] = 1;
  }
  // 5. The defaults and the preset are one commit, so one Undo brings the
  // bike before back.
  if (!special && answer == Answer::Yes) host.NewDefaults(-1);
  // 6.
  host.ApplyBikePreset();
  // 7.
  pages_.LoadPages(false);
  pages_.CommitEdit();
  if (QWidget* box = host.ProgramAfterChangeBox()) box->setFocus();
}

}  // namespace ign
