#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tallimo::app {

// `emails due|send --working-folder DIR --date YYYY-MM-DD [--form-base URL]`:
// the promotional e-mails "Envoi Emails" hands over on that date when every
// question is answered Yes, two lines each in sending order:
// "KIND<TAB>SURNAME<TAB>FIRSTNAME" (KIND birthday, nameday, "event N" or
// loyalty) and the full address. The form's base is --form-base, else the
// setting of DIR, else "https://mailing.invalid/". `due` writes nothing;
// `send` refuses (exit 1) when the club's address or name is not valid,
// otherwise writes the last-sent markers and the files holding them. The
// messages of files that cannot be read go to `err`, one per line.
// `arguments` starts with "emails". Returns 0, 1 on a failure, or 2 with
// `usageProblem` set when the options are wrong.
int EmailsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  std::string& usageProblem);

} // namespace tallimo::app
