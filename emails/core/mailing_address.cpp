#include "emails/core/mailing_address.h"

#include "common/core/cp1252.h"

#include <cstdio>

namespace tallimo::emails {

std::string PercentEncode(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                          byte == '_' || byte == '~';
        if (kept) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string FormatMailDate(const common::DateIndex& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%d %02d %04d", date.day + 1, date.month + 1,
                  date.year + 1900);
    return text;
}

std::string FormatMailDate(int dayNumber) {
    return FormatMailDate(common::DateFromDayNumber(dayNumber));
}

MailingQuery::MailingQuery(std::string_view page) : m_text(page) {
    m_text += '?';
}

MailingQuery& MailingQuery::utf8(std::string_view key, std::string_view value) {
    if (!m_first)
        m_text += '&';
    m_first = false;
    m_text += key;
    m_text += '=';
    m_text += PercentEncode(value);
    return *this;
}

MailingQuery& MailingQuery::text(std::string_view key, std::string_view cp1252) {
    return utf8(key, common::Cp1252ToUtf8(cp1252));
}

MailingQuery& MailingQuery::number(std::string_view key, std::int64_t value) {
    return utf8(key, std::to_string(value));
}

std::string MailingAddress(std::string_view formBase, const MailingQuery& query) {
    std::string address(formBase);
    if (!address.empty() && address.back() != '/')
        address += '/';
    address += query.pageAndQuery();
    return address;
}

} // namespace tallimo::emails
