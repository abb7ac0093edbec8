#pragma once

// What the three printed run reports say, apart from how they are drawn:
// the header lines of the analysis window, the detail entries of the lap
// and passing reports, and the writer the companion tool hands a report to
// (the drawing is Qt's, the tool's core is not).

#include "runs/core/driver_run.h"
#include "runs/core/run_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::runs {

enum class RunReportKind { Synthesis, Laps, Passings };

// The analysis window's header lines, Windows-1252.
struct RunReportHeader {
    std::string driverLine;
    std::string trackLine;
    std::string categoryLine;
    std::string dateLine;
    friend bool operator==(const RunReportHeader&, const RunReportHeader&) = default;
};

// The header of a stored run: "%s %s" (first name, name), "Piste : %s",
// "Catégorie : %s", "Date : %02d / %02d / %d  (%d:%02d:%02d)".
RunReportHeader StoredRunHeader(const DriverRun& run, const RunDetails& details);

// Four columns of 25 laps a page.
constexpr int kDetailColumns = 4;
constexpr int kDetailRows = 25;
constexpr int kDetailEntriesPerPage = kDetailColumns * kDetailRows;

struct DetailEntry {
    std::string label; // "T %d"
    std::string time;  // the lap time, or the passing time as a clock time
    friend bool operator==(const DetailEntry&, const DetailEntry&) = default;
};

// Laps 1..N of the lap or passing report, in order; none for N <= 0 or for
// the synthesis.
std::vector<DetailEntry> RunDetailEntries(const DriverRun& run, RunReportKind kind);

// The lap range a report covers when asked for from..to, as the analysis
// window keeps its range edits: from above N becomes N and 0 becomes 1, to
// above N becomes N; 1 and N when not given. A to below from stays so (the
// synthesis then shows no figures).
struct LapRange {
    int from = 0;
    int to = 0;
    friend bool operator==(const LapRange&, const LapRange&) = default;
};
LapRange ClampReportRange(int lastLap, std::optional<int> from, std::optional<int> to);

// Writes one run report of a stored run as a PDF file.
class RunReportWriter {
public:
    virtual ~RunReportWriter() = default;
    // False when the file cannot be written or the run has no lap.
    virtual bool writePdf(const DriverRun& run, const RunReportHeader& header, LapRange range,
                          RunReportKind kind, const std::filesystem::path& pdf) = 0;
};

} // namespace tallimo::runs
