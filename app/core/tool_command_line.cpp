#include "app/core/tool_command_line.h"

#include "app/core/passing_list.h"
#include "app/core/session_report.h"
#include "common/core/data_file.h"
#include "common/core/sound_player.h"
#include "common/core/time_format.h"
#include "decoder/core/capture_decoding.h"
#include "session/core/lap_timing.h"
#include "session/core/session_file.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <sstream>

namespace tallimo::app {
namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  tallimo-tool session show FILE [--json]\n"
    "  tallimo-tool session export FILE --csv\n"
    "  tallimo-tool replay SESSION_FILE PASSINGS_FILE [--min-lap S] [--out FILE]\n"
    "  tallimo-tool decode --model MODEL CAPTURE_FILE\n"
    "\n"
    "PASSINGS_FILE holds one passing per line: a six-digit transponder, a TAB and\n"
    "the passing time in milliseconds.\n"
    "CAPTURE_FILE holds the raw bytes of a decoder line; MODEL is Tallimo,\n"
    "TallimoVela2 or TallimoVela2Bluetooth. decode prints the passings found (for\n"
    "Tallimo the byte offset stands in for the time) and the bytes skipped.\n";

int UsageError(std::ostream& err, const std::string& problem) {
    err << "tallimo-tool: " << problem << "\n\n" << kUsage;
    return 2;
}

std::filesystem::path PathOf(const std::string& argument) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(argument.data()), argument.size()));
}

bool LoadSession(const std::string& file, session::LiveTiming& live, std::ostream& err) {
    if (!std::filesystem::is_regular_file(PathOf(file))) {
        err << "tallimo-tool: " << file << ": no such session file\n";
        return false;
    }
    session::ClearSession(live.session);
    live.header = session::SessionHeader{};
    live.header.trackName.clear();
    if (!session::LoadSessionFileFrom(PathOf(file), live.session, live.header)) {
        err << "tallimo-tool: " << file << ": cannot read the session file\n";
        return false;
    }
    live.rebuildBoardRows();
    return true;
}

int ShowSession(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3 || args.size() > 4)
        return UsageError(err, "session show needs a FILE");
    const bool json = args.size() == 4;
    if (json && args[3] != "--json")
        return UsageError(err, "unknown option '" + args[3] + "'");
    session::LiveTiming live;
    if (!LoadSession(args[2], live, err))
        return 1;
    if (json)
        WriteSessionJson(out, live);
    else
        WriteSessionText(out, live);
    return 0;
}

int ExportSession(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4 || args[3] != "--csv")
        return UsageError(err, "session export needs a FILE and --csv");
    session::LiveTiming live;
    if (!LoadSession(args[2], live, err))
        return 1;
    WriteTimedKartsCsv(out, live.session);
    return 0;
}

// Collects the sounds lap timing asks for, in order.
class CollectingSoundPlayer final : public common::SoundPlayer {
public:
    void play(const std::string& relativePath, bool) override { played.push_back(relativePath); }
    std::vector<std::string> played;
};

class SilentNotifications final : public session::SessionNotifications {
public:
    void redrawBoard() override {}
    void redrawClockArea() override {}
    void lapAccepted(const session::SessionKart&) override {}
    void sessionCommandsEnabled(bool, bool) override {}
};

std::optional<int> ParseSeconds(const std::string& text) {
    int value = 0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || ptr != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

int Replay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 3)
        return UsageError(err, "replay needs a SESSION_FILE and a PASSINGS_FILE");
    const std::string& sessionFile = args[1];
    const std::string& passingsFile = args[2];
    std::optional<int> minLap;
    std::string outFile;
    for (std::size_t i = 3; i < args.size(); ++i) {
        if (args[i] == "--min-lap" && i + 1 < args.size()) {
            minLap = ParseSeconds(args[++i]);
            if (!minLap)
                return UsageError(err, "--min-lap needs whole seconds, not '" + args[i] + "'");
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            outFile = args[++i];
        } else {
            return UsageError(err, "unknown option '" + args[i] + "'");
        }
    }

    session::LiveTiming live;
    if (!LoadSession(sessionFile, live, err))
        return 1;
    std::string text;
    if (!common::ReadWholeFile(PathOf(passingsFile), text)) {
        err << "tallimo-tool: " << passingsFile << ": cannot read the passings file\n";
        return 1;
    }
    const PassingListResult list = ParsePassingList(text);
    if (list.badLine != 0) {
        err << "tallimo-tool: " << passingsFile << ":" << list.badLine << ": " << list.problem
            << "\n";
        return 1;
    }
    if (minLap)
        live.header.minLapSeconds = *minLap;

    // Never overwrite the input unless asked to.
    if (outFile.empty()) {
        std::filesystem::path derived = PathOf(sessionFile);
        derived.replace_extension(".replayed.rent");
        outFile = derived.string();
    }

    // The report goes out only once the session is written, so that a
    // failure shows as a failure alone.
    std::ostringstream report;
    report << "Replay of " << list.passings.size() << " passings, minimum lap "
           << live.header.minLapSeconds << " s\n";
    CollectingSoundPlayer sounds;
    SilentNotifications notifications;
    const session::CounterTimeBase noCounter;
    for (const common::Passing& passing : list.passings) {
        sounds.played.clear();
        session::ProcessPassing(live, passing, noCounter, sounds, notifications);
        report << "  " << common::FormatClockTime(static_cast<std::int32_t>(passing.timeMs)) << "  "
               << passing.transponder << "  ";
        if (sounds.played.empty())
            report << "-";
        for (std::size_t i = 0; i < sounds.played.size(); ++i)
            report << (i == 0 ? "" : " ") << sounds.played[i];
        report << "\n";
    }
    report << "\n";
    WriteBoardRows(report, live);

    if (!session::SaveSessionFileAs(PathOf(outFile), live.session, live.header)) {
        err << "tallimo-tool: " << outFile << ": cannot write the session file\n";
        return 1;
    }
    out << report.str() << "\nSession written to " << outFile << "\n";
    return 0;
}

int Decode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4 || args[1] != "--model")
        return UsageError(err, "decode needs --model MODEL and a CAPTURE_FILE");
    std::string bytes;
    if (!common::ReadWholeFile(PathOf(args[3]), bytes)) {
        err << "tallimo-tool: " << args[3] << ": cannot read the capture\n";
        return 1;
    }
    const auto decoding = decoder::DecodeCapture(args[2], bytes);
    if (!decoding)
        return UsageError(err, "unknown decoder model '" + args[2] + "'");
    out << decoder::FormatCaptureDecoding(*decoding);
    return 0;
}

} // namespace

int RunToolCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << kUsage;
        return arguments.empty() ? 2 : 0;
    }
    if (arguments[0] == "session" && arguments.size() >= 2 && arguments[1] == "show")
        return ShowSession(arguments, out, err);
    if (arguments[0] == "session" && arguments.size() >= 2 && arguments[1] == "export")
        return ExportSession(arguments, out, err);
    if (arguments[0] == "replay")
        return Replay(arguments, out, err);
    if (arguments[0] == "decode")
        return Decode(arguments, out, err);
    return UsageError(err, "unknown command '" + arguments[0] + "'");
}

} // namespace tallimo::app
