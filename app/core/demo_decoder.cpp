#include "app/core/demo_decoder.h"

#include "app/core/demo_working_folder.h"

namespace tallimo::app {

decoder::sim::DecoderSimulatorHostConfig
DemoDecoderConfig(const std::filesystem::path& workingFolder) {
    decoder::sim::DecoderSimulatorHostConfig config;
    config.decoder.model = decoder::sim::DecoderModel::Vela2Usb;
    config.decoder.identity = 4321;
    // The session's karts set off when it starts, so every lap is on the
    // board; the spare karts are out before, for the fleet scan.
    config.decoder.trafficStart = decoder::sim::TrafficStart::OnClockReset;
    for (const DemoKart& kart : DemoKarts())
        config.decoder.karts.push_back(
            {kart.transponder, kart.meanLapMs, kart.spreadMs, kart.spare});
    config.workingFolder = workingFolder;
    config.port = kDemoPort;
    return config;
}

std::unique_ptr<decoder::sim::DecoderSimulatorHost>
StartDemoDecoder(const std::filesystem::path& workingFolder, std::string& error) {
    auto host =
        std::make_unique<decoder::sim::DecoderSimulatorHost>(DemoDecoderConfig(workingFolder));
    if (!host->start()) {
        error = host->lastError();
        return nullptr;
    }
    return host;
}

} // namespace tallimo::app
