#pragma once

#include <cstdint>

namespace tallimo::common {

// The system's millisecond tick; wraps around like a 32-bit counter, so
// callers compare ticks by unsigned difference.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual std::uint32_t tickMs() const = 0;
};

} // namespace tallimo::common
