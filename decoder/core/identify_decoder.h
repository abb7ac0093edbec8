#pragma once

// Finds out which decoder answers on a port: a framed decoder replies to the
// identification query within the time limit with its type and identity; a
// counter-timed decoder never answers. The result is saved to the decoder
// settings file and the port is left open when it opened.

#include "common/core/high_res_counter.h"
#include "common/core/working_folder.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/core/serial_port.h"
#include "decoder/core/sync_frame_assembler.h"

#include <optional>
#include <string>

namespace tallimo::decoder {

inline constexpr std::int64_t kIdentificationLimitMs = 1500;

struct IdentificationReply {
    std::uint8_t type = 0;
    int decoderId = 0;
};

// The sliding 7-byte reply collector; replies of unknown types are skipped.
class IdentificationAssembler {
public:
    std::optional<IdentificationReply> feed(std::uint8_t byte);

private:
    SyncFrameAssembler m_frame{0x01, 7};
};

struct IdentificationResult {
    DecoderSettings settings;     // comPort, connected and decoderModel found
    std::optional<int> decoderId; // framed decoders only
    bool settingsSaved = false;
};

IdentificationResult IdentifyDecoder(SerialPort& port, const common::HighResCounter& counter,
                                     const common::WorkingFolder& folder,
                                     const std::string& comPort);

// "%06d", as the identity is shown to the operator.
std::string DecoderIdText(int decoderId);

} // namespace tallimo::decoder
