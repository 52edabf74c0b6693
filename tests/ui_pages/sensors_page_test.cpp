// The Sensors page.
#include <gtest/gtest.h>

#include "tests/ui_pages/pages_fixture.h"
