#include "ui/pages/test_page.h"

#include "ui/pages/pages.h"

namespace ign {

void TTestPage::Init(QWidget* /*sheet*/) {}
void TTestPage::Store(Image& /*img*/) {}
void TTestPage::Load(Image& /*img*/) {}
void TTestPage::Refresh(Image& /*img*/) {}

}  // namespace ign
