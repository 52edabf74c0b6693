#include "ui/mapedit/hit_overlay.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "core/mapedit/geometry.h"
#include "core/text/lngstr.h"
#include "core/text/relabel.h"
#include "ui/mapedit/map_editor.h"

namespace ign {

namespace {

constexpr double kLongestTickSeconds = 0.5;  // a stalled tick adds no more than this

QString T(const char* packed) { return QString::fromUtf8(LngStr(packed)); }

}  // namespace

THitOverlay& THitOverlay::Of(TTab& editor) {
  if (auto* overlay = editor.findChild<THitOverlay*>(QString(), Qt::FindDirectChildrenOnly)) return *overlay;
  auto* overlay = new THitOverlay(editor);
  editor.SetOverlay(overlay);
  return *overlay;
}

THitOverlay::THitOverlay(TTab& editor) : TTabOverlay(&editor), editor_(&editor) {
  setObjectName(QStringLiteral("HitOverlay"));
  button_ = new QToolButton(&editor);
  button_->setObjectName(QStringLiteral("ButtonHitOverlay"));
  button_->setCheckable(true);
  button_->setAutoRaise(true);
  button_->setText(QStringLiteral("s"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->hide();
  connect(button_, &QToolButton::toggled, this, [this](bool on) { SetShown(on); });
  relabelId_ = RegisterRelabelStep(RelabelOrder::PageTexts, [this] { Relabel(); });
  connect(this, &QObject::destroyed, [id = relabelId_] { UnregisterRelabelStep(id); });
  Relabel();
}

void THitOverlay::Relabel() {
  const QString text =
      T("###Show the time spent in each cell##Zeit in jeder Zelle anzeigen##Zobrazit čas strávený v "
        "každé buňce");
  button_->setToolTip(text);
  button_->setAccessibleName(text);
}

void THitOverlay::MakeCounters() {
  counters_.clear();
  if (!editor_) return;
  const CTabModel& model = editor_->Model();
  for (int s = 0; s < model.SheetCount(); ++s) {
    const CSheet& sheet = model.Sheet(s);
    counters_.push_back((sheet.flags & SheetFlag::kFollowsLive) ? std::make_unique<CHitCounter>(sheet, s)
                                                                : nullptr);
  }
}

void THitOverlay::CountLog(const CLog& log, double from, double to, int sensorFallback) {
  MakeCounters();
  std::string ignored;
  for (auto& c : counters_)
    if (c) CountLogHits(log, from, to, sensorFallback, *c, ignored);
  Changed();
}

void THitOverlay::Clear() {
  counters_.clear();
  Changed();
}

bool THitOverlay::HasCounts() const {
  return std::any_of(counters_.begin(), counters_.end(), [](const auto& c) { return c != nullptr; });
}

void THitOverlay::SetShown(bool on) {
  shown_ = on;
  if (button_->isChecked() != on) button_->setChecked(on);
  Changed();
}

void THitOverlay::SetLive(bool on) {
  live_ = on;
  if (on && !HasCounts()) MakeCounters();
  since_.restart();
  Changed();
}

const CHitCounter* THitOverlay::Counter(int sheet) const {
  return sheet >= 0 && size_t(sheet) < counters_.size() ? counters_[size_t(sheet)].get() : nullptr;
}

void THitOverlay::Changed() {
  if (!editor_) return;
  button_->setVisible(HasCounts() || live_);
  editor_->RequestRepaint();
  editor_->Flush();
}

void THitOverlay::Tick(const TTab& editor) {
  if (!live_) return;
  const double seconds = std::min(kLongestTickSeconds, since_.restart() / 1000.0);
  if (counters_.size() != size_t(editor.Model().SheetCount())) MakeCounters();
  for (auto& c : counters_)
    if (c) c->Add(editor.Model().Live(), seconds);
  if (shown_) editor_->RequestRepaint();
}

QString THitOverlay::CellNote(int column, int row) const {
  if (!editor_ || !HasCounts()) return {};
  const CHitCounter* c = Counter(editor_->Model().ActiveIndex());
  if (!c || column < 0 || row < 0 || !c->Sheet().InCells(column, row)) return {};
  char buf[96];
  std::snprintf(buf, sizeof buf,
                LngStr("###%.1f s in this cell##%.1f s in dieser Zelle##%.1f s v této buňce"),
                c->Seconds(column, row));
  return QString::fromUtf8(buf);
}

QString THitOverlay::TableText() const {
  if (!editor_) return {};
  const int s = editor_->Model().ActiveIndex();
  const CHitCounter* c = Counter(s);
  if (!c) return {};
  // The table of the editor's sheet: the map kind only names it.
  return QString::fromStdString(HitTableTabs(TableOf(*c, s == 1 ? HitMap::Advance2 : HitMap::Advance1)));
}

void THitOverlay::CopyTable() const {
  const QString text = TableText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void THitOverlay::AddMenuActions(QMenu& menu) {
  if (!HasCounts() && !live_) return;
  menu.addSeparator();
  QAction* show = menu.addAction(T("###Show time in cells##Zeit in Zellen anzeigen##Zobrazit čas v buňkách"));
  show->setObjectName(QStringLiteral("MenuHitOverlay"));
  show->setCheckable(true);
  show->setChecked(shown_);
  connect(show, &QAction::triggered, this, [this](bool on) { SetShown(on); });
  QAction* live = menu.addAction(T("###Count live##Live zählen##Počítat živě"));
  live->setObjectName(QStringLiteral("MenuHitLive"));
  live->setCheckable(true);
  live->setChecked(live_);
  connect(live, &QAction::triggered, this, [this](bool on) { SetLive(on); });
  QAction* copy = menu.addAction(T("###Copy time table##Zeittabelle kopieren##Kopírovat tabulku časů"));
  copy->setObjectName(QStringLiteral("MenuHitCopy"));
  connect(copy, &QAction::triggered, this, [this] { CopyTable(); });
}

void THitOverlay::Paint(QPainter& p, const TTab& editor) {
  const Toolbar& bar = editor.ViewState().toolbar;
  button_->setGeometry(std::max(0, bar.left - 30), editor.ViewState().toolbarLine, 24, 24);
  if (!shown_ || editor.CurrentView() != View::kTable) return;
  const CHitCounter* c = Counter(editor.Model().ActiveIndex());
  const CSheet* sheet = editor.Model().Active();
  if (!c || !sheet || !sheet->Usable()) return;
  const TableLayout& t = editor.Layout();
  double most = 0;
  for (int r = sheet->ShownRowBegin(); r < sheet->ShownRowEnd(); ++r)
    for (int col = sheet->ShownColumnBegin(); col < sheet->ShownColumnEnd(); ++col)
      most = std::max(most, c->Seconds(col, r));
  if (most <= 0) return;
  p.save();
  for (int r = sheet->ShownRowBegin(); r < sheet->ShownRowEnd(); ++r) {
    if (!RowShown(t, r)) continue;
    for (int col = sheet->ShownColumnBegin(); col < sheet->ShownColumnEnd(); ++col) {
      const double s = c->Seconds(col, r);
      if (s <= 0 || !ColumnShown(t, col)) continue;
      const Rect box = CellRect(t, col, r);
      const int alpha = 40 + int(170 * s / most);
      p.fillRect(QRect(box.left + 1, box.top + 1, box.Width() - 1, box.Height() - 1),
                 QColor(255, 120, 0, alpha));
      // A bar at the cell's foot shows the share of the most visited cell.
      const int w = std::max(2, int((box.Width() - 4) * s / most));
      p.fillRect(QRect(box.left + 2, box.bottom - 4, w, 3), QColor(160, 40, 0));
    }
  }
  p.restore();
}

}  // namespace ign
