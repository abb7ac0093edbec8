#include "app/core/tool_command_line.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef TALLIMO_TOOL_REPORTS
#include "app/gui/pdf_printout_writer.h"
#include "common/core/system_clocks.h"
#include "runs/gui/run_reports.h"

#include <filesystem>
#include <system_error>
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef TALLIMO_TOOL_REPORTS
    std::error_code error;
    tallimo::runs::PdfRunReportWriter reports(
        tallimo::common::WorkingFolder(std::filesystem::current_path(error)));
    const tallimo::common::SystemLocalClock clock;
    tallimo::app::PdfPrintoutWriter printouts(clock);
    return tallimo::app::RunToolCommandLine(arguments, std::cout, std::cerr, &reports, &printouts);
#else
    return tallimo::app::RunToolCommandLine(arguments, std::cout, std::cerr);
#endif
}
