#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::app {

// The companion tool: `session show`, `session export`, `replay`, `decode`
// and `run list`, `run stats`, `run save`, `run remove`.
// `arguments` excludes the program name. Returns the process exit code:
// 0 on success, 1 on a failure, 2 on a usage error.
int RunToolCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                       std::ostream& err);

} // namespace tallimo::app
