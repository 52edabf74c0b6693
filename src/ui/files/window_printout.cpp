#include "ui/files/window_printout.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>

namespace ign {

namespace {

std::function<void(size_t)>& ChangeHook() {
  static std::function<void(size_t)> hook;
  return hook;
}

// The map editor's print flag, a property so that this area needs no editor header.
constexpr const char* kPrintingProperty = "printing";

QTabWidget* TabsOfPage(const QWidget* w) {
  auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
  return tabs && tabs->indexOf(const_cast<QWidget*>(w)) >= 0 ? tabs : nullptr;
}

ControlFacts FactsOf(const QWidget* w) {
  ControlFacts f;
  for (const QMetaObject* m = w->metaObject(); m; m = m->superClass()) f.classes.emplace_back(m->className());
  f.pageOfTabs = TabsOfPage(w) != nullptr;
  if (auto* label = qobject_cast<const QLabel*>(w)) f.picture = !label->pixmap().isNull();
  if (auto* button = qobject_cast<const QPushButton*>(w)) f.picture = !button->icon().isNull();
  if (auto* frame = qobject_cast<const QFrame*>(w))
    f.lineShape = frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine;
  return f;
}

ControlState StateOf(const QWidget* w) {
  ControlState s;
  s.shown = !w->isHidden();
  const QColor colour = w->palette().color(QPalette::Window);
  // What an unstyled control of this kind shows in the current palette.
  const QPalette plain = QApplication::palette(w);
  s.buttonFace = colour == plain.color(QPalette::Window) || colour == plain.color(QPalette::Button);
  s.white = colour == QColor(Qt::white);
  s.filled = w->autoFillBackground();
  if (QTabWidget* tabs = TabsOfPage(w))
    s.tabShown = tabs->isTabVisible(tabs->indexOf(const_cast<QWidget*>(w)));
  if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
    s.arrows = spin->buttonSymbols() != QAbstractSpinBox::NoButtons;
  return s;
}

void SetKeepRoom(QWidget& w, bool keep) {
  QSizePolicy p = w.sizePolicy();
  if (p.retainSizeWhenHidden() == keep) return;
  p.setRetainSizeWhenHidden(keep);
  w.setSizePolicy(p);
}

void SetWindowColour(QWidget& w, const QColor& colour) {
  QPalette p = w.palette();
  p.setColor(QPalette::Window, colour);
  w.setPalette(p);
}

}  // namespace

TSavedColour SaveColour(const QWidget& w) {
  return TSavedColour{w.palette(), w.testAttribute(Qt::WA_SetPalette)};
}

void RestoreColour(QWidget& w, const TSavedColour& colour) {
  // A widget that took its parent's palette takes it again.
  w.setPalette(colour.own ? colour.palette : QPalette());
}

bool DarkPalette(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

const std::vector<const char*>& CWindowPrintout::FixedControls() {
  static const std::vector<const char*> names = {"LabelPocetProgramovani", "GroupBoxToolBar",
                                                 "CheckBoxProgHned", "LabelConnection", "LabelCongruence"};
  return names;
}

void CWindowPrintout::SetChangeHook(std::function<void(size_t)> hook) { ChangeHook() = std::move(hook); }

CWindowPrintout::CWindowPrintout(QMainWindow& window) : window_(window) {}

CWindowPrintout::~CWindowPrintout() { Restore(); }

void CWindowPrintout::Remember(CPrintObj change) {
  changes_.push_back(std::move(change));
  if (ChangeHook()) ChangeHook()(changes_.size());
}

void CWindowPrintout::Prepare() {
  if (prepared_) return;
  prepared_ = true;
  focus_ = QApplication::focusWidget();
  // Every control's kind and state first: the rule looks at the screen as
  // it is, not at what the white window passes on to its children.
  std::vector<Found> found;
  if (QWidget* central = window_.centralWidget()) Collect(central, found);

  SetWindowWhite();
  for (const char* name : FixedControls()) {
    auto* w = window_.findChild<QWidget*>(QString::fromLatin1(name));
    if (!w || w->isHidden()) continue;
    Remember(CPrintObj{
        PrintKind::kNone, PrintChange::kVisibility, {}, w, w->sizePolicy().retainSizeWhenHidden(), 0});
    SetKeepRoom(*w, true);
    w->hide();
  }
  for (const Found& f : found) Apply(f);
}

void CWindowPrintout::Collect(QWidget* parent, std::vector<Found>& out) const {
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow()) continue;
    const PrintKind kind = KindOf(FactsOf(w));
    if (WalkInto(kind)) Collect(w, out);
    const PrintAction action = PrepareRule(kind, StateOf(w));
    if (action != PrintAction::kNone) out.push_back(Found{w, kind, action});
  }
}

void CWindowPrintout::Apply(const Found& f) {
  QWidget& w = *f.widget;
  CPrintObj change{f.kind, ChangeOf(f.action), {}, &w, false, 0};
  switch (f.action) {
    case PrintAction::kMakeTransparent:
      Remember(change);
      w.setAutoFillBackground(false);
      break;
    case PrintAction::kHide:
      change.keptRoom = w.sizePolicy().retainSizeWhenHidden();
      Remember(change);
      // Hidden controls keep their room: nothing moves on paper.
      SetKeepRoom(w, true);
      w.hide();
      break;
    case PrintAction::kHideArrows: {
      auto& spin = static_cast<QAbstractSpinBox&>(w);
      change.arrows = int(spin.buttonSymbols());
      Remember(change);
      spin.setButtonSymbols(QAbstractSpinBox::NoButtons);
      break;
    }
    case PrintAction::kSetWhite:
      change.colour = SaveColour(w);
      Remember(change);
      SetWindowColour(w, Qt::white);
      break;
    case PrintAction::kSetPrintFlag:
      Remember(change);
      w.setProperty(kPrintingProperty, true);
      break;
    case PrintAction::kListTab: tabs_.emplace_back(&w); break;
    case PrintAction::kNone: break;
  }
}

void CWindowPrintout::SetWindowWhite() {
  windowColour_ = SaveColour(window_);
  QStatusBar* status = window_.statusBar();
  statusColour_ = SaveColour(*status);
  coloured_ = true;
  // A dark theme would print its light text on the white backgrounds.
  QPalette p = DarkPalette(window_.palette()) ? QPalette(QColor(0xEF, 0xEF, 0xEF)) : window_.palette();
  p.setColor(QPalette::Window, Qt::white);
  if (DarkPalette(p)) p.setColor(QPalette::WindowText, Qt::black);
  window_.setPalette(p);
  SetWindowColour(*status, Qt::white);
}

void CWindowPrintout::Restore() {
  if (!prepared_) return;
  for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
    QWidget* w = it->control.data();
    if (!w) continue;
    switch (it->change) {
      case PrintChange::kPrintFlag: w->setProperty(kPrintingProperty, false); break;
      case PrintChange::kTransparency: w->setAutoFillBackground(true); break;
      case PrintChange::kColour: RestoreColour(*w, it->colour); break;
      case PrintChange::kVisibility:
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
          spin->setButtonSymbols(QAbstractSpinBox::ButtonSymbols(it->arrows));
        } else {
          w->show();
          SetKeepRoom(*w, it->keptRoom);
        }
        break;
    }
  }
  changes_.clear();
  tabs_.clear();
  if (coloured_) {
    RestoreColour(*window_.statusBar(), statusColour_);
    RestoreColour(window_, windowColour_);
    coloured_ = false;
  }
  if (focus_ && focus_->isVisible()) focus_->setFocus(Qt::OtherFocusReason);
  prepared_ = false;
}

}  // namespace ign
