#pragma once

// What the poller's assembler finds in a raw capture of a decoder line, for
// diagnosing a misbehaving decoder and for golden tests on captured streams.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::decoder {

struct CapturedPassing {
    int transponder = 0;
    // Decoder time in ms for framed decoders; for counter-timed decoders,
    // which carry no time, the byte offset where the record began.
    std::int64_t timeOrOffset = 0;
};

struct CaptureDecoding {
    std::vector<CapturedPassing> passings;
    // Bytes dropped while looking for a frame, and a partial record at the end.
    std::uint64_t skippedBytes = 0;
};

// Nothing when `model` is not one of the three decoder model identifiers.
std::optional<CaptureDecoding> DecodeCapture(std::string_view model, std::string_view bytes);

// One line a passing ("000007\t3723000"), then "skipped\t<count>".
std::string FormatCaptureDecoding(const CaptureDecoding& decoding);

} // namespace tallimo::decoder
