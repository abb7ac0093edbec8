#pragma once

// The e-mail check shared by the subscribers' addresses and the club's own.

#include "emails/core/club_contact_file.h"
#include "i18n/core/email_window_texts.h"
#include "i18n/core/language_code.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallimo::emails {

// Only the first 40 characters of an address are looked at.
constexpr std::size_t kCheckedEmailChars = 40;

// The first rule `address` breaks, or nothing when it is valid: not empty;
// exactly one '@'; at least two characters, the last not '.'; a '.' whose
// extension has 2 to 4 characters; that '.' neither the first nor the
// second character nor right after the '@'; the '@' neither first nor
// after the last '.'.
std::optional<i18n::ClubEmailProblem> EmailProblem(std::string_view address);
bool IsValidEmail(std::string_view address);

// Why "Envoi Emails" must not start, as the message to show with the
// caption "Tallimo": the club's address is not valid, or its name is empty.
// Nothing when the club's details allow sending.
std::optional<std::string> SendingRefusal(const ClubContact& contact, i18n::LanguageCode code);

} // namespace tallimo::emails
