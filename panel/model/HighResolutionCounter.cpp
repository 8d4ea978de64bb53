#include "panel/model/HighResolutionCounter.h"

#include "sdk/errors.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

namespace quennet {

#ifdef _WIN32
std::int64_t read_performance_counter() {
    LARGE_INTEGER now;
    if (!QueryPerformanceCounter(&now)) throw sonavel::exception_not_implemented();
    return now.QuadPart;
}

std::int64_t performance_frequency() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) throw sonavel::exception_not_implemented();
    return frequency.QuadPart;
}
#else
std::int64_t read_performance_counter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::int64_t performance_frequency() { return 1'000'000'000; }
#endif

}  // namespace quennet
