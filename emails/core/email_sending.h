#pragma once

// Previewing and sending: the addresses of the mailing form for a group of
// due e-mails, in sending order, and the last-sent markers written for the
// addresses the desktop accepted. Sending stops at the first address the
// desktop refuses: the e-mails not handed over keep their markers and are
// offered again. An event's or the loyalty mailing's marker covers the
// whole group, so it is written only when every address of the group was
// accepted (an e-mail sent twice is better than one never sent).

#include "common/core/date_index.h"
#include "emails/core/address_opener.h"
#include "emails/core/due_emails.h"
#include "emails/core/email_sources.h"
#include "i18n/core/email_window_texts.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo::emails {

// False while the program's settings name no mailing form: nothing can be
// previewed or sent then.
bool HasMailingForm(std::string_view formBase);

struct PlannedEmail {
    EmailKind kind = EmailKind::Birthday;
    int eventIndex = -1;
    int subscriber = 0;
    std::string url;
};

// One address per recipient of the group, in the group's order.
std::vector<PlannedEmail> PlanGroup(const EmailGroup& group, const EmailSources& sources,
                                    std::string_view formBase);

// Every due group's addresses in sending order, as "Envoi Emails" answered
// Yes to every question hands them over.
std::vector<PlannedEmail> PlanAllDue(const DueEmails& due, const EmailSources& sources,
                                     std::string_view formBase);

struct GroupOutcome {
    int accepted = 0;
    bool refused = false; // the desktop refused an address; stop sending
};

// Opens the group's addresses in order and writes the markers of what was
// accepted into `sources` (flagging the tables changed). The caller saves
// them with `SaveSentMarkers` and computes the due e-mails again.
GroupOutcome SendGroup(const EmailGroup& group, EmailSources& sources, std::string_view formBase,
                       AddressOpener& opener);

// The address of a "Vue Emails" example: the club's details, the discount
// summary and the discount period around today of the kind's event (for
// the event example, the first dated event whose e-mail is active, else the
// first dated event), no subscriber.
std::string PreviewAddress(i18n::EmailPreview preview, const EmailSources& sources,
                           const common::DateIndex& today, std::string_view formBase);

} // namespace tallimo::emails
