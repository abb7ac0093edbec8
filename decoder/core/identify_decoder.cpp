#include "decoder/core/identify_decoder.h"

#include "decoder/core/decoder_frames.h"
#include "session/core/session_clock.h"

#include <array>

namespace tallimo::decoder {
namespace {

// A counter that stops moving would keep the wait going for ever; no port
// answers this many reads within the time limit.
constexpr int kMaximumReads = 2000000;

std::int64_t elapsedMs(const common::HighResCounter& counter, std::int64_t start) {
    const std::int64_t frequency = counter.frequency();
    if (frequency <= 0)
        return kIdentificationLimitMs;
    return (counter.counter() - start) * 1000 / frequency;
}

} // namespace

std::optional<IdentificationReply> IdentificationAssembler::feed(std::uint8_t byte) {
    if (!m_frame.feed(byte))
        return std::nullopt;
    const auto& frame = m_frame.frame();
    const std::uint8_t type = frame[4];
    if (type != kIdentityTypeUsb && type != kIdentityTypeBluetooth)
        return std::nullopt;
    return IdentificationReply{type, frame[5] * 256 + frame[6]};
}

std::string DecoderIdText(int decoderId) {
    return TransponderText(decoderId);
}

IdentificationResult IdentifyDecoder(SerialPort& port, const common::HighResCounter& counter,
                                     const common::WorkingFolder& folder,
                                     const std::string& comPort) {
    IdentificationResult result;
    result.settings.comPort = comPort;
    result.settings.connected = 0;
    result.settings.decoderModel = session::kModelVela1;

    if (port.OpenComPort(comPort)) {
        std::size_t written = 0;
        port.WriteComPort(kIdentificationQuery.data(), kIdentificationQuery.size(), written);

        IdentificationAssembler assembler;
        std::optional<IdentificationReply> reply;
        std::array<std::uint8_t, kReadChunk> buffer{};
        const std::int64_t start = counter.counter();
        for (int reads = 0;
             !reply && reads < kMaximumReads && elapsedMs(counter, start) < kIdentificationLimitMs;
             ++reads) {
            std::size_t count = 0;
            if (!port.ReadComPort(buffer.data(), buffer.size(), count))
                count = 0;
            // The rest of a read is still fed: a later reply in it wins.
            for (std::size_t i = 0; i < count; ++i)
                if (auto found = assembler.feed(buffer[i]))
                    reply = found;
        }

        result.settings.connected = 1;
        if (reply) {
            result.settings.decoderModel = reply->type == kIdentityTypeBluetooth
                                               ? session::kModelVela2Bluetooth
                                               : session::kModelVela2Usb;
            result.decoderId = reply->decoderId;
        }
    }
    result.settingsSaved = SaveDecoderSettings(folder, result.settings);
    return result;
}

} // namespace tallimo::decoder
