#pragma once
// The Test page (TabSheet_Ladeni, page 9): test rpm and servo step, the
// proprietary words and the one-shot test buttons.
#include "ui/pages/page.h"

namespace ign {

class TPages;

class TTestPage : public TPage {
 public:
  explicit TTestPage(TPages& pages) : pages_(pages) {}
  void Init(QWidget* sheet) override;
  void Store(Image& img) override;
  void Load(Image& img) override;
  void Refresh(Image& img) override;

 private:
  TPages& pages_;
};

}  // namespace ign
