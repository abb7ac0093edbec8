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
#include <string_view>
#include <system_error>

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

// Why `path` cannot be read as a data file, for the message; empty when
// no reason shows before reading. Every call takes an error code: a path can
// be a symbolic-link loop or have a name part too long for the system.
std::string ReadProblem(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error)
        return error.message();
    if (!std::filesystem::is_regular_file(status))
        return "not a regular file";
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > common::kMaxDataFileBytes)
        return "larger than " + std::to_string(common::kMaxDataFileBytes >> 20) + " MiB";
    return {};
}

int CannotRead(std::ostream& err, const std::string& file, const char* what) {
    const std::string problem = ReadProblem(PathOf(file));
    err << "tallimo-tool: " << file << ": cannot read the " << what << (problem.empty() ? "" : ": ")
        << problem << "\n";
    return 1;
}

// Why the tool will not write to `path`; empty when it may. It writes only
// over a regular file or to a new name: the atomic write replaces whatever
// the name is, and a symbolic link or a device replaced by a file (as root,
// /dev/full) is never what was asked for.
std::string WriteProblem(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return {};
    if (error)
        return error.message();
    if (!std::filesystem::is_regular_file(status))
        return "not a regular file";
    return {};
}

bool LoadSession(const std::string& file, session::LiveTiming& live, std::ostream& err) {
    std::error_code error;
    if (!std::filesystem::exists(PathOf(file), error) && !error) {
        err << "tallimo-tool: " << file << ": no such session file\n";
        return false;
    }
    session::ClearSession(live.session);
    live.header = session::SessionHeader{};
    live.header.trackName.clear();
    if (!session::LoadSessionFileFrom(PathOf(file), live.session, live.header)) {
        CannotRead(err, file, "session file");
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

// A passing line is some twenty characters. A much longer one means the file
// is not a passings file at all (a capture given by mistake).
constexpr std::size_t kMaxPassingLineBytes = 1024;

// The 1-based number of the first line longer than kMaxPassingLineBytes, or 0.
int FirstOverlongLine(std::string_view text) {
    int lineNumber = 1;
    for (std::size_t begin = 0; begin < text.size(); ++lineNumber) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        if (end - begin > kMaxPassingLineBytes)
            return lineNumber;
        begin = end + 1;
    }
    return 0;
}

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
    if (!common::ReadWholeFile(PathOf(passingsFile), text))
        return CannotRead(err, passingsFile, "passings file");
    if (const int line = FirstOverlongLine(text); line != 0) {
        err << "tallimo-tool: " << passingsFile << ":" << line << ": line longer than "
            << kMaxPassingLineBytes << " bytes\n";
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
    if (const std::string problem = WriteProblem(PathOf(outFile)); !problem.empty()) {
        err << "tallimo-tool: " << outFile << ": cannot write the session file: " << problem
            << "\n";
        return 1;
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
    if (!common::ReadWholeFile(PathOf(args[3]), bytes))
        return CannotRead(err, args[3], "capture");
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
