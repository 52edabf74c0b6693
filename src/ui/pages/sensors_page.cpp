#include "ui/pages/sensors_page.h"

#include "ui/pages/pages.h"

namespace ign {

void TSensorsPage::Init(QWidget* /*sheet*/) {}
void TSensorsPage::Store(Image& /*img*/) {}
void TSensorsPage::Load(Image& /*img*/) {}
void TSensorsPage::Refresh(Image& /*img*/) {}

}  // namespace ign
