#pragma once

#include "common/core/high_res_counter.h"
#include "common/core/local_clock.h"
#include "common/core/tick_source.h"

namespace tallimo::common {

// The real clocks of the machine, from the C++ standard library.
class SystemTickSource final : public TickSource {
public:
    std::uint32_t tickMs() const override;
};

class SystemHighResCounter final : public HighResCounter {
public:
    std::int64_t counter() const override;
    std::int64_t frequency() const override;
};

class SystemLocalClock final : public LocalClock {
public:
    LocalDateTime now() const override;
};

} // namespace tallimo::common
