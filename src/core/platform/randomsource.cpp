#include "core/platform/randomsource.h"
#include <chrono>

namespace kesto {

void RandomSource::seedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    m_engine.seed(std::uint64_t(now));
}

} // namespace kesto
