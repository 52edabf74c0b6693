#pragma once
// The unit history window: the units on the left (identity, name, last
// seen), their entries on the right (time, event, file, note; the note is
// edited in place). One entry selected shows what it changed (a Program: the
// settings it replaced against those it wrote; a Verify: the unit's against
// the editor's); two entries show the differences between the settings the
// unit held at each, in words and in a map. The buttons take the settings the
// unit held at the one selected entry (a Program: those it replaced) into the
// editor, a file or the unit.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <optional>

#include "core/history/history_recorder.h"
#include "ui/history/difference_list.h"
#include "ui/history/difference_map.h"
#include "ui/history/history_actions.h"

namespace ign {

class THistoryWindow : public QDialog {
 public:
  THistoryWindow(CHistoryRecorder& recorder, IHistoryActions& actions, QWidget* parent);

  // Units and entries again from the store (a new entry was written).
  void Reload();
  // Texts in the current language.
  void Relabel();
  // The settings the buttons act on: the one selected entry's.
  std::optional<Image> ChosenImage() const;
  // Selects entries by id (tests, and the window after a reload).
  void SelectEntries(const std::vector<int64_t>& ids);

 private:
  void FillUnits();
  void FillEntries();
  void Compare();
  void UpdateButtons();
  void NoteEdited(QTreeWidgetItem* item, int column);
  void SettingsChanged();
  std::vector<HistoryEntry> SelectedEntries() const;

  CHistoryRecorder& recorder_;
  IHistoryActions& actions_;
  QTreeWidget* units_;
  QTreeWidget* entries_;
  QLabel* compared_;
  QLabel* actsOn_;
  TDifferenceList* differences_;
  TDifferenceMap* map_;
  QPushButton* open_;
  QPushButton* saveAs_;
  QPushButton* program_;
  QPushButton* refresh_;
  QCheckBox* enabled_;
  QSpinBox* limit_;
  QLabel* limitLabel_;
  bool filling_ = false;
};

}  // namespace ign
