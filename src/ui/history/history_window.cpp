#include "ui/history/history_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "core/history/history_words.h"
#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
constexpr int kNoteColumn = 4;

QString Q(const std::string& s) { return QString::fromUtf8(s.c_str()); }
QString L(const char* packed) { return QString::fromUtf8(LngStr(packed)); }

QString EntryTitle(const HistoryRow& r) {
  return L("###Entry##Eintrag##Záznam") + QStringLiteral(" %1").arg(r.id);
}

void Named(QWidget* w, const char* name) { w->setObjectName(QString::fromLatin1(name)); }

}  // namespace

THistoryWindow::THistoryWindow(CHistoryRecorder& recorder, IHistoryActions& actions, QWidget* parent)
    : QDialog(parent), recorder_(recorder), actions_(actions) {
  Named(this, "HistoryWindow");
  setModal(false);
  resize(980, 640);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QSplitter(Qt::Horizontal, this);
  units_ = new QTreeWidget(top);
  Named(units_, "HistoryUnits");
  units_->setColumnCount(3);
  units_->setRootIsDecorated(false);
  entries_ = new QTreeWidget(top);
  Named(entries_, "HistoryEntries");
  entries_->setColumnCount(5);
  entries_->setRootIsDecorated(false);
  entries_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  entries_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  top->addWidget(units_);
  top->addWidget(entries_);
  top->setStretchFactor(0, 2);
  top->setStretchFactor(1, 3);

  compared_ = new QLabel(this);
  Named(compared_, "HistoryCompared");
  auto* bottom = new QSplitter(Qt::Horizontal, this);
  differences_ = new TDifferenceList(bottom);
  Named(differences_, "HistoryDifferences");
  map_ = new TDifferenceMap(bottom);
  Named(map_, "HistoryMap");
  bottom->addWidget(differences_);
  bottom->addWidget(map_);
  bottom->setStretchFactor(0, 2);
  bottom->setStretchFactor(1, 3);
  bottom->setSizes({380, 570});  // the map wants the room: its rows are read across

  actsOn_ = new QLabel(this);
  Named(actsOn_, "HistoryActsOn");
  actsOn_->setWordWrap(true);
  auto* buttons = new QHBoxLayout();
  open_ = new QPushButton(this);
  Named(open_, "HistoryOpenInEditor");
  saveAs_ = new QPushButton(this);
  Named(saveAs_, "HistorySaveAs");
  program_ = new QPushButton(this);
  Named(program_, "HistoryProgram");
  refresh_ = new QPushButton(this);
  Named(refresh_, "HistoryRefresh");
  enabled_ = new QCheckBox(this);
  Named(enabled_, "HistoryEnabled");
  limitLabel_ = new QLabel(this);
  limit_ = new QSpinBox(this);
  Named(limit_, "HistoryLimit");
  limit_->setRange(HistorySettings::kMinimumLimit, 1000000);
  limit_->setSingleStep(1000);
  limit_->setGroupSeparatorShown(true);
  limitLabel_->setBuddy(limit_);
  for (QWidget* w : std::initializer_list<QWidget*>{open_, saveAs_, program_}) buttons->addWidget(w);
  buttons->addStretch(1);
  buttons->addWidget(enabled_);
  buttons->addWidget(limitLabel_);
  buttons->addWidget(limit_);
  buttons->addWidget(refresh_);

  layout->addWidget(top, 3);
  layout->addWidget(compared_);
  layout->addWidget(bottom, 4);
  layout->addWidget(actsOn_);
  layout->addLayout(buttons);

  connect(units_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!filling_) FillEntries();
  });
  connect(entries_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!filling_) Compare();
  });
  connect(entries_, &QTreeWidget::itemChanged, this, &THistoryWindow::NoteEdited);
  connect(refresh_, &QPushButton::clicked, this, &THistoryWindow::Reload);
  connect(open_, &QPushButton::clicked, this, [this] {
    if (auto image = ChosenImage()) actions_.OpenInEditor(*image);
  });
  connect(saveAs_, &QPushButton::clicked, this, [this] {
    if (auto image = ChosenImage()) actions_.SaveAs(*image);
  });
  connect(program_, &QPushButton::clicked, this, [this] {
    if (auto image = ChosenImage()) actions_.ProgramImage(*image);
  });
  connect(enabled_, &QCheckBox::toggled, this, &THistoryWindow::SettingsChanged);
  connect(limit_, &QSpinBox::editingFinished, this, &THistoryWindow::SettingsChanged);
  Relabel();
  Reload();
}

void THistoryWindow::Relabel() {
  setWindowTitle(L("###Unit history##Geräteverlauf##Historie jednotky"));
  units_->setHeaderLabels({L("###Unit##Gerät##Jednotka"), L("###Name##Name##Název"),
                           L("###Last seen##Zuletzt gesehen##Naposledy")});
  entries_->setHeaderLabels({L("###Entry##Eintrag##Záznam"), L("###Time##Zeit##Čas"),
                             L("###Event##Ereignis##Událost"), L("###File##Datei##Soubor"),
                             L("###Note##Notiz##Poznámka")});
  units_->setAccessibleName(L("###Units##Geräte##Jednotky"));
  entries_->setAccessibleName(L("###Entries of the unit##Einträge des Geräts##Záznamy jednotky"));
  differences_->setAccessibleName(L("###Differences##Unterschiede##Rozdíly"));
  map_->setAccessibleName(L("###Map with differences##Karte mit Unterschieden##Mapa s rozdíly"));
  open_->setText(L("###Open in editor##Im Editor öffnen##Otevřít v editoru"));
  saveAs_->setText(L("###Save as...##Speichern unter...##Uložit jako..."));
  program_->setText(
      L("###Program this into the unit##Dies in das Gerät programmieren##Naprogramovat do jednotky"));
  refresh_->setText(L("###Refresh##Aktualisieren##Obnovit"));
  enabled_->setText(L("###Keep a unit history##Geräteverlauf führen##Vést historii jednotky"));
  limitLabel_->setText(L("###Entries kept at most:##Höchstens behaltene Einträge:##Nejvýše záznamů:"));
  actsOn_->setText(
      L("###The buttons take the settings the unit held at the selected entry; for a Program, the "
        "settings it replaced.##Die Schaltflächen nehmen die Einstellungen, die das Gerät beim "
        "gewählten Eintrag hatte; bei einem Programmieren die ersetzten.##Tlačítka berou nastavení, "
        "které jednotka měla u vybraného záznamu; u programování to, které bylo nahrazeno."));
  for (QAbstractButton* b :
       std::initializer_list<QAbstractButton*>{open_, saveAs_, program_, refresh_, enabled_})
    b->setAccessibleName(b->text());
  limit_->setAccessibleName(limitLabel_->text());
  Compare();
}

void THistoryWindow::Reload() {
  const QSignalBlocker block(enabled_);
  const HistorySettings settings = recorder_.Store().Settings();
  enabled_->setChecked(settings.enabled);
  limit_->setValue(settings.limit);
  FillUnits();
}

void THistoryWindow::FillUnits() {
  const QString selected =
      units_->currentItem() ? units_->currentItem()->data(0, kIdRole).toString() : QString();
  filling_ = true;
  units_->clear();
  QTreeWidgetItem* keep = nullptr;
  for (const HistoryUnit& u : recorder_.Store().Units()) {
    auto* item = new QTreeWidgetItem(units_, {Q(u.identity), Q(u.name), Q(TimeWords(u.lastSeen))});
    item->setData(0, kIdRole, QString::number(u.id));
    if (item->data(0, kIdRole).toString() == selected) keep = item;
  }
  if (!keep) keep = units_->topLevelItem(0);
  if (keep) units_->setCurrentItem(keep);
  for (int c = 0; c < 3; ++c) units_->resizeColumnToContents(c);
  filling_ = false;
  FillEntries();
}

void THistoryWindow::FillEntries() {
  std::vector<int64_t> selected;
  for (QTreeWidgetItem* item : entries_->selectedItems())
    selected.push_back(item->data(0, kIdRole).toLongLong());
  filling_ = true;
  entries_->clear();
  if (QTreeWidgetItem* unit = units_->currentItem()) {
    for (const HistoryRow& r : recorder_.Store().List(unit->data(0, kIdRole).toLongLong())) {
      auto* item = new QTreeWidgetItem(entries_, {QString::number(r.id), Q(TimeWords(r.time)),
                                                  Q(EventWords(r.event, r.result)), Q(r.file), Q(r.note)});
      item->setData(0, kIdRole, qlonglong(r.id));
      item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
  }
  for (int c = 0; c < 4; ++c) entries_->resizeColumnToContents(c);
  filling_ = false;
  SelectEntries(selected);
}

void THistoryWindow::SelectEntries(const std::vector<int64_t>& ids) {
  filling_ = true;
  entries_->clearSelection();
  for (int i = 0; i < entries_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = entries_->topLevelItem(i);
    if (std::find(ids.begin(), ids.end(), item->data(0, kIdRole).toLongLong()) != ids.end())
      item->setSelected(true);
  }
  filling_ = false;
  Compare();
}

std::vector<HistoryEntry> THistoryWindow::SelectedEntries() const {
  std::vector<HistoryEntry> out;
  for (QTreeWidgetItem* item : entries_->selectedItems())
    if (auto e = recorder_.Store().Entry(item->data(0, kIdRole).toLongLong())) out.push_back(std::move(*e));
  std::sort(out.begin(), out.end(),
            [](const HistoryEntry& a, const HistoryEntry& b) { return a.row.id < b.row.id; });
  return out;
}

std::optional<Image> THistoryWindow::ChosenImage() const {
  const std::vector<HistoryEntry> chosen = SelectedEntries();
  if (chosen.size() != 1) return std::nullopt;
  return chosen[0].held ? chosen[0].held : chosen[0].given;
}

void THistoryWindow::Compare() {
  const std::vector<HistoryEntry> chosen = SelectedEntries();
  std::optional<Image> a, b;
  QString titleA, titleB;
  if (chosen.size() == 1 && chosen[0].held && chosen[0].given) {
    const bool program = chosen[0].row.event == HistoryEvent::Program;
    a = chosen[0].held;
    b = chosen[0].given;
    titleA = program ? L("###Replaced##Ersetzt##Nahrazeno") : L("###Unit##Gerät##Jednotka");
    titleB = program ? L("###Programmed##Programmiert##Naprogramováno") : L("###Editor##Editor##Editor");
  } else if (chosen.size() == 2 && chosen[0].held && chosen[1].held) {
    a = chosen[0].held;
    b = chosen[1].held;
    titleA = EntryTitle(chosen[0].row);
    titleB = EntryTitle(chosen[1].row);
  }
  if (a && b) {
    const std::vector<DifferenceLine> lines = DescribeDifferences(*a, *b);
    compared_->setText(titleA + QStringLiteral(" → ") + titleB + QStringLiteral(": ") +
                       Q(DifferenceCount(lines.size())));
    differences_->Show(lines, titleA, titleB);
    map_->Show(lines, *b);
  } else {
    compared_->setText(chosen.empty()
                           ? L("###Select one entry, or two to compare them.##Einen Eintrag wählen, "
                               "oder zwei zum Vergleichen.##Vyberte jeden záznam, nebo dva k porovnání.")
                       : chosen.size() > 2 ? L("###Select at most two entries.##Höchstens zwei "
                                               "Einträge wählen.##Vyberte nejvýše dva záznamy.")
                                           : L("###These entries hold nothing to compare.##Diese "
                                               "Einträge enthalten nichts zum Vergleichen.##Tyto "
                                               "záznamy nemají co porovnat."));
    differences_->ShowNothing(QString());
    map_->Clear();
  }
  UpdateButtons();
}

void THistoryWindow::UpdateButtons() {
  const bool one = ChosenImage().has_value();
  open_->setEnabled(one);
  saveAs_->setEnabled(one);
  program_->setEnabled(one && actions_.UnitConnected());
}

void THistoryWindow::NoteEdited(QTreeWidgetItem* item, int column) {
  if (filling_ || column != kNoteColumn) return;
  recorder_.Store().SetNote(item->data(0, kIdRole).toLongLong(), item->text(kNoteColumn).toStdString());
}

void THistoryWindow::SettingsChanged() {
  HistorySettings settings;
  settings.enabled = enabled_->isChecked();
  settings.limit = limit_->value();
  recorder_.Store().SetSettings(settings);
}

}  // namespace ign
