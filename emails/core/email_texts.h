#pragma once

// The texts the e-mails window shows, built from its tables in the
// interface language (Windows-1252, "\r\n" line ends in the list as a
// multi-line edit needs them, "\n" in the message boxes).

#include "emails/core/due_emails.h"
#include "emails/core/email_sources.h"
#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::emails {

// The list "Emails à envoyer": per group a heading, then its due e-mails or
// the "No pending email" line.
std::string DueEmailsListText(const DueEmails& due, const EmailSources& sources);

// The question asked before a group is sent: its title, at most 15
// recipients then a dotted line for the others, and the closing question.
inline constexpr int kQuestionEntries = 15;
std::string ConfirmationText(const EmailGroup& group, const EmailSources& sources);

// "%s : %s !": what sending says of the birthday or nameday group when
// nothing is due; events and loyalty with nothing due are passed over.
std::string NothingToSendText(const EmailGroup& group, const EmailSources& sources);

// Shown (caption "Tallimo") instead of previewing or sending while the
// program's settings name no mailing form.
std::string NoMailingFormText(i18n::LanguageCode code);

// Shown (caption "Tallimo") when the desktop refused an address: sending
// stopped there, and what was not handed over stays due.
std::string AddressRefusedText(i18n::LanguageCode code);

} // namespace tallimo::emails
