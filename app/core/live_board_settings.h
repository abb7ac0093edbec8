#pragma once

// The drivers' board settings, kept among the program's own settings
// ("Private/Tallimo.ini"): the screen the board window opens on, and whether
// the board is served on the local network and on which port. A missing or
// unreadable value reads as its default, so a hand-edited file never keeps
// the board from opening.

#include "common/core/program_settings.h"
#include "common/core/working_folder.h"

#include <string>
#include <string_view>

namespace tallimo::app {

inline constexpr std::string_view kLiveBoardScreenKey = "liveBoard.screen";
inline constexpr std::string_view kLiveBoardWebKey = "liveBoard.web";
inline constexpr std::string_view kLiveBoardPortKey = "liveBoard.port";

// Ports below 1024 need privileges the program does not have.
inline constexpr int kLiveBoardMinPort = 1024;
inline constexpr int kLiveBoardMaxPort = 65535;
inline constexpr int kLiveBoardDefaultPort = 8080;

struct LiveBoardSettings {
    std::string screen; // the screen's name, UTF-8; empty: no choice made yet
    bool web = false;   // off until the operator turns it on
    int port = kLiveBoardDefaultPort;

    bool operator==(const LiveBoardSettings&) const = default;
};

constexpr bool IsLiveBoardPort(int port) {
    return port >= kLiveBoardMinPort && port <= kLiveBoardMaxPort;
}

LiveBoardSettings ReadLiveBoardSettings(const common::ProgramSettings& settings);
// A port out of range is written as the default, as it would read back.
void WriteLiveBoardSettings(const LiveBoardSettings& board, common::ProgramSettings& settings);

// A missing file gives the defaults.
LiveBoardSettings LoadLiveBoardSettings(const common::WorkingFolder& folder);
// Rewrites the file with the board's keys changed and every other line kept.
// False when the file exists but cannot be read (saving then would drop the
// other settings) or cannot be written.
bool SaveLiveBoardSettings(const common::WorkingFolder& folder, const LiveBoardSettings& board);

} // namespace tallimo::app
