// Typed values are never changed without a word: a number beyond a control's
// limits is taken as the nearest limit, a value the image keeps in steps
// shows the stored value at once, and either way the field flashes and the
// status line says what was typed and what was stored.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/text/lngstr.h"
#include "pages_fixture.h"
#include "ui/mapedit/map_editor.h"

namespace ign {
namespace {

using test::PagesFixture;

class TypedValuesFixture : public PagesFixture {
 protected:
  // Key presses as the keyboard sends them: each goes through the edit's
  // validator, which refuses what it refuses keystroke by keystroke.
  static void KeyIn(QWidget* w, const QString& text) {
    for (QChar c : text) {
      int key = c.unicode();
      if (c.isLetter()) key = Qt::Key_A + (c.toUpper().unicode() - 'A');
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &release);
    }
  }
  enum class Commit { Enter, FocusLoss };
  // Types text over the whole field and commits it.
  void TypeAndCommit(TUpDown* u, const QString& text, Commit how) {
    QApplication::setActiveWindow(form_.get());
    u->setFocus();
    u->findChild<QLineEdit*>()->selectAll();
    KeyIn(u, text);
    ASSERT_EQ(u->EditText(), text) << "a keystroke was dropped";
    if (how == Commit::Enter) {
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(u, &enter);
    } else {
      QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
      QApplication::sendEvent(u, &out);
    }
  }
  // Status slot 2 in English; empty when it shows nothing.
  std::string Note() {
    CStatusSlots& s = form_->Status();
    if (!s.IsShown(Slot::Result) || !s.Text(Slot::Result)) return {};
    return CPackedText(s.Text(Slot::Result)).Resolve(LNG_ENGLISH);
  }
  void ClearNote() { form_->Status().ShowStatus(Slot::Result, nullptr, 0, Colour::None, Colour::None, 10); }
  bool FlashEnds(TUpDown* u) {
    return test::WaitFor([&] { return !u->Flashing(); }, 3000);
  }
};

TEST_F(TypedValuesFixture, LimiterTypedBeyondItsRangeOrBetweenStepsShowsAndStoresWhatItBecame) {
  TMainForm& f = StartOn(Page::Misc);
  f.show();
  TUpDown* limiter = UpDown("EditLimiter");
  struct Case {
    const char* typed;
    Commit how;
    int shown;
    const char* text;  // the field afterwards
    const char* note;  // empty: stored as typed
  };
  const Case cases[] = {
      {"11550", Commit::Enter, 11500, "11,500", "Limiter [rpm]: 11550 stored as 11,500 (steps of 100)"},
      {"25500", Commit::Enter, 25000, "25,000",
       "Limiter [rpm]: 25500 is outside 1,000 … 25,000; set to 25,000"},
      {"99999", Commit::FocusLoss, 25000, "25,000",
       "Limiter [rpm]: 99999 is outside 1,000 … 25,000; set to 25,000"},
      {"500", Commit::FocusLoss, 1000, "1,000", "Limiter [rpm]: 500 is outside 1,000 … 25,000; set to 1,000"},
      {"12,000", Commit::Enter, 12000, "12,000", ""},
      {"9000", Commit::FocusLoss, 9000, "9,000", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(FlashEnds(limiter));
    ClearNote();
    TypeAndCommit(limiter, QString::fromUtf8(c.typed), c.how);
    EXPECT_EQ(limiter->value(), c.shown);
    EXPECT_EQ(limiter->EditText(), QString::fromUtf8(c.text));
    EXPECT_EQ(Img()[Adrb::LIMITER] * 100, c.shown);  // the image holds what is shown
    EXPECT_EQ(Note(), c.note);
    EXPECT_EQ(limiter->Flashing(), *c.note != 0);
  }
  // The flash is brief: the field gets its own colours back.
  TypeAndCommit(limiter, QStringLiteral("30000"), Commit::Enter);
  EXPECT_TRUE(limiter->Flashing());
  EXPECT_NE(limiter->palette().color(QPalette::Base),
            limiter->parentWidget()->palette().color(QPalette::Base));
  EXPECT_TRUE(FlashEnds(limiter));
  EXPECT_EQ(limiter->palette().color(QPalette::Base),
            limiter->parentWidget()->palette().color(QPalette::Base));
}

TEST_F(TypedValuesFixture, OtherControlsClampToTheirOwnRangesAndKeepTheirNamedValues) {
  TMainForm& f = StartOn(Page::Bike);
  f.show();
  Img()[Adrb::RPM_PULSES] = 2;
  Img()[Adrb::CHANNEL_COUNT] = 1;
  // Inputs for the quickshift and the retard: their fields are shown.
  Img()[Adrb::INPUT_FUNCTION] = 3;
  Img()[Adrb::INPUT_FUNCTION + 1] = 5;
  f.CommitImageChange();
  struct Case {
    int page;
    const char* control;
    const char* typed;
    int shown;
    int adrb;
    int stored;        // the byte in the image
    const char* note;  // the part after the control's name; empty: none
  };
  const Case cases[] = {
      {Page::Bike, "EditRpmKorekce", "75", 60, Adrb::RPM_CORRECTION, 160,
       "75 is outside -60 … 60; set to 60"},
      {Page::Bike, "EditRpmKorekce", "-75", -60, Adrb::RPM_CORRECTION, 40,
       "-75 is outside -60 … 60; set to -60"},
      {Page::Advance, "EditKorAdv1", "-45", -30, Adrb::CORR_ADVANCE, 70,
       "-45 is outside -30 … 30; set to -30"},
      {Page::Misc, "EditRetard", "-5", 0, Adrb::RETARD, 0, "-5 is outside 0 … 60; set to 0"},
      {Page::Misc, "EditClutchTime", "1247", 1245, Adrb::CLUTCH_TIME, 249,
       "1247 stored as 1,245 (steps of 5)"},
      {Page::Misc, "EditClutchTime", "1252", 1250, Adrb::CLUTCH_TIME, 250,
       "1252 is outside 0 … 1,250; set to 1,250"},
      {Page::Bike, "EditRpmPulsu", "pickup 1", -1, Adrb::RPM_PULSES, 255, ""},
      {Page::Bike, "EditRpmPulsu", "-3", -2, Adrb::RPM_PULSES, 254, "-3 is outside -2 … 12; set to pickup 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " " + c.typed);
    f.ShowPage(c.page);
    TUpDown* u = UpDown(c.control);
    ASSERT_TRUE(FlashEnds(u));
    ClearNote();
    TypeAndCommit(u, QString::fromUtf8(c.typed), Commit::Enter);
    EXPECT_EQ(u->value(), c.shown);
    EXPECT_EQ(Img()[size_t(c.adrb)], c.stored);
    const std::string note = Note();
    if (*c.note) {
      // The control's label names it, then what happened.
      EXPECT_NE(note.find(": " + std::string(c.note)), std::string::npos) << note;
      EXPECT_GT(note.find(": "), 0u) << note;
    } else {
      EXPECT_EQ(note, "");
    }
    EXPECT_EQ(u->Flashing(), *c.note != 0);
  }
}

TEST_F(TypedValuesFixture, TextThatIsNoNumberKeepsTheValueAndSaysSo) {
  TMainForm& f = StartOn(Page::Misc);
  f.show();
  Img()[Adrb::INPUT_FUNCTION + 1] = 5;  // the retard input: its field is shown
  f.CommitImageChange();
  TUpDown* retard = UpDown("EditRetard");
  ASSERT_TRUE(retard->isVisible());
  const int before = retard->value();
  // Letters are refused as they are typed; a lone minus sign is kept until Enter.
  QApplication::setActiveWindow(&f);
  retard->setFocus();
  retard->findChild<QLineEdit*>()->selectAll();
  KeyIn(retard, QStringLiteral("x-"));
  EXPECT_EQ(retard->EditText(), "-");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(retard, &enter);
  EXPECT_EQ(retard->value(), before);
  EXPECT_EQ(retard->EditText(), QString::number(before));
  EXPECT_EQ(Note(), "Retard [°]: \"-\" is not a number; kept " + std::to_string(before));
  EXPECT_TRUE(retard->Flashing());
}

TEST_F(TypedValuesFixture, MapCellTypedBeyondItsLimitsIsToldInTheStatusLine) {
  TMainForm& f = StartOn(Page::Advance);
  f.show();
  CTabModel& model = Pages().PageAs<TAdvancePage>(Page::Advance)->Model();
  TTab* editor = nullptr;
  for (auto& e : Pages().Editors())
    if (&e->Model() == &model) editor = e->widget;
  ASSERT_NE(editor, nullptr);
  QApplication::setActiveWindow(&f);
  editor->setFocus();
  for (int key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_9, Qt::Key_9, Qt::Key_Return}) {
    const QString text = key == Qt::Key_9 ? QStringLiteral("9") : QString();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &press);
  }
  const CSheet& sheet = model.Sheet(model.ActiveIndex());
  const int column = 0, row = sheet.y.collapsed ? sheet.y.collapsedIndex : sheet.sel.currentY;
  EXPECT_EQ(sheet.Cell(column, row), 60);
  EXPECT_EQ(Img()[size_t(Adrb::ADVANCE + kMapCols * row + column)], 160);  // the page took the clamped value
  EXPECT_EQ(Note(), "Advance 1: 99 is outside -30 … 60; set to 60");
  EXPECT_TRUE(editor->Flashing());
}

}  // namespace
}  // namespace ign
