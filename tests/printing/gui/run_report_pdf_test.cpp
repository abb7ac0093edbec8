#include "app/core/tool_command_line.h"
#include "runs/gui/run_reports.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tallimo::runs {
namespace {

// The tool end to end: a run saved, then each report written as a PDF file
// of one page without any dialog.
TEST(RunReportToolTest, WritesEachRunReportAsAOnePagePdf) {
    testing::TemporaryFolder folder;
    folder.write("Runs/d.bdr", "1\t0\t\n");
    std::string passings = "0\n";
    for (int lap = 1; lap <= 20; ++lap)
        passings += std::to_string(lap * 60'500 + (lap % 5) * 333) + "\n";
    folder.write("p.txt", passings);
    const std::string runFile = (folder / "Runs/d.bdr").string();
    PdfRunReportWriter writer(common::WorkingFolder(folder.path()));
    const auto tool = [&](const std::vector<std::string>& arguments, std::string& out) {
        std::ostringstream output, errors;
        const int code = app::RunToolCommandLine(arguments, output, errors, &writer);
        out = output.str();
        EXPECT_EQ(errors.str(), "");
        return code;
    };
    std::string out;
    ASSERT_EQ(tool({"run", "save", runFile, "--title", "Run 1", "--driver", "Lef\xC3\xA8vre",
                    "Ren\xC3\xA9", "--category", "Adultes", "--track", "Pins", "--when",
                    "2026-12-07T09:00:00", (folder / "p.txt").string()},
                   out),
              0);
    for (const char* kind : {"synthesis", "laps", "passings"}) {
        const std::string pdf = std::string(kind) + ".pdf";
        EXPECT_EQ(tool({"run", "report", runFile, "Run 1", "--kind", kind, "--from", "3", "--to",
                        "99", "--pdf", (folder / pdf).string()},
                       out),
                  0)
            << kind;
        EXPECT_EQ(out, "");
        const std::string written = folder.read(pdf);
        EXPECT_EQ(written.rfind("%PDF-", 0), 0u) << kind;
        EXPECT_NE(written.find("/Type /Page\n"), std::string::npos);
        EXPECT_EQ(written.find("/Type /Page\n"), written.rfind("/Type /Page\n")) << "one page";
    }
    // A run without laps gives nothing to print.
    EXPECT_EQ(MakeRunReportJob(DriverRun{}, {}, 1, 0, RunReportKind::Laps).pageCount, 0);
}

} // namespace
} // namespace tallimo::runs
