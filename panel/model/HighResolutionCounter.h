#pragma once
// The high-resolution performance counter that times fills.
#include <cstdint>

namespace quennet {

// Counter ticks now; throws "Feature not implemented" when the platform has no such counter.
std::int64_t read_performance_counter();
// Ticks per second.
std::int64_t performance_frequency();

}  // namespace quennet
