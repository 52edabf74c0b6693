#pragma once
// The page controls and the helpers that the page steps set them with.
//
// TUpDown is an edit field with its up-down buttons in one spin box; it
// carries the edit's object name (EditLimiter). Arrow clicks, the wheel and
// the arrow keys are "stepping" and raise Stepped; typed text is taken only
// on Enter (EnterPressed, after which the focus moves on) or on focus loss
// (EditingLeft), never per keystroke. While typing any number is accepted,
// also one beyond the limits; when it is taken, a number outside the limits
// becomes the nearest limit, and LastTyped tells what was typed so that the
// pages can show what became of it. Values of 1000 and more are shown with
// the thousands separator. Named values (-1 "pickup 1") show their text.
//
// TRadioGroup is a group box of radio buttons with an item value per button.
// Every helper that sets a control does so under the loading guard, so that
// the change handlers ignore what the program itself sets.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/params/param_descriptors.h"

namespace ign {

// Set while the program itself sets controls; never left set between events.
class TLoadGuard {
 public:
  bool Active() const { return depth_ > 0; }
  // Runs f with the guard set (nests).
  template <typename F>
  void Run(F&& f) {
    ++depth_;
    f();
    --depth_;
  }

 private:
  int depth_ = 0;
};

// What the edit held when typed text was last taken.
struct TypedText {
  bool valid = false;   // text was taken and not yet looked at
  QString text;         // as typed, trimmed
  bool number = false;  // a number or a named value; else the value stayed
  qint64 value = 0;     // the number typed, before the limits
  int taken = 0;        // the position it gave
};

class TUpDown : public QSpinBox {
  Q_OBJECT

 public:
  static constexpr int kFlashMs = 600;
  static constexpr QRgb kFlashColour = 0xFFFFC850;  // amber

  explicit TUpDown(QWidget* parent = nullptr);
  // A value shown as a text instead of its number (and accepted when typed).
  void SetNamedValue(int value, const QString& text);
  // The text the edit field holds now (what the user typed, before it is taken).
  QString EditText() const;
  // Writes the position into the edit in the up-down's own format.
  void ShowValue();
  void stepBy(int steps) override;
  // The last typed text taken; TakeLastTyped also forgets it.
  const TypedText& LastTyped() const { return lastTyped_; }
  TypedText TakeLastTyped();
  // The edit's background in the flash colour for kFlashMs, then back.
  void Flash();
  bool Flashing() const { return flashing_; }
  // The number a text stands for: a named value, or digits with an optional
  // sign and thousands separators (saturated far beyond any limit).
  std::optional<qint64> ParseTyped(const QString& text) const;

 signals:
  void Stepped();
  void EnterPressed();
  // Focus loss after the user typed (leaving without typing changes nothing).
  void EditingLeft();

 protected:
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Takes the typed text: the position becomes the number, held inside the limits.
  void TakeTypedText();

  std::map<int, QString> named_;
  bool typed_ = false;  // the user typed since the text was last taken
  TypedText lastTyped_;
  bool flashing_ = false;
  QTimer* flashTimer_ = nullptr;
  QPalette normalPalette_;
  bool ownPalette_ = false;  // the palette was set before the flash
};

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);
  int Count() const { return int(buttons_.size()); }
  QRadioButton* Button(int i) const { return buttons_[size_t(i)]; }
  int Value(int i) const { return values_[size_t(i)]; }
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  void AddItem(const QString& text, int value);
  void Clear();

 signals:
  void Clicked();

 private:
  std::vector<QRadioButton*> buttons_;
  std::vector<int> values_;
  QWidget* column_ = nullptr;
};

// ---- helpers of the page steps -------------------------------------------------

// Position, under the guard; the edit then shows it in the up-down's own format.
void SetUpDownValue(TLoadGuard& guard, TUpDown* upDown, int value);
// Changes a check box only when its state differs.
void SetCheck(TLoadGuard& guard, QCheckBox* box, bool checked);
void SetRadioIndex(TLoadGuard& guard, TRadioGroup* group, int index);
// Selects the first item carrying value, or none (index -1) when no item does.
void SelectByValue(TLoadGuard& guard, TRadioGroup* group, int value);
void SelectByValue(TLoadGuard& guard, QComboBox* combo, int value);
// The value of the selected item; -1 when none is selected.
int SelectedValue(const TRadioGroup* group);
int SelectedValue(const QComboBox* combo);
void AddChoice(TRadioGroup* group, const QString& text, int value);
void AddChoice(QComboBox* combo, const QString& text, int value);
void ClearChoices(TRadioGroup* group);
void ClearChoices(QComboBox* combo);

// An edit with its up-down, named after the edit; its events go to the
// handlers the pages connect (TPages::Connect).
TUpDown* CreateEditPair(QWidget* parent, const char* editName);
void PlaceEditPair(TUpDown* upDown, int minimum, int maximum, int increment, int editWidth);
// The range and step of a described parameter.
void PlaceEditPair(TUpDown* upDown, const ParamDescriptor& d, int editWidth);
QLabel* CreateLabel(QWidget* parent, const char* name, const QString& text = {});
QCheckBox* CreateCheck(QWidget* parent, const char* name);
QComboBox* CreateCombo(QWidget* parent, const char* name);
TRadioGroup* CreateRadioGroup(QWidget* parent, const char* name);

}  // namespace ign
