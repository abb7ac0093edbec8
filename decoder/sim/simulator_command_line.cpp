#include "decoder/sim/simulator_command_line.h"

#include "decoder/sim/port_link.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <iterator>

namespace tallimo::decoder::sim {
namespace {

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, Number low, Number high) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || value < low || value > high)
        return std::nullopt;
    return value;
}

// TRANSPONDER:MEAN_MS[:SPREAD_MS]
std::optional<SimulatedKart> ParseKart(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t colon = text.find(':', begin);
        parts.push_back(text.substr(begin, colon - begin));
        if (colon == std::string_view::npos)
            break;
        begin = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto transponder = ParseNumber<int>(parts[0], 0, 0xFFFF);
    const auto mean = ParseNumber<std::int64_t>(parts[1], 1, 86400000);
    const auto spread = parts.size() == 3 ? ParseNumber<std::int64_t>(parts[2], 0, 86400000)
                                          : std::optional<std::int64_t>(0);
    if (!transponder || !mean || !spread || *spread >= *mean)
        return std::nullopt;
    return SimulatedKart{*transponder, *mean, *spread};
}

} // namespace

std::string SimulatorUsage() {
    return "usage: tallimo-decoder-sim [options]\n"
           "Plays a finish-line decoder on a pseudo-terminal.\n"
           "  --model vela1|vela2-usb|vela2-bluetooth   decoder model (vela2-usb)\n"
           "  --identity N              identity in the identification reply, 0..65535 (1234)\n"
           "  --working-folder DIR      folder holding ports/\n"
           "  --port COMn               link DIR/ports/COMn (1..99) to the pty\n"
           "  --kart T:MEAN[:SPREAD]    a kart: transponder, mean lap ms, spread ms (repeatable)\n"
           "  --seed N                  seed of laps and faults (1)\n"
           "  --start-on-reset          karts and playback start at the accepted clock reset\n"
           "  --reject-clock-reset N    refuse the first N clock reset commands\n"
           "  --keep-alive-reply        answer keep-alive probes (silent otherwise)\n"
           "  --duplicates N            extra reports of each pass\n"
           "  --duplicate-gap MS        between those reports (4)\n"
           "  --noise N                 stray bytes before every frame\n"
           "  --split-every N           send every Nth frame in two writes\n"
           "  --split-gap MS            between those writes (25)\n"
           "  --playback FILE           send the raw bytes of FILE\n"
           "  --playback-rate N|max     bytes per second (960)\n"
           "  --record FILE             write every byte sent to FILE\n"
           "  --vanish-after MS         close the pty MS after start\n"
           "  --back-after MS           come back on a new pty MS after vanishing\n"
           "  --remove-link-on-vanish   remove the link when vanishing (left dangling otherwise)\n"
           "  --help                    this text\n";
}

SimulatorCommandLine ParseSimulatorCommandLine(const std::vector<std::string_view>& arguments) {
    SimulatorCommandLine result;
    SimulatorOptions options;
    SimulatedDecoderConfig& decoder = options.host.decoder;
    constexpr std::int64_t kDay = 86400000;

    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        const auto flag = [&](std::string_view name) { return option == name; };
        if (flag("--help")) {
            result.helpAsked = true;
            return result;
        }
        if (flag("--start-on-reset")) {
            decoder.trafficStart = TrafficStart::OnClockReset;
            continue;
        }
        if (flag("--keep-alive-reply")) {
            decoder.replyToKeepAlive = true;
            continue;
        }
        if (flag("--remove-link-on-vanish")) {
            options.host.removeLinkOnVanish = true;
            continue;
        }
        constexpr std::string_view kValueOptions[] = {"--model",
                                                      "--identity",
                                                      "--working-folder",
                                                      "--port",
                                                      "--kart",
                                                      "--seed",
                                                      "--reject-clock-reset",
                                                      "--duplicates",
                                                      "--duplicate-gap",
                                                      "--noise",
                                                      "--split-every",
                                                      "--split-gap",
                                                      "--playback",
                                                      "--playback-rate",
                                                      "--record",
                                                      "--vanish-after",
                                                      "--back-after"};
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), option) ==
            std::end(kValueOptions))
            return fail("unknown option " + std::string(option));
        if (i + 1 >= arguments.size())
            return fail("missing value after " + std::string(option));
        const std::string_view value = arguments[++i];
        const auto bad = [&] {
            return fail("bad value for " + std::string(option) + ": " + std::string(value));
        };
        const auto count = [&](int high) { return ParseNumber<int>(value, 0, high); };
        const auto duration = [&] { return ParseNumber<std::int64_t>(value, 0, kDay); };

        if (flag("--model")) {
            const auto model = DecoderModelFromName(value);
            if (!model)
                return bad();
            decoder.model = *model;
        } else if (flag("--identity")) {
            const auto identity = count(0xFFFF);
            if (!identity)
                return bad();
            decoder.identity = *identity;
        } else if (flag("--working-folder")) {
            options.host.workingFolder = std::string(value);
        } else if (flag("--port")) {
            if (!PortLink::isValidPortName(value))
                return bad();
            options.host.port = std::string(value);
        } else if (flag("--kart")) {
            const auto kart = ParseKart(value);
            if (!kart)
                return bad();
            decoder.karts.push_back(*kart);
        } else if (flag("--seed")) {
            const auto seed = ParseNumber<std::uint64_t>(value, 0, UINT64_MAX);
            if (!seed)
                return bad();
            decoder.seed = *seed;
        } else if (flag("--reject-clock-reset")) {
            const auto n = count(1000000);
            if (!n)
                return bad();
            decoder.clockResetRejections = *n;
        } else if (flag("--duplicates")) {
            const auto n = count(100);
            if (!n)
                return bad();
            decoder.faults.duplicateReports = *n;
        } else if (flag("--duplicate-gap")) {
            const auto n = count(10000);
            if (!n)
                return bad();
            decoder.faults.duplicateGapMs = *n;
        } else if (flag("--noise")) {
            const auto n = count(1000);
            if (!n)
                return bad();
            decoder.faults.noiseBytes = *n;
        } else if (flag("--split-every")) {
            const auto n = count(1000000);
            if (!n)
                return bad();
            decoder.faults.splitEveryNthFrame = *n;
        } else if (flag("--split-gap")) {
            const auto n = count(10000);
            if (!n)
                return bad();
            decoder.faults.splitGapMs = *n;
        } else if (flag("--playback")) {
            options.host.playbackPath = std::string(value);
        } else if (flag("--playback-rate")) {
            const auto rate =
                value == "max" ? std::optional<int>(0) : ParseNumber<int>(value, 1, 1 << 30);
            if (!rate)
                return bad();
            decoder.playbackBytesPerSecond = *rate;
        } else if (flag("--record")) {
            options.host.recordPath = std::string(value);
        } else if (flag("--vanish-after")) {
            options.vanishAfterMs = duration();
            if (!options.vanishAfterMs)
                return bad();
        } else if (flag("--back-after")) {
            options.backAfterMs = duration();
            if (!options.backAfterMs)
                return bad();
        }
    }
    if (!options.host.port.empty() && options.host.workingFolder.empty())
        return fail("--port needs --working-folder");
    if (options.backAfterMs && !options.vanishAfterMs)
        return fail("--back-after needs --vanish-after");
    result.options = std::move(options);
    return result;
}

} // namespace tallimo::decoder::sim
