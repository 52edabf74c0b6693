#pragma once
#include "core/base/clock.h"
#include "core/comm/link.h"
