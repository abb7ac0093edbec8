#include "emails/core/email_check.h"

#include <algorithm>

namespace tallimo::emails {

std::optional<i18n::ClubEmailProblem> EmailProblem(std::string_view address) {
    using i18n::ClubEmailProblem;
    if (address.empty())
        return ClubEmailProblem::Missing;
    address = address.substr(0, kCheckedEmailChars);
    if (std::count(address.begin(), address.end(), '@') != 1)
        return ClubEmailProblem::NotOneAt;
    const std::size_t length = address.size();
    const std::size_t dot = address.rfind('.');
    if (length < 2 || address.back() == '.' || dot == std::string_view::npos)
        return ClubEmailProblem::BadExtension;
    const std::size_t extension = length - dot - 1;
    if (extension < 2 || extension > 4)
        return ClubEmailProblem::BadExtension;
    const std::size_t at = address.find('@');
    if (dot < 2 || address[dot - 1] == '@' || at == 0 || at > dot)
        return ClubEmailProblem::Malformed;
    return std::nullopt;
}

bool IsValidEmail(std::string_view address) {
    return !EmailProblem(address).has_value();
}

std::optional<std::string> SendingRefusal(const ClubContact& contact, i18n::LanguageCode code) {
    if (const auto problem = EmailProblem(contact.contactEmail))
        return i18n::ClubEmailErrorText(*problem, code);
    if (contact.contactName.empty())
        return i18n::ClubNameMissingText(code);
    return std::nullopt;
}

} // namespace tallimo::emails
