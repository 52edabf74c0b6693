#include "ui/pages/servo_page.h"

#include "ui/pages/pages.h"

namespace ign {

void TServoPage::Init(QWidget* /*sheet*/) {}
void TServoPage::Store(Image& /*img*/) {}
void TServoPage::Load(Image& /*img*/) {}
void TServoPage::Refresh(Image& /*img*/) {}

}  // namespace ign
