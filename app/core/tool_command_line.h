#pragma once

#include "app/core/printout_request.h"

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::runs {
class RunReportWriter;
}

namespace tallimo::app {

// The companion tool: `session show`, `session export`, `replay`, `decode`
// and `run list`, `run stats`, `run save`, `run remove`, `run report`.
// `arguments` excludes the program name. Returns the process exit code:
// 0 on success, 1 on a failure, 2 on a usage error. `run report` draws
// through `reports` and `print` through `printouts`, which a build without
// Qt leaves out.
int RunToolCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err, runs::RunReportWriter* reports = nullptr,
                       PrintoutWriter* printouts = nullptr);

} // namespace tallimo::app
