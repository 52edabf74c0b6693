#pragma once
// Fuzz body of the pick-up monitor's core: arbitrary bytes cut into streams
// (a type byte, a further byte, a length byte in 4-sample steps, the
// samples), taken into one ring, each followed by a build in its mode and a
// few measurements. An entry outside the range, a list over its cap or a
// picture lost by a build that failed aborts.
#include <cstddef>
#include <cstdint>

namespace ign::fuzz {

int PickupStreams(const uint8_t* data, size_t size);

}  // namespace ign::fuzz
