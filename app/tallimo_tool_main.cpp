#include "app/core/tool_command_line.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef TALLIMO_TOOL_REPORTS
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
    return tallimo::app::RunToolCommandLine(arguments, std::cout, std::cerr, &reports);
#else
    return tallimo::app::RunToolCommandLine(arguments, std::cout, std::cerr);
#endif
}
