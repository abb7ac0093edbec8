#pragma once

#include "common/core/high_res_counter.h"
#include "common/core/local_clock.h"
#include "common/core/tick_source.h"

namespace tallimo::testing {

class FakeTickSource final : public common::TickSource {
public:
    std::uint32_t tickMs() const override { return m_now; }
    void set(std::uint32_t now) { m_now = now; }
    void advance(std::uint32_t ms) { m_now += ms; }

private:
    std::uint32_t m_now = 100000;
};

class FakeHighResCounter final : public common::HighResCounter {
public:
    std::int64_t counter() const override { return m_counter; }
    std::int64_t frequency() const override { return m_frequency; }
    void set(std::int64_t counter) { m_counter = counter; }
    void advanceMs(std::int64_t ms) { m_counter += ms * m_frequency / 1000; }
    void setFrequency(std::int64_t frequency) { m_frequency = frequency; }

private:
    std::int64_t m_counter = 5000000;
    std::int64_t m_frequency = 10000000;
};

class FakeLocalClock final : public common::LocalClock {
public:
    common::LocalDateTime now() const override { return m_now; }
    void set(const common::LocalDateTime& now) { m_now = now; }

private:
    common::LocalDateTime m_now{2026, 12, 6, 14, 30, 0};
};

} // namespace tallimo::testing
