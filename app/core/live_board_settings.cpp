#include "app/core/live_board_settings.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace tallimo::app {
namespace {

// The whole text as a decimal number, or `fallback`: "80x" or "+80" are not
// ports, and neither is a number that overflows.
int WholeNumber(std::string_view text, int fallback) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc{} || stop != end)
        return fallback;
    return number;
}

} // namespace

LiveBoardSettings ReadLiveBoardSettings(const common::ProgramSettings& settings) {
    LiveBoardSettings board;
    board.screen = settings.value(kLiveBoardScreenKey);
    board.web = WholeNumber(settings.value(kLiveBoardWebKey), 0) == 1;
    const int port = WholeNumber(settings.value(kLiveBoardPortKey), kLiveBoardDefaultPort);
    board.port = IsLiveBoardPort(port) ? port : kLiveBoardDefaultPort;
    return board;
}

void WriteLiveBoardSettings(const LiveBoardSettings& board, common::ProgramSettings& settings) {
    settings.setValue(kLiveBoardScreenKey, board.screen);
    settings.setValue(kLiveBoardWebKey, board.web ? "1" : "0");
    const int port = IsLiveBoardPort(board.port) ? board.port : kLiveBoardDefaultPort;
    settings.setValue(kLiveBoardPortKey, std::to_string(port));
}

LiveBoardSettings LoadLiveBoardSettings(const common::WorkingFolder& folder) {
    common::ProgramSettings settings;
    common::LoadProgramSettings(folder, settings);
    return ReadLiveBoardSettings(settings);
}

bool SaveLiveBoardSettings(const common::WorkingFolder& folder, const LiveBoardSettings& board) {
    common::ProgramSettings settings;
    if (!common::LoadProgramSettings(folder, settings)) {
        std::error_code error;
        if (std::filesystem::exists(folder.path(common::kProgramSettingsFileName), error) || error)
            return false;
    }
    WriteLiveBoardSettings(board, settings);
    return common::SaveProgramSettings(folder, settings);
}

} // namespace tallimo::app
