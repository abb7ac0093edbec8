#pragma once

#include "app/core/printout_request.h"

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::app {

// `print KIND --working-folder DIR [--category N | --kart LABEL | --subscriber
// SURNAME FIRSTNAME] [--copies N] [--list earned|free|subscribers] --pdf
// OUT.pdf`: one printout of the counter written as PDF from DIR's files, as
// its preview shows it. The printout's messages go to `err`, one per line.
// Returns 0; 1 when the printout cannot be made or written (or `writer` is
// missing, in a build without Qt); 2 with `usageProblem` set when the
// options are wrong. `arguments` starts with the command's name.
int PrintCommand(const std::vector<std::string>& arguments, std::ostream& err,
                 PrintoutWriter* writer, std::string& usageProblem);

// The request the options describe, or nothing with `usageProblem` set.
std::optional<PrintoutRequest> ParsePrintRequest(const std::vector<std::string>& arguments,
                                                 std::string& usageProblem);

} // namespace tallimo::app
