#include "common/core/system_clocks.h"

#include <chrono>
#include <ctime>

namespace tallimo::common {

std::uint32_t SystemTickSource::tickMs() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::int64_t SystemHighResCounter::counter() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

std::int64_t SystemHighResCounter::frequency() const {
    return 1000000;
}

LocalDateTime SystemLocalClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &seconds);
#else
    localtime_r(&seconds, &parts);
#endif
    LocalDateTime result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    return result;
}

} // namespace tallimo::common
