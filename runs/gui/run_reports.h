#pragma once

// The three printed reports of a run: the synthesis over a lap range (the
// analysis views drawn on paper), the lap-time detail and the passing-time
// detail, all on the run-report page of the printing frame.

#include "common/core/working_folder.h"
#include "printing/gui/report_printer.h"
#include "runs/core/run_report.h"

#include <memory>

class QGuiApplication;

namespace tallimo::runs {

// The job the printing frame draws for one run report; no pages for a run
// without laps (N <= 0).
printing::ReportJob MakeRunReportJob(const DriverRun& run, const RunReportHeader& header, int from,
                                     int to, RunReportKind kind);

// The companion tool's writer. Qt's GUI side is started on first use only
// (on the offscreen platform when there is no display), so the tool's other
// commands never need it. The logo comes from `folder`.
class PdfRunReportWriter final : public RunReportWriter {
public:
    explicit PdfRunReportWriter(common::WorkingFolder folder);
    ~PdfRunReportWriter() override;
    PdfRunReportWriter(const PdfRunReportWriter&) = delete;
    PdfRunReportWriter& operator=(const PdfRunReportWriter&) = delete;

    bool writePdf(const DriverRun& run, const RunReportHeader& header, LapRange range,
                  RunReportKind kind, const std::filesystem::path& pdf) override;

private:
    common::WorkingFolder m_folder;
    std::unique_ptr<QGuiApplication> m_application; // only when none was running
};

} // namespace tallimo::runs
