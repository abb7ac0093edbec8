#pragma once

#include "session/core/session_notifications.h"

#include <string>
#include <vector>

namespace tallimo::testing {

// Counts what lap timing and the clock ask of the window.
class RecordingNotifications final : public session::SessionNotifications {
public:
    void redrawBoard() override { ++boardRedraws; }
    void redrawClockArea() override { ++clockRedraws; }
    void lapAccepted(const session::SessionKart& kart) override {
        acceptedLaps.push_back(kart.kartLabel);
    }
    void sessionCommandsEnabled(bool enabled, bool saveEnabled) override {
        commandsEnabled = enabled;
        saveCommandEnabled = saveEnabled;
        ++commandChanges;
    }

    int boardRedraws = 0;
    int clockRedraws = 0;
    std::vector<std::string> acceptedLaps;
    bool commandsEnabled = true;
    bool saveCommandEnabled = false;
    int commandChanges = 0;
};

} // namespace tallimo::testing
