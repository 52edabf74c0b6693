#pragma once
// The difference view: two sets of settings compared in words (the editor
// against the unit after a Verify that found differences or from the
// Ignition menu, the editor against a settings file). While it is open the
// differing cells are marked in the map editors; closing it clears them.
#include <QDialog>
#include <QLabel>

#include "core/params/image.h"
#include "ui/history/difference_list.h"
#include "ui/history/history_actions.h"

namespace ign {

class TDifferenceView : public QDialog {
 public:
  TDifferenceView(IHistoryActions& actions, QWidget* parent);

  // a and b compared, the lines reading "a → b"; the titles name each side.
  void Compare(const Image& a, const Image& b, const QString& titleA, const QString& titleB);
  TDifferenceList* List() const { return list_; }

 protected:
  void done(int result) override;

 private:
  IHistoryActions& actions_;
  QLabel* caption_;
  TDifferenceList* list_;
};

}  // namespace ign
