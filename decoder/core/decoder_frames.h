#pragma once

// The bytes exchanged with a decoder. Multi-byte fields are big-endian;
// FF FF FF is the sync prefix of every framed message.

#include <array>
#include <cstdint>
#include <string>

namespace tallimo::decoder {

using Command = std::array<std::uint8_t, 5>;

inline constexpr Command kIdentificationQuery{0xFF, 0xFF, 0xFF, 0x01, 0x02};
inline constexpr Command kKeepAliveProbe{0xFF, 0xFF, 0xFF, 0xE0, 0x04};
inline constexpr Command kClockResetCommand{0xFF, 0xFF, 0xFF, 0x02, 0x00};

// Fourth byte of the decoder's replies, after the sync prefix.
inline constexpr std::uint8_t kIdentificationReplyTag = 0x01;
inline constexpr std::uint8_t kClockResetReplyTag = 0x02;
inline constexpr std::uint8_t kPassingRecordTag = 0xF0;

// Identification reply types.
inline constexpr std::uint8_t kIdentityTypeUsb = 0x02;
inline constexpr std::uint8_t kIdentityTypeBluetooth = 0x12;

inline constexpr int kIdentificationReplySize = 7; // FF FF FF 01 type idHi idLo
inline constexpr int kClockResetReplySize = 7;     // FF FF FF 02 a b c
inline constexpr int kFramedPassingSize = 11;      // FF FF FF F0 tHi tLo h m s fHi fLo
inline constexpr int kCounterTimedPassingSize = 2; // tHi tLo

// The decoder's sub-second counter runs from this value to 65535 in one
// second (46875 steps).
inline constexpr int kFractionCounterBase = 65536 - 46875;

// Milliseconds of a framed passing record; a counter below the base gives a
// negative part, used as it is.
inline constexpr std::int64_t FramedPassingTimeMs(int hours, int minutes, int seconds,
                                                  int fractionCounter) {
    const std::int32_t ms = ((fractionCounter - kFractionCounterBase) * 256) / 12000;
    const std::int32_t total = hours * 3600000 + minutes * 60000 + seconds * 1000 + ms;
    return total;
}

// "%06d" of a 16-bit transponder number.
std::string TransponderText(int number);

} // namespace tallimo::decoder
