#pragma once

#include "decoder/core/decoder_frames.h"

#include <array>
#include <cstdint>

namespace tallimo::decoder::sim {

using FramedPassing = std::array<std::uint8_t, kFramedPassingSize>;

// The smallest fraction counter whose decoded milliseconds are exactly
// `msOfSecond` (0..999); the decoding truncates, so rounding up is needed.
int FractionCounterFor(int msOfSecond);

// FF FF FF F0 tHi tLo h m s fHi fLo for a decoder time of `timeMs` (not
// negative); hours wrap at 256 as the byte does.
FramedPassing EncodeFramedPassing(int transponder, std::int64_t timeMs);

} // namespace tallimo::decoder::sim
