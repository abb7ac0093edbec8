#pragma once

// A driver's run file keeps up to 100 runs in slots that keep their length.
// After the header line ("%d\t%d\t\n": saving flag, full flag) each slot is
// an empty line, a title line (the title and a TAB) and a data line of 992
// characters laid down as "1\t" pairs with the run's fields written over its
// start. A removed run becomes a free slot titled "Run vide" of the same
// length, and the next run saved goes into the first free slot, so the file
// stops growing once it has held as many runs as it ever holds at one time.
//
// Empty lines carry no meaning; the other lines after the header pair up as
// title line and data line. Only title lines are taken for titles: the first
// field of a data line is a driver's surname, which may well read "Run vide"
// or like a run title, and must never make a run look free or be found.
//
// Every change reads the whole file, edits the bytes and writes the file back
// through a temporary file and a rename, so a crash leaves the old file or
// the new one, and a file that cannot be written stays as it was. An edit
// stays inside its slot: where a hand-edited slot is too short for what goes
// in, the slot grows rather than the next one being overwritten.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "runs/core/driver_run.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::runs {

constexpr int kMaxStoredRuns = 100;
constexpr std::size_t kRunDataLineChars = 992;
// A line's first field is read up to this many characters.
constexpr std::size_t kRunTitleFieldChars = 100;

constexpr std::size_t kRunDriverNameChars = 24;
constexpr std::size_t kRunFirstNameChars = 19;
constexpr std::size_t kRunCategoryChars = 15;
constexpr std::size_t kRunTrackChars = 19;

inline constexpr std::string_view kFreeRunTitle = "Run vide";

inline const char* const kRunErrorCaption = "Error";
inline const char* const kRunFileNotFoundText = "Error : 'Driver Runs' database file not found";
inline const char* const kRunToRemoveNotFoundText = "Error: Run to be removed not found";
inline const char* const kRunToLoadNotFoundText = "Error: Run to load not found";
inline const char* const kRunsFullCaption = "Attention !";

// Local date and time of a run: month 1-12, day of month 1-31.
struct RunWhen {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const RunWhen&, const RunWhen&) = default;
};

// What a run file keeps besides the DriverRun.
struct RunDetails {
    std::string categoryName; // at most 15 characters
    std::string trackName;    // at most 19
    RunWhen when;
    friend bool operator==(const RunDetails&, const RunDetails&) = default;
};

// "Run %d / %02d / %02d  (%d:%02d:%02d)": 30 characters, 29 before 10 o'clock.
std::string RunTitle(const RunWhen& when);

enum class SaveRunOutcome {
    Saved,
    NotSaved,     // no name, no complete lap, or a title that cannot be stored
    FileNotFound, // the file cannot be read or written; reported
    SavingOff,    // the saving flag is not 1; silent
    Full,         // 100 runs stored already; reported
    TooLong,      // the fields do not fit in a data line; silent, nothing written
};

// Stores a finished run in `path` under `title` (a run with the same title
// is overwritten, also when the database is full). Reports the missing file,
// the full database, and the database that has just become full.
SaveRunOutcome SaveRunTo(const std::filesystem::path& path, const DriverRun& run,
                         std::string_view title, const RunDetails& details,
                         common::MessageSink& messages);

// The same in the driver's own file "Runs/<name>_<first name>.bdr".
SaveRunOutcome SaveRun(const common::WorkingFolder& folder, const DriverRun& run,
                       std::string_view title, const RunDetails& details,
                       common::MessageSink& messages);

enum class RunFileOutcome {
    Done,
    RunNotFound,  // reported; the file is unchanged
    FileNotFound, // not reported: the caller decides
};

// Turns the run's slot into a free slot of the same length.
RunFileOutcome RemoveRun(const std::filesystem::path& path, std::string_view title,
                         common::MessageSink& messages);

// Reads the run titled `title`; `run` and `details` are cleared first.
// Lap times are filled in; a last lap above 99 is cut to 99.
RunFileOutcome LoadRun(const std::filesystem::path& path, std::string_view title, DriverRun& run,
                       RunDetails& details, common::MessageSink& messages);

struct RunTitleList {
    int savingFlag = 0; // a flag that is not a single digit reads as 0
    int fullFlag = 0;
    std::vector<std::string> titles; // file order, free slots left out
};

// False when the file cannot be read; `list` is then empty.
bool ListRunTitles(const std::filesystem::path& path, RunTitleList& list);

// The order of the runs window: titles as text, so a run at 10:00 comes
// before one at 9:00 the same day.
void SortRunTitles(std::vector<std::string>& titles);

// Rewrites the header line with these flags (the saving check box, and the
// full flag cleared after a removal). False when the file cannot be read or
// written.
bool WriteRunFileFlags(const std::filesystem::path& path, int savingFlag, int fullFlag);

// The fill rate beside the runs list: the run count as a percentage of 100.
struct FillRate {
    std::string text; // "%d %", "%d % saturation" from 99
    int red = 0;
    int green = 0;
    int blue = 0;
};
FillRate RunFillRate(int runCount);

} // namespace tallimo::runs
