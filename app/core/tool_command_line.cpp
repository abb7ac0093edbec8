#include "app/core/tool_command_line.h"

#include "app/core/classify_tool_command.h"
#include "app/core/email_tool_commands.h"
#include "app/core/finance_tool_commands.h"
#include "app/core/passing_list.h"
#include "app/core/print_tool_command.h"
#include "app/core/session_report.h"
#include "common/core/cp1252.h"
#include "common/core/data_file.h"
#include "common/core/message_sink.h"
#include "common/core/sound_player.h"
#include "common/core/time_format.h"
#include "decoder/core/capture_decoding.h"
#include "runs/core/run_file.h"
#include "runs/core/run_report.h"
#include "runs/core/run_stats.h"
#include "session/core/lap_timing.h"
#include "session/core/session_file.h"

#include <array>
#include <charconv>
#include <cstdio>
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
    "  tallimo-tool session classify SESSION_FILE [--working-folder DIR] [--by laps|best]\n"
    "      [--category NAME] [--age TEXT] [--sex both|M|F|none] [--print]\n"
    "  tallimo-tool replay SESSION_FILE PASSINGS_FILE [--min-lap S] [--out FILE]\n"
    "  tallimo-tool decode --model MODEL CAPTURE_FILE\n"
    "  tallimo-tool run list RUN_FILE\n"
    "  tallimo-tool run stats RUN_FILE TITLE [--from A] [--to B] --json\n"
    "  tallimo-tool run save RUN_FILE --title TITLE --driver SURNAME FIRSTNAME\n"
    "      --category NAME --track NAME --when YYYY-MM-DDTHH:MM:SS PASSINGS_FILE\n"
    "  tallimo-tool run remove RUN_FILE TITLE\n"
    "  tallimo-tool run report RUN_FILE TITLE --kind synthesis|laps|passings\n"
    "      [--from A] [--to B] --pdf OUT.pdf\n"
    "  tallimo-tool group-total --prices P1,P2,... --pay AMOUNT\n"
    "  tallimo-tool book --working-folder DIR --kart LABEL\n"
    "      (--subscriber SURNAME FIRSTNAME | --walk-in NAME) --duration MINUTES\n"
    "      --date YYYY-MM-DD [--answer yes|no]... [--group] [--save]\n"
    "  tallimo-tool free --working-folder DIR --kart LABEL --when YYYY-MM-DDTHH:MM:SS\n"
    "      [--answer yes|no]\n"
    "  tallimo-tool print KIND --working-folder DIR [--category N | --kart LABEL\n"
    "      | --subscriber SURNAME FIRSTNAME] [--copies N] [--list LIST] --pdf OUT.pdf\n"
    "  tallimo-tool emails due|send --working-folder DIR --date YYYY-MM-DD\n"
    "      [--form-base URL]\n"
    "\n"
    "PASSINGS_FILE holds one passing per line: a six-digit transponder, a TAB and\n"
    "the passing time in milliseconds.\n"
    "CAPTURE_FILE holds the raw bytes of a decoder line; MODEL is Tallimo,\n"
    "TallimoVela2 or TallimoVela2Bluetooth. decode prints the passings found (for\n"
    "Tallimo the byte offset stands in for the time) and the bytes skipped.\n"
    "For run save, PASSINGS_FILE holds the passing times P[0..N] in ms, one per line.\n"
    "run report writes the run's synthesis, lap times or passing times as a PDF file,\n"
    "with images/logo.bmp of the current folder as the logo.\n"
    "group-total prints a group's kart prices (at most 10) once AMOUNT is typed as\n"
    "the amount to pay: units come off kart after kart until the total is AMOUNT.\n"
    "book runs the reservation window (--group: the group window) on the session\n"
    "of DIR on that date; free frees the kart and confirms at that time. Both print\n"
    "CAPTION<TAB>info|question<TAB>TEXT per message box; book then prints the\n"
    "kart's price, loyalty code and payment. Questions take the answers in order\n"
    "(book: no once they run out; free: yes unless told); book --save saves the\n"
    "session.\n"
    "print writes a printout of DIR's files as PDF, as its preview shows it. KIND:\n"
    "prices (--category N, 1 to 5), group-ticket (--category N, 6 for the private\n"
    "karts: the booked karts whose run has not started), private-prices, ticket (--kart),\n"
    "discounts, loyalty-points (--list earned|free|subscribers, earned unless told),\n"
    "sheet (--subscriber) and form; --copies (1 to 99) for the tickets and the form\n"
    "puts that many copies in the file. Messages go to stderr, one per line.\n"
    "emails due prints the promotional e-mails due on that date, two lines each:\n"
    "KIND<TAB>SURNAME<TAB>FIRSTNAME, then the mailing form's address (URL: DIR's\n"
    "setting, else https://mailing.invalid/); emails send hands them over as if\n"
    "every question were answered yes and writes the last-sent markers.\n"
    "session classify prints the ranking of the session's drivers as the\n"
    "classification window shows it (--print: its printed pages), with DIR's\n"
    "subscribers, age and kart categories (the current folder unless told). NAME\n"
    "is Toutes, a kart category or \"Karts priv\xC3\xA9s\"; TEXT is Toutes or \"CODE (NAME)\".\n";

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

// Prints each message as the program would show it, caption and text, one
// per line in UTF-8.
class PrintingMessageSink final : public common::MessageSink {
public:
    explicit PrintingMessageSink(std::ostream& out) : m_out(out) {}
    void show(const std::string& caption, const std::string& text) override {
        std::string line = common::Cp1252ToUtf8(caption) + "\t";
        for (const char c : common::Cp1252ToUtf8(text)) {
            if (c == '\n')
                line += "\\n";
            else
                line += c;
        }
        m_out << line << "\n";
    }

private:
    std::ostream& m_out;
};

// Why the run file cannot be edited in place; empty when it can. The file
// must exist (the subscribers database creates it), be readable and be a
// regular file: the atomic write would replace a symbolic link by a copy.
std::string RunFileProblem(const std::string& file, bool writing) {
    std::string problem = ReadProblem(PathOf(file));
    if (problem.empty() && writing)
        problem = WriteProblem(PathOf(file));
    return problem;
}

int CannotUseRunFile(std::ostream& err, const std::string& file, const std::string& problem) {
    err << "tallimo-tool: " << file << ": cannot read the run file" << (problem.empty() ? "" : ": ")
        << problem << "\n";
    return 1;
}

int ListRuns(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3)
        return UsageError(err, "run list needs a RUN_FILE");
    if (const std::string problem = RunFileProblem(args[2], false); !problem.empty())
        return CannotUseRunFile(err, args[2], problem);
    runs::RunTitleList list;
    if (!runs::ListRunTitles(PathOf(args[2]), list))
        return CannotUseRunFile(err, args[2], "");
    runs::SortRunTitles(list.titles);
    out << "saving\t" << list.savingFlag << "\tfull\t" << list.fullFlag << "\truns\t"
        << list.titles.size() << "\n";
    for (const std::string& title : list.titles)
        out << common::Cp1252ToUtf8(title) << "\n";
    return 0;
}

// A lap number is a whole number like the seconds of --min-lap.
std::optional<int> ParseLapNumber(const std::string& text) {
    return ParseSeconds(text);
}

// Keeps the texts of the messages for an error line.
class CollectingMessageSink final : public common::MessageSink {
public:
    void show(const std::string&, const std::string& text) override { texts += text; }
    std::string texts;
};

template <std::size_t N>
void WriteJsonArray(std::ostream& out, const char* name, const std::array<std::int32_t, N>& values,
                    bool last = false) {
    out << "  \"" << name << "\": [";
    for (std::size_t i = 0; i < N; ++i)
        out << (i == 0 ? "" : ", ") << values[i];
    out << "]" << (last ? "\n" : ",\n");
}

int RunStatistics(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 4)
        return UsageError(err, "run stats needs a RUN_FILE, a TITLE and --json");
    std::optional<int> from, to;
    bool json = false;
    for (std::size_t i = 4; i < args.size(); ++i) {
        if ((args[i] == "--from" || args[i] == "--to") && i + 1 < args.size()) {
            const std::optional<int> lap = ParseLapNumber(args[i + 1]);
            if (!lap)
                return UsageError(err, args[i] + " needs a lap number, not '" + args[i + 1] + "'");
            (args[i] == "--from" ? from : to) = lap;
            ++i;
        } else if (args[i] == "--json") {
            json = true;
        } else {
            return UsageError(err, "unknown option '" + args[i] + "'");
        }
    }
    if (!json)
        return UsageError(err, "run stats needs --json");
    if (const std::string problem = RunFileProblem(args[2], false); !problem.empty())
        return CannotUseRunFile(err, args[2], problem);

    runs::DriverRun run;
    runs::RunDetails details;
    CollectingMessageSink messages;
    const runs::RunFileOutcome outcome =
        runs::LoadRun(PathOf(args[2]), common::Utf8ToCp1252(args[3]), run, details, messages);
    if (outcome == runs::RunFileOutcome::FileNotFound)
        return CannotUseRunFile(err, args[2], "");
    if (outcome == runs::RunFileOutcome::RunNotFound) {
        err << "tallimo-tool: " << args[2] << ": " << common::Cp1252ToUtf8(messages.texts) << ": '"
            << args[3] << "'\n";
        return 1;
    }

    // The analysis window's range: within 1..N, from 1 to N unless asked.
    const int last = run.lastLapIndex;
    int first = std::min(from.value_or(1), last);
    first = std::max(first, 1);
    const int end = std::min(to.value_or(last), last);
    const runs::RunStats stats = runs::ComputeRunStats(run, first, end);
    const runs::RunHistogram histogram = runs::ComputeRunHistogram(run, first, end);
    out << "{\n"
        << "  \"count\": " << stats.count << ",\n"
        << "  \"best\": " << stats.best << ",\n"
        << "  \"bestLap\": " << stats.bestLap << ",\n"
        << "  \"worst\": " << stats.worst << ",\n"
        << "  \"worstLap\": " << stats.worstLap << ",\n"
        << "  \"mean\": " << stats.mean << ",\n"
        << "  \"deviation\": " << stats.deviation << ",\n";
    WriteJsonArray(out, "classBounds", stats.bound);
    WriteJsonArray(out, "classCounts", stats.classCount);
    WriteJsonArray(out, "classShares", stats.classShare);
    WriteJsonArray(out, "histogramBounds", histogram.bound);
    WriteJsonArray(out, "histogramCounts", histogram.histCount, true);
    out << "}\n";
    return 0;
}

// "YYYY-MM-DDTHH:MM:SS", each part in its range.
std::optional<runs::RunWhen> ParseWhen(const std::string& text) {
    runs::RunWhen when;
    char tail = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &when.year, &when.month, &when.day,
                    &when.hour, &when.minute, &when.second, &tail) != 6 ||
        text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    if (when.month < 1 || when.month > 12 || when.day < 1 || when.day > 31 || when.hour < 0 ||
        when.hour > 23 || when.minute < 0 || when.minute > 59 || when.second < 0 ||
        when.second > 59)
        return std::nullopt;
    return when;
}

// P[0..N], one decimal number of milliseconds per line; empty lines are
// passed over. Names the first bad line.
bool ReadPassingTimes(const std::string& file, runs::DriverRun& run, std::ostream& err) {
    std::string text;
    if (!common::ReadWholeFile(PathOf(file), text)) {
        CannotRead(err, file, "passing times");
        return false;
    }
    if (const int line = FirstOverlongLine(text); line != 0) {
        err << "tallimo-tool: " << file << ":" << line << ": line longer than "
            << kMaxPassingLineBytes << " bytes\n";
        return false;
    }
    int count = 0;
    int lineNumber = 0;
    for (std::size_t begin = 0; begin < text.size();) {
        ++lineNumber;
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        std::int32_t time = 0;
        const auto [ptr, error] = std::from_chars(line.data(), line.data() + line.size(), time);
        if (error != std::errc() || ptr != line.data() + line.size()) {
            err << "tallimo-tool: " << file << ":" << lineNumber
                << ": expected a passing time in ms\n";
            return false;
        }
        if (count == runs::kRunTableSize) {
            err << "tallimo-tool: " << file << ":" << lineNumber << ": more than "
                << runs::kRunTableSize << " passing times (a run has at most " << runs::kMaxRunLaps
                << " laps)\n";
            return false;
        }
        run.passingTimes[count++] = time;
    }
    run.lastLapIndex = count - 1;
    return true;
}

int SaveRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 4)
        return UsageError(err, "run save needs a RUN_FILE, the run's options and a PASSINGS_FILE");
    const std::string& runFile = args[2];
    const std::string& passingsFile = args.back();
    std::optional<std::string> title, category, track;
    std::optional<runs::RunWhen> when;
    runs::DriverRun run;
    bool haveDriver = false;
    for (std::size_t i = 3; i + 1 < args.size(); ++i) {
        const bool hasValue = i + 2 < args.size();
        if (args[i] == "--title" && hasValue) {
            title = common::Utf8ToCp1252(args[++i]);
        } else if (args[i] == "--category" && hasValue) {
            category = common::Utf8ToCp1252(args[++i]);
        } else if (args[i] == "--track" && hasValue) {
            track = common::Utf8ToCp1252(args[++i]);
        } else if (args[i] == "--driver" && i + 3 < args.size()) {
            run.driverName = common::Utf8ToCp1252(args[++i]);
            run.driverFirstName = common::Utf8ToCp1252(args[++i]);
            haveDriver = true;
        } else if (args[i] == "--when" && hasValue) {
            when = ParseWhen(args[++i]);
            if (!when)
                return UsageError(err, "--when needs YYYY-MM-DDTHH:MM:SS, not '" + args[i] + "'");
        } else {
            return UsageError(err, "unknown option '" + args[i] + "'");
        }
    }
    if (!title || !category || !track || !when || !haveDriver)
        return UsageError(err, "run save needs --title, --driver, --category, --track and --when");
    if (const std::string problem = RunFileProblem(runFile, true); !problem.empty())
        return CannotUseRunFile(err, runFile, problem);
    if (!ReadPassingTimes(passingsFile, run, err))
        return 1;

    PrintingMessageSink messages(out);
    const runs::RunDetails details{*category, *track, *when};
    const runs::SaveRunOutcome outcome =
        runs::SaveRunTo(PathOf(runFile), run, *title, details, messages);
    return outcome == runs::SaveRunOutcome::FileNotFound ? 1 : 0;
}

int RemoveRunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4)
        return UsageError(err, "run remove needs a RUN_FILE and a TITLE");
    if (const std::string problem = RunFileProblem(args[2], true); !problem.empty())
        return CannotUseRunFile(err, args[2], problem);
    PrintingMessageSink messages(out);
    const runs::RunFileOutcome outcome =
        runs::RemoveRun(PathOf(args[2]), common::Utf8ToCp1252(args[3]), messages);
    if (outcome == runs::RunFileOutcome::FileNotFound)
        return CannotUseRunFile(err, args[2], "");
    return 0;
}

std::optional<runs::RunReportKind> ParseReportKind(const std::string& text) {
    if (text == "synthesis")
        return runs::RunReportKind::Synthesis;
    if (text == "laps")
        return runs::RunReportKind::Laps;
    if (text == "passings")
        return runs::RunReportKind::Passings;
    return std::nullopt;
}

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     runs::RunReportWriter* reports) {
    if (args.size() < 4)
        return UsageError(err, "run report needs a RUN_FILE, a TITLE, --kind and --pdf");
    std::optional<int> from, to;
    std::optional<runs::RunReportKind> kind;
    std::string pdf;
    for (std::size_t i = 4; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if ((args[i] == "--from" || args[i] == "--to") && hasValue) {
            const std::optional<int> lap = ParseLapNumber(args[i + 1]);
            if (!lap)
                return UsageError(err, args[i] + " needs a lap number, not '" + args[i + 1] + "'");
            (args[i] == "--from" ? from : to) = lap;
            ++i;
        } else if (args[i] == "--kind" && hasValue) {
            kind = ParseReportKind(args[++i]);
            if (!kind)
                return UsageError(err, "--kind needs synthesis, laps or passings, not '" + args[i] +
                                           "'");
        } else if (args[i] == "--pdf" && hasValue) {
            pdf = args[++i];
        } else {
            return UsageError(err, "unknown option '" + args[i] + "'");
        }
    }
    if (!kind || pdf.empty())
        return UsageError(err, "run report needs --kind and --pdf");
    if (reports == nullptr) {
        err << "tallimo-tool: run report needs the tool built with Qt\n";
        return 1;
    }
    if (const std::string problem = RunFileProblem(args[2], false); !problem.empty())
        return CannotUseRunFile(err, args[2], problem);
    if (const std::string problem = WriteProblem(PathOf(pdf)); !problem.empty()) {
        err << "tallimo-tool: " << pdf << ": cannot write the report: " << problem << "\n";
        return 1;
    }

    runs::DriverRun run;
    runs::RunDetails details;
    PrintingMessageSink messages(out);
    const runs::RunFileOutcome outcome =
        runs::LoadRun(PathOf(args[2]), common::Utf8ToCp1252(args[3]), run, details, messages);
    if (outcome == runs::RunFileOutcome::FileNotFound)
        return CannotUseRunFile(err, args[2], "");
    if (outcome == runs::RunFileOutcome::RunNotFound)
        return 1;
    // The window prints nothing for a run without laps; the tool must not
    // pass that off as a report written.
    const int last = runs::UsableLastLap(run);
    if (last <= 0) {
        err << "tallimo-tool: " << args[2] << ": the run '" << args[3] << "' has no lap\n";
        return 1;
    }
    const runs::LapRange range = runs::ClampReportRange(last, from, to);
    if (!reports->writePdf(run, runs::StoredRunHeader(run, details), range, *kind, PathOf(pdf))) {
        err << "tallimo-tool: " << pdf << ": cannot write the report\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunToolCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err, runs::RunReportWriter* reports,
                       PrintoutWriter* printouts) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << kUsage;
        return arguments.empty() ? 2 : 0;
    }
    if (arguments[0] == "session" && arguments.size() >= 2 && arguments[1] == "show")
        return ShowSession(arguments, out, err);
    if (arguments[0] == "session" && arguments.size() >= 2 && arguments[1] == "export")
        return ExportSession(arguments, out, err);
    if (arguments[0] == "session" && arguments.size() >= 2 && arguments[1] == "classify") {
        std::string problem;
        const int code = ClassifyCommand(arguments, out, err, problem);
        return problem.empty() ? code : UsageError(err, problem);
    }
    if (arguments[0] == "replay")
        return Replay(arguments, out, err);
    if (arguments[0] == "decode")
        return Decode(arguments, out, err);
    if (arguments[0] == "group-total") {
        std::string problem;
        const int code = GroupTotalCommand(arguments, out, problem);
        return problem.empty() ? code : UsageError(err, problem);
    }
    if (arguments[0] == "book" || arguments[0] == "free") {
        std::string problem;
        const int code = arguments[0] == "book" ? BookCommand(arguments, out, err, problem)
                                                : FreeCommand(arguments, out, err, problem);
        return problem.empty() ? code : UsageError(err, problem);
    }
    if (arguments[0] == "emails") {
        std::string problem;
        const int code = EmailsCommand(arguments, out, err, problem);
        return problem.empty() ? code : UsageError(err, problem);
    }
    if (arguments[0] == "print") {
        std::string problem;
        const int code = PrintCommand(arguments, err, printouts, problem);
        return problem.empty() ? code : UsageError(err, problem);
    }
    if (arguments[0] == "run" && arguments.size() >= 2) {
        if (arguments[1] == "list")
            return ListRuns(arguments, out, err);
        if (arguments[1] == "stats")
            return RunStatistics(arguments, out, err);
        if (arguments[1] == "save")
            return SaveRunCommand(arguments, out, err);
        if (arguments[1] == "remove")
            return RemoveRunCommand(arguments, out, err);
        if (arguments[1] == "report")
            return RunReportCommand(arguments, out, err, reports);
    }
    return UsageError(err, "unknown command '" + arguments[0] + "'");
}

} // namespace tallimo::app
