// The Sensors, Servo and Test pages, and every page in German and Czech.
#include "tests/shots/shots.h"
#include "ui/pages/pages.h"

namespace ign::shots {

int PagesIIShots(const QString& /*dir*/) {
  int failed = 0;
  return failed;
}

}  // namespace ign::shots
