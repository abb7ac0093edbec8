#pragma once

#include "i18n/core/language_code.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// Built-in texts of the promotional e-mails window, in Windows-1252. Its
// labels and list words are in its translation table; these are the
// messages, questions and menu items it builds in code.

// Why the club's own address was refused, in the order the checks run.
enum class ClubEmailProblem {
    Missing,      // empty
    NotOneAt,     // not exactly one '@'
    BadExtension, // too short, ends with '.', or an extension not of 2 to 4
    Malformed,    // the '@' and the last '.' badly placed
};

// The message for a refused club address (caption "Tallimo").
std::string ClubEmailErrorText(ClubEmailProblem problem, LanguageCode code);

// The message for a club name left empty.
std::string ClubNameMissingText(LanguageCode code);

// The line of a group of the list with nothing due.
std::string NoPendingEmailText(LanguageCode code);

// What sending says of a group with nothing due: "%s : %s !" with the group
// name (Windows-1252) and NoEmailToSendText.
std::string NoEmailToSendText(LanguageCode code);
std::string NothingToSendMessage(LanguageCode code, std::string_view groupName);

// The first line of the confirmation questions, before the due names.
std::string BirthdayQuestionTitle(LanguageCode code);
std::string NamedayQuestionTitle(LanguageCode code);

// The last line of every confirmation question.
std::string SendEmailsQuestion(LanguageCode code);

// The items of the "Vue Emails" menu.
enum class EmailPreview { Birthday, Nameday, Event, Loyalty };
std::string EmailPreviewMenuItem(EmailPreview preview, LanguageCode code);

} // namespace tallimo::i18n
