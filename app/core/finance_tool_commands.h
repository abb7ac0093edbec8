#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::app {

// `group-total --prices P1,P2,... --pay AMOUNT`: the group prices after the
// amount to pay was typed, comma-separated, as the group reservation sets
// them. `arguments` starts with the command's name. Returns 0, or 2 with
// `usageProblem` saying what is wrong with the options (nothing printed).
int GroupTotalCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::string& usageProblem);

// `book --working-folder DIR --kart LABEL (--subscriber SURNAME FIRSTNAME |
// --walk-in NAME) --duration MINUTES --date YYYY-MM-DD [--answer yes|no]...
// [--group] [--save]`: books the kart as the single (or, with --group, the
// group) reservation window does on that date, printing one line per
// message box, "CAPTION<TAB>info|question<TAB>TEXT", then the kart's
// "price=P loyaltyCode=C paid=X". Questions take the answers in order, No
// once they run out. Files change only with --save, as "Ok" saves them.
// Returns 0; 1 with a line on `err` when the booking cannot be made; 2 with
// `usageProblem` set when the options are wrong.
int BookCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                std::string& usageProblem);

// `free --working-folder DIR --kart LABEL --when YYYY-MM-DDTHH:MM:SS
// [--answer yes|no]`: "Libérer le kart" (answered Yes unless told) then
// "Ok" of the single window at that time, printing the messages as `book`.
int FreeCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                std::string& usageProblem);

} // namespace tallimo::app
