#include "ui/pages/power_out_page.h"

#include "ui/pages/pages.h"

namespace ign {

void TPowerOutPage::Init(QWidget* /*sheet*/) {}
void TPowerOutPage::Store(Image& /*img*/) {}
void TPowerOutPage::Load(Image& /*img*/) {}
void TPowerOutPage::Refresh(Image& /*img*/) {}

}  // namespace ign
