#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::app {

// `session classify SESSION_FILE [--working-folder DIR] [--by laps|best]
// [--category NAME] [--age TEXT] [--sex both|M|F|none] [--print]`: the
// session's ranking as the classification window shows it (or, with
// --print, as its pages print), UTF-8 with LF, columns separated by TABs.
// DIR (the current folder unless told) holds the databases; their messages
// go to `err`, one per line, and the ranking of what could be read follows.
// Returns 0; 1 when the session file cannot be read; 2 with `usageProblem`
// set when the options are wrong or name no item of the window's lists.
// `arguments` starts with "session".
int ClassifyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    std::string& usageProblem);

} // namespace tallimo::app
