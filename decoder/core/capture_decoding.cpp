#include "decoder/core/capture_decoding.h"

#include "decoder/core/decoder_frames.h"
#include "decoder/core/passing_assembler.h"
#include "session/core/session_clock.h"

namespace tallimo::decoder {

std::optional<CaptureDecoding> DecodeCapture(std::string_view model, std::string_view bytes) {
    const bool counterTimed = model == session::kModelVela1;
    if (!counterTimed && model != session::kModelVela2Usb && model != session::kModelVela2Bluetooth)
        return std::nullopt;

    CaptureDecoding decoding;
    PassingAssembler assembler;
    for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
        const auto byte = static_cast<std::uint8_t>(bytes[offset]);
        if (counterTimed) {
            if (const auto transponder = assembler.feedCounterTimed(byte))
                decoding.passings.push_back({*transponder, static_cast<std::int64_t>(offset) - 1});
        } else if (const auto framed = assembler.feedFramed(byte)) {
            decoding.passings.push_back({framed->transponder, framed->timeMs});
        }
    }
    decoding.skippedBytes = assembler.skippedBytes();
    if (counterTimed)
        decoding.skippedBytes += bytes.size() % 2;
    else
        decoding.skippedBytes += assembler.heldFramedBytes();
    return decoding;
}

std::string FormatCaptureDecoding(const CaptureDecoding& decoding) {
    std::string text;
    for (const CapturedPassing& passing : decoding.passings)
        text += TransponderText(passing.transponder) + '\t' + std::to_string(passing.timeOrOffset) +
                '\n';
    text += "skipped\t" + std::to_string(decoding.skippedBytes) + '\n';
    return text;
}

} // namespace tallimo::decoder
