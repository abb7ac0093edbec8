#pragma once

// What a simulated decoder is and does: model, identity, the karts on the
// track and the line faults it may add on request.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tallimo::decoder::sim {

enum class DecoderModel {
    Vela1Usb,      // 2-byte passings, no replies, timed by the PC on arrival
    Vela2Usb,      // framed passings on its own clock, identification type 02
    Vela2Bluetooth // as Vela2Usb, identification type 12 hex
};

// When the karts begin to cross the line and a playback begins to flow.
enum class TrafficStart {
    Immediately,
    OnClockReset // at the first accepted clock reset, so a session sees all of it
};

struct SimulatedKart {
    int transponder = 0;            // 0..65535
    std::int64_t meanLapMs = 30000; // at least 1
    std::int64_t spreadMs = 0;      // each lap is mean +- up to spread
    // Out on the track from the moment the decoder is on, whatever the
    // traffic start: a kart being fitted with a transponder, say, that the
    // fleet window scans before any session runs.
    bool crossesBeforeStart = false;
};

struct LineFaults {
    int duplicateReports = 0;   // extra reports of a transponder within one pass
    int duplicateGapMs = 4;     // between those reports
    int noiseBytes = 0;         // stray bytes before every frame sent
    int splitEveryNthFrame = 0; // 0: never; 1: every frame goes out in two writes
    int splitGapMs = 25;        // between the two writes, longer than a poll tick
};

struct SimulatedDecoderConfig {
    DecoderModel model = DecoderModel::Vela2Usb;
    int identity = 1234;           // 0..65535, sent in the identification reply
    int clockResetRejections = 0;  // clock reset commands refused before one is accepted
    bool replyToKeepAlive = false; // false: probes are taken silently
    std::vector<SimulatedKart> karts;
    std::uint64_t seed = 1;
    LineFaults faults;
    TrafficStart trafficStart = TrafficStart::Immediately;
    std::vector<std::uint8_t> playback; // raw bytes sent as they stand
    int playbackBytesPerSecond = 960;   // line speed at 9600 baud; 0: all at once
};

// Command-line names of the models.
inline std::optional<DecoderModel> DecoderModelFromName(std::string_view name) {
    if (name == "vela1")
        return DecoderModel::Vela1Usb;
    if (name == "vela2-usb")
        return DecoderModel::Vela2Usb;
    if (name == "vela2-bluetooth")
        return DecoderModel::Vela2Bluetooth;
    return std::nullopt;
}

inline std::string_view DecoderModelName(DecoderModel model) {
    switch (model) {
    case DecoderModel::Vela1Usb:
        return "vela1";
    case DecoderModel::Vela2Usb:
        return "vela2-usb";
    case DecoderModel::Vela2Bluetooth:
        return "vela2-bluetooth";
    }
    return "vela1";
}

} // namespace tallimo::decoder::sim
