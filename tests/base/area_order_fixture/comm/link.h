#pragma once
// Lower area reaching up: refused.
#include "core/app/top.h"
