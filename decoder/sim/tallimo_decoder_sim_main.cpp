// tallimo-decoder-sim: plays a decoder on a pseudo-terminal until SIGINT or
// SIGTERM, printing one line per event.

#include "decoder/sim/decoder_simulator_host.h"
#include "decoder/sim/simulator_command_line.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <iostream>
#include <optional>
#include <pthread.h>
#include <string_view>
#include <vector>

using namespace tallimo::decoder::sim;

namespace {

using Clock = std::chrono::steady_clock;

// Waits for SIGINT or SIGTERM until `deadline` (forever without one);
// true when one came.
bool waitForStopSignal(const sigset_t& signals, std::optional<Clock::time_point> deadline) {
    for (;;) {
        int received = 0;
        if (!deadline) {
            if (sigwait(&signals, &received) == 0)
                return true;
            continue;
        }
        const auto left = *deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return false;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec timeout{static_cast<time_t>(ns / 1000000000),
                               static_cast<long>(ns % 1000000000)};
        if (sigtimedwait(&signals, nullptr, &timeout) >= 0)
            return true;
        if (errno != EAGAIN && errno != EINTR)
            return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    SimulatorCommandLine commandLine = ParseSimulatorCommandLine(arguments);
    if (commandLine.helpAsked) {
        std::cout << SimulatorUsage();
        return 0;
    }
    if (!commandLine.options) {
        std::cerr << "tallimo-decoder-sim: " << commandLine.error << "\n" << SimulatorUsage();
        return 2;
    }
    SimulatorOptions& options = *commandLine.options;
    options.host.eventSink = [](const std::string& line) { std::cout << line << std::endl; };

    // Blocked before the worker thread exists, so only sigwait sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    DecoderSimulatorHost host(std::move(options.host));
    if (!host.start()) {
        std::cerr << "tallimo-decoder-sim: " << host.lastError() << "\n";
        return 1;
    }
    const Clock::time_point startedAt = Clock::now();
    std::optional<Clock::time_point> next;
    if (options.vanishAfterMs)
        next = startedAt + std::chrono::milliseconds(*options.vanishAfterMs);
    while (!waitForStopSignal(signals, next)) {
        if (!host.vanished()) {
            host.vanish();
            next.reset();
            if (options.backAfterMs)
                next = Clock::now() + std::chrono::milliseconds(*options.backAfterMs);
        } else {
            if (!host.comeBack())
                std::cerr << "tallimo-decoder-sim: " << host.lastError() << "\n";
            next.reset();
        }
    }
    host.stop();
    return 0;
}
