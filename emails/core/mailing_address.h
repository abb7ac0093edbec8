#pragma once

// The web addresses of the mailing form: a base (scheme, host and path, a
// setting of the program) followed by one of four page names and a query
// string whose keys come in a fixed order. Every value is percent-encoded
// from its UTF-8 bytes, so a name holding '&', '#', '+', '=' or a blank, an
// accented letter or the euro sign reaches the form as typed and can never
// add a key of its own.

#include "common/core/date_index.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tallimo::emails {

inline constexpr const char* kBirthdayPage = "emailKartingAnniversaire.php";
inline constexpr const char* kNamedayPage = "emailKartingFetePrenom.php";
inline constexpr const char* kEventPage = "emailKartingEvenement.php";
inline constexpr const char* kLoyaltyPage = "emailKartingFidelite.php";

// `objet`: an e-mail to the subscriber named in the query, or the form's
// own example person.
inline constexpr const char* kSendObject = "envoiemail";
inline constexpr const char* kPreviewObject = "vueemail";

// Only A-Z a-z 0-9 - . _ ~ stay as they are; every other byte becomes %XX
// in upper-case hex.
std::string PercentEncode(std::string_view utf8);

// "%d %02d %04d": day of the month from 1, month from 1, four-digit year.
std::string FormatMailDate(const common::DateIndex& date);
std::string FormatMailDate(int dayNumber);

// Builds "page?key=value&key=value..." in the order the keys are added.
class MailingQuery {
public:
    explicit MailingQuery(std::string_view page);
    // A text of the files (Windows-1252), sent as UTF-8.
    MailingQuery& text(std::string_view key, std::string_view cp1252);
    MailingQuery& number(std::string_view key, std::int64_t value);
    // A text already in UTF-8.
    MailingQuery& utf8(std::string_view key, std::string_view value);

    const std::string& pageAndQuery() const { return m_text; }

private:
    std::string m_text;
    bool m_first = true;
};

// The base with a '/' before the page when it has none of its own.
std::string MailingAddress(std::string_view formBase, const MailingQuery& query);

} // namespace tallimo::emails
