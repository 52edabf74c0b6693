#include "ui/pages/controls.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace ign {

// ---- TUpDown ------------------------------------------------------------------------

TUpDown::TUpDown(QWidget* parent) : QSpinBox(parent) {
  setKeyboardTracking(false);  // typed text is taken on Enter or focus loss only
  setGroupSeparatorShown(true);
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::DefaultNumberOptions);  // the C locale omits the separator
  setLocale(c);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void TUpDown::SetNamedValue(int value, const QString& text) { named_[value] = text; }

QString TUpDown::EditText() const { return lineEdit()->text(); }

void TUpDown::ShowValue() { lineEdit()->setText(textFromValue(value())); }

void TUpDown::stepBy(int steps) {
  const int before = value();
  typed_ = false;
  QSpinBox::stepBy(steps);
  if (value() != before) emit Stepped();
}

QString TUpDown::textFromValue(int value) const {
  if (auto it = named_.find(value); it != named_.end()) return it->second;
  // Below 1000 a separator would never show; above it the locale's one does.
  return QSpinBox::textFromValue(value);
}

namespace {

bool IsSeparator(QChar c) { return c == QLatin1Char(',') || c == QLatin1Char(' ') || c == QChar(0xA0); }

// The shape of typed text: an optional sign, then digits and group
// separators. Invalid when another character is in it; value saturates far
// beyond any limit.
enum class Shape { Invalid, NoDigits, Number };
Shape ScanNumber(const QString& t, qint64& value) {
  constexpr qint64 kSaturated = 1000000000000000;  // far beyond any limit, far inside qint64
  const bool negative = t.startsWith(QLatin1Char('-'));
  qsizetype i = negative || t.startsWith(QLatin1Char('+')) ? 1 : 0;
  value = 0;
  bool digits = false;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      digits = true;
      value = std::min(kSaturated, value * 10 + (c.unicode() - '0'));
    } else if (!IsSeparator(c)) {
      return Shape::Invalid;
    }
  }
  if (negative) value = -value;
  return digits ? Shape::Number : Shape::NoDigits;
}

}  // namespace

std::optional<qint64> TUpDown::ParseTyped(const QString& text) const {
  const QString t = text.trimmed();
  for (const auto& [value, name] : named_)
    if (t == name) return value;
  qint64 v = 0;
  if (ScanNumber(t, v) != Shape::Number) return std::nullopt;
  return v;
}

int TUpDown::valueFromText(const QString& text) const {
  const std::optional<qint64> v = ParseTyped(text);
  if (!v) return value();
  return int(std::clamp<qint64>(*v, minimum(), maximum()));
}

// Every keystroke that can be part of a number is kept, also one that takes
// the number beyond the limits: the limits apply when the text is taken.
QValidator::State TUpDown::validate(QString& text, int&) const {
  for (const auto& [value, name] : named_) {
    if (text == name) return QValidator::Acceptable;
    if (!text.isEmpty() && name.startsWith(text)) return QValidator::Intermediate;
  }
  const QString t = text.trimmed();
  if (t.size() > 25) return QValidator::Invalid;
  qint64 v = 0;
  switch (ScanNumber(t, v)) {
    case Shape::Invalid: return QValidator::Invalid;
    case Shape::NoDigits: return QValidator::Intermediate;
    case Shape::Number: break;
  }
  return QValidator::Acceptable;
}

void TUpDown::TakeTypedText() {
  TypedText t;
  t.valid = true;
  t.text = lineEdit()->text().trimmed();
  if (const std::optional<qint64> v = ParseTyped(t.text)) {
    t.number = true;
    t.value = *v;
    t.taken = int(std::clamp<qint64>(*v, minimum(), maximum()));
    setValue(t.taken);
  } else {
    t.taken = value();
  }
  ShowValue();
  typed_ = false;
  lastTyped_ = t;
}

TypedText TUpDown::TakeLastTyped() {
  TypedText t = lastTyped_;
  lastTyped_ = {};
  return t;
}

void TUpDown::Flash() {
  if (!flashTimer_) {
    flashTimer_ = new QTimer(this);
    flashTimer_->setSingleShot(true);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
      flashing_ = false;
      // An empty palette gives the inherited one back.
      setPalette(ownPalette_ ? normalPalette_ : QPalette());
    });
  }
  if (!flashing_) {
    ownPalette_ = testAttribute(Qt::WA_SetPalette);
    normalPalette_ = palette();
  }
  flashing_ = true;
  QPalette p = normalPalette_;
  p.setColor(QPalette::Base, QColor(kFlashColour));
  setPalette(p);
  flashTimer_->start(kFlashMs);
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (typed_)
      TakeTypedText();
    else
      interpretText();
    emit EnterPressed();
    if (QWidget* w = window()) {
      if (QWidget* next = nextInFocusChain()) {
        // The next control of the window that takes the focus by Tab.
        QWidget* n = next;
        while (n != this && (isAncestorOf(n) || n->focusProxy() || !(n->focusPolicy() & Qt::TabFocus) ||
                             !n->isVisible() || !n->isEnabled() || n->window() != w))
          n = n->nextInFocusChain();
        if (n != this) n->setFocus(Qt::TabFocusReason);
      }
    }
    event->accept();
    return;
  }
  QSpinBox::keyPressEvent(event);
}

void TUpDown::focusOutEvent(QFocusEvent* event) {
  const bool typed = typed_;
  if (typed) TakeTypedText();
  QSpinBox::focusOutEvent(event);
  if (typed) emit EditingLeft();
}

// ---- TRadioGroup --------------------------------------------------------------------

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(2);
}

int TRadioGroup::ItemIndex() const {
  for (int i = 0; i < Count(); ++i)
    if (buttons_[size_t(i)]->isChecked()) return i;
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (int i = 0; i < Count(); ++i) {
    QRadioButton* b = buttons_[size_t(i)];
    // Unchecking the checked button of an exclusive group needs the exclusivity off.
    b->setAutoExclusive(false);
    b->setChecked(i == index);
    b->setAutoExclusive(true);
  }
}

void TRadioGroup::AddItem(const QString& text, int value) {
  auto* b = new QRadioButton(text, this);
  b->setObjectName(objectName() + QString::number(Count()));
  layout()->addWidget(b);
  connect(b, &QRadioButton::clicked, this, &TRadioGroup::Clicked);
  buttons_.push_back(b);
  values_.push_back(value);
}

void TRadioGroup::Clear() {
  for (QRadioButton* b : buttons_) delete b;
  buttons_.clear();
  values_.clear();
}

// ---- helpers --------------------------------------------------------------------------

void SetUpDownValue(TLoadGuard& guard, TUpDown* upDown, int value) {
  guard.Run([&] {
    upDown->setValue(value);
    // The edit shows the position in the up-down's format even when the
    // position did not change but the text did (a typed, refused text).
    upDown->ShowValue();
  });
}

void SetCheck(TLoadGuard& guard, QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  guard.Run([&] { box->setChecked(checked); });
}

void SetRadioIndex(TLoadGuard& guard, TRadioGroup* group, int index) {
  if (group->ItemIndex() == index) return;
  guard.Run([&] { group->SetItemIndex(index); });
}

void SelectByValue(TLoadGuard& guard, TRadioGroup* group, int value) {
  const int now = group->ItemIndex();
  if (now >= 0 && group->Value(now) == value) return;
  int index = -1;
  for (int i = 0; i < group->Count() && index < 0; ++i)
    if (group->Value(i) == value && !group->Button(i)->text().isEmpty()) index = i;
  guard.Run([&] { group->SetItemIndex(index); });
}

void SelectByValue(TLoadGuard& guard, QComboBox* combo, int value) {
  const int now = combo->currentIndex();
  if (now >= 0 && combo->itemData(now).toInt() == value) return;
  const int index = combo->findData(value);
  guard.Run([&] { combo->setCurrentIndex(index); });
}

int SelectedValue(const TRadioGroup* group) {
  const int i = group->ItemIndex();
  return i < 0 ? i : group->Value(i);
}

int SelectedValue(const QComboBox* combo) {
  const int i = combo->currentIndex();
  return i < 0 ? i : combo->itemData(i).toInt();
}

void AddChoice(TRadioGroup* group, const QString& text, int value) { group->AddItem(text, value); }
void AddChoice(QComboBox* combo, const QString& text, int value) { combo->addItem(text, value); }
void ClearChoices(TRadioGroup* group) { group->Clear(); }
void ClearChoices(QComboBox* combo) { combo->clear(); }

TUpDown* CreateEditPair(QWidget* parent, const char* editName) {
  auto* u = new TUpDown(parent);
  u->setObjectName(editName);
  return u;
}

void PlaceEditPair(TUpDown* upDown, int minimum, int maximum, int increment, int editWidth) {
  upDown->setRange(minimum, maximum);
  upDown->setSingleStep(increment);
  upDown->setFixedWidth(editWidth + 16);  // the up-down buttons beside the edit
}

void PlaceEditPair(TUpDown* upDown, const ParamDescriptor& d, int editWidth) {
  PlaceEditPair(upDown, d.minimum, d.maximum, d.step, editWidth);
}

QLabel* CreateLabel(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

QCheckBox* CreateCheck(QWidget* parent, const char* name) {
  auto* c = new QCheckBox(parent);
  c->setObjectName(name);
  return c;
}

QComboBox* CreateCombo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  // Wide enough for a usual item; the list itself shows the longest in full,
  // so a long item in one language cannot widen the window.
  c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c->setMinimumContentsLength(24);
  c->view()->setTextElideMode(Qt::ElideNone);
  return c;
}

TRadioGroup* CreateRadioGroup(QWidget* parent, const char* name) {
  auto* g = new TRadioGroup(parent);
  g->setObjectName(name);
  return g;
}

}  // namespace ign
