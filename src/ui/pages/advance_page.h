#pragma once
// The Advance Map page (TabSheetAdvance, page 3): the advance map editor with
// its two sheets, the base advance, the per-cylinder corrections and the
// choice of advance 2 for outputs 2 and 3.
//
// The editor control (TTab) sits in the container "AdvanceMapEditorHost";
// its model holds the two sheets.
#include <QCheckBox>
#include <array>
#include <memory>

#include "core/mapedit/model.h"
#include "ui/pages/controls.h"
#include "ui/pages/page.h"

namespace ign {

class TPages;
struct TEditorEntry;

class TAdvancePage : public TPage {
 public:
  explicit TAdvancePage(TPages& pages);
  ~TAdvancePage() override;
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;
  void Relabel(Image& img) override;
  // The live mark of the base advance while the page is in front.
  void Tick(Image& img, bool active) override;

  CTabModel& Model() { return *model_; }
  QWidget* EditorHost() const { return editorHost_; }
  TEditorEntry* Editor() const { return editor_; }

 private:
  TPages& pages_;
  CTabModel* model_ = nullptr;  // the editor control's
  TEditorEntry* editor_ = nullptr;
  QWidget* editorHost_ = nullptr;
  QLabel* baseAdvLabel_ = nullptr;
  TUpDown* baseAdv_ = nullptr;
  QLabel* corrections_ = nullptr;
  std::array<TUpDown*, 4> correction_{};
  std::array<QLabel*, 4> correctionLabel_{};
  QCheckBox* adv2ToOut2_ = nullptr;
  bool liveMark_ = false;
};

}  // namespace ign
