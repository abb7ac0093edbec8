// Figures for the decoder link, run by scripts/measure_decoder_link.py: the
// simulator on a pseudo-terminal, the Qt serial port, identification, the
// poller and lap timing as the program runs them, on the real clocks, with
// the 10 ms tick on the event loop.
//
//   tallimo-decoder-link-measure vela1 SECONDS [--unstamped]
//   tallimo-decoder-link-measure plug-out SECONDS VANISH_MS BACK_MS

#include "common/core/system_clocks.h"
#include "decoder/core/decoder_frames.h"
#include "decoder/core/decoder_poller.h"
#include "decoder/core/identify_decoder.h"
#include "decoder/gui/qt_serial_port.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tallimo::decoder {
namespace {

constexpr int kKarts = 10;

int Transponder(int slot) {
    return 101 + slot;
}
// Distinct fixed laps, short so that a minute gives hundreds of them.
std::int64_t LapMs(int slot) {
    return 1500 + 97 * slot;
}

int Usage() {
    std::cerr << "usage: tallimo-decoder-link-measure vela1 SECONDS [--unstamped]\n"
                 "       tallimo-decoder-link-measure plug-out SECONDS VANISH_MS BACK_MS\n";
    return 2;
}

// The passing times of a kart on the board.
std::set<std::int64_t> PassingTimes(const session::SessionKart& kart) {
    std::set<std::int64_t> times;
    if (kart.trackState != session::TrackState::Timing)
        return times;
    std::int64_t at = kart.runtime.startTime;
    times.insert(at);
    for (int lap = 1; lap <= kart.lastLapIndex; ++lap)
        times.insert(at += kart.lapTimes[lap]);
    return times;
}

} // namespace
} // namespace tallimo::decoder

int main(int argc, char** argv) {
    using namespace tallimo;
    using namespace tallimo::decoder;
    QCoreApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() < 2)
        return Usage();
    const bool vela1 = arguments[0] == "vela1";
    const bool plugOut = arguments[0] == "plug-out";
    const int seconds = std::atoi(arguments[1].c_str());
    const bool unstamped = vela1 && arguments.size() == 3 && arguments[2] == "--unstamped";
    if ((!vela1 && !plugOut) || seconds <= 0 || (plugOut && arguments.size() != 4))
        return Usage();
    const int vanishMs = plugOut ? std::atoi(arguments[2].c_str()) : 0;
    const int backMs = plugOut ? std::atoi(arguments[3].c_str()) : 0;

    testing::TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    common::SystemTickSource ticks;
    common::SystemHighResCounter counter;
    QtSerialPort port(root, unstamped ? nullptr : &counter);
    testing::RecordingMessageSink messages;
    testing::RecordingSoundPlayer sounds;
    testing::RecordingNotifications notifications;
    DecoderPoller poller(port, ticks, counter, messages, sounds, notifications, root);
    session::SessionClock clock(ticks, counter, sounds, poller, notifications);
    session::LiveTiming live;

    sim::DecoderSimulatorHostConfig config;
    config.decoder.model = vela1 ? sim::DecoderModel::Vela1Usb : sim::DecoderModel::Vela2Usb;
    config.decoder.identity = 4321;
    config.decoder.trafficStart =
        vela1 ? sim::TrafficStart::Immediately : sim::TrafficStart::OnClockReset;
    for (int slot = 0; slot < kKarts; ++slot)
        config.decoder.karts.push_back({Transponder(slot), LapMs(slot), vela1 ? 0 : 200});
    config.workingFolder = folder.path();
    config.port = "COM7";
    sim::DecoderSimulatorHost host(config);
    if (!host.start()) {
        std::cerr << host.lastError() << "\n";
        return 1;
    }

    live.header.minLapSeconds = 1;
    live.session.categories[0].categoryName = "Adultes";
    for (int slot = 0; slot < kKarts; ++slot) {
        session::SessionKart& kart = live.session.kart(0, slot);
        kart.kartLabel = session::KartLabelFor(0, slot);
        kart.transponder = TransponderText(Transponder(slot));
        kart.usage = session::KartUsage::InSession;
        kart.trackState = session::TrackState::Reserved;
        kart.durationMinutes = 60;
    }
    if (IdentifyDecoder(port, counter, root, "COM7").settings.connected != 1) {
        std::cerr << "the decoder was not identified\n";
        return 1;
    }
    clock.StartPressed();

    using Clock = std::chrono::steady_clock;
    Clock::time_point backAt{};
    Clock::time_point recoveredAt{};
    std::int64_t backDecoderMs = -1;
    std::int64_t vanishDecoderMs = -1;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        poller.PollDecoder(clock, live);
        if (backDecoderMs >= 0 && recoveredAt == Clock::time_point{} && !poller.connectionLost())
            recoveredAt = Clock::now();
    });
    ticker.start(10);
    if (plugOut) {
        QTimer::singleShot(vanishMs, [&] {
            vanishDecoderMs = host.decoderClockMs();
            host.vanish();
        });
        QTimer::singleShot(vanishMs + backMs, [&] {
            host.comeBack();
            backAt = Clock::now();
            backDecoderMs = host.decoderClockMs();
        });
    }
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    QCoreApplication::exec();
    clock.PausePressed(false);
    host.stop();

    if (vela1) {
        std::vector<std::int64_t> errors;
        for (int slot = 0; slot < kKarts; ++slot) {
            const session::SessionKart& kart = live.session.kart(0, slot);
            for (int lap = 1; lap <= kart.lastLapIndex; ++lap)
                errors.push_back(std::abs(kart.lapTimes[lap] - LapMs(slot)));
        }
        if (errors.empty()) {
            std::cout << "no laps timed\n";
            return 1;
        }
        std::sort(errors.begin(), errors.end());
        const auto at = [&](std::size_t percent) {
            return errors[std::min(errors.size() - 1, errors.size() * percent / 100)];
        };
        std::cout << (unstamped ? "taken at the tick" : "stamped on arrival") << ": "
                  << errors.size() << " laps, lap-time error median " << at(50)
                  << " ms, 99th percentile " << at(99) << " ms, maximum " << errors.back()
                  << " ms\n";
        return 0;
    }

    std::map<int, std::set<std::int64_t>> timed;
    for (int slot = 0; slot < kKarts; ++slot)
        timed[Transponder(slot)] = PassingTimes(live.session.kart(0, slot));
    int sentBefore = 0, timedBefore = 0, sentAfter = 0, timedAfter = 0;
    std::vector<std::string> missing;
    for (const sim::DrivenPassing& passing : host.drivenPassings()) {
        if (passing.clockEpoch < 1 || passing.duplicate)
            continue;
        const bool isTimed = timed[passing.transponder].count(passing.decoderTimeMs) > 0;
        if (passing.decoderTimeMs < vanishDecoderMs) {
            ++sentBefore;
            timedBefore += isTimed ? 1 : 0;
        } else if (backDecoderMs >= 0 && passing.decoderTimeMs >= backDecoderMs) {
            ++sentAfter;
            timedAfter += isTimed ? 1 : 0;
            if (!isTimed)
                missing.push_back(TransponderText(passing.transponder) + " " +
                                  std::to_string(passing.decoderTimeMs - backDecoderMs) +
                                  " ms after the device was back");
        }
    }
    std::cout << "before the outage: " << timedBefore << " of " << sentBefore
              << " passings timed\n";
    if (recoveredAt != Clock::time_point{})
        std::cout
            << "recovered "
            << std::chrono::duration_cast<std::chrono::milliseconds>(recoveredAt - backAt).count()
            << " ms after the device was back\n";
    else
        std::cout << "not recovered\n";
    std::cout << "after the device was back: " << timedAfter << " of " << sentAfter
              << " passings timed\n";
    for (const std::string& line : missing)
        std::cout << "  missing " << line << "\n";
    return 0;
}
