#include "decoder/sim/framed_passing_encoding.h"

namespace tallimo::decoder::sim {

int FractionCounterFor(int msOfSecond) {
    // ceil(ms * 12000 / 256)
    return kFractionCounterBase + (msOfSecond * 12000 + 255) / 256;
}

FramedPassing EncodeFramedPassing(int transponder, std::int64_t timeMs) {
    if (timeMs < 0)
        timeMs = 0;
    const std::int64_t hours = (timeMs / 3600000) % 256;
    const std::int64_t minutes = (timeMs / 60000) % 60;
    const std::int64_t seconds = (timeMs / 1000) % 60;
    const int fraction = FractionCounterFor(static_cast<int>(timeMs % 1000));
    return FramedPassing{0xFF,
                         0xFF,
                         0xFF,
                         kPassingRecordTag,
                         static_cast<std::uint8_t>((transponder >> 8) & 0xFF),
                         static_cast<std::uint8_t>(transponder & 0xFF),
                         static_cast<std::uint8_t>(hours),
                         static_cast<std::uint8_t>(minutes),
                         static_cast<std::uint8_t>(seconds),
                         static_cast<std::uint8_t>(fraction >> 8),
                         static_cast<std::uint8_t>(fraction & 0xFF)};
}

} // namespace tallimo::decoder::sim
