#pragma once

#include <cstdint>

namespace tallimo::common {

// A monotonic high-resolution counter and its counts per second.
class HighResCounter {
public:
    virtual ~HighResCounter() = default;
    virtual std::int64_t counter() const = 0;
    virtual std::int64_t frequency() const = 0;
};

} // namespace tallimo::common
