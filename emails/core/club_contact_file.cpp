#include "emails/core/club_contact_file.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <array>
#include <utility>

namespace tallimo::emails {
namespace {

using FieldRef = std::pair<std::string ClubContact::*, std::size_t>;

// The file's order.
constexpr std::array<FieldRef, 9> kFields = {{
    {&ClubContact::contactName, kContactNameChars},
    {&ClubContact::contactEmail, kContactEmailChars},
    {&ClubContact::contactPhone, kContactPhoneChars},
    {&ClubContact::contactWebsite, kContactWebsiteChars},
    {&ClubContact::contactAddress1, kContactAddressChars},
    {&ClubContact::contactAddress2, kContactAddressChars},
    {&ClubContact::contactPostalCode, kContactPostalCodeChars},
    {&ClubContact::contactTown, kContactTownChars},
    {&ClubContact::contactCountry, kContactCountryChars},
}};

} // namespace

ClubContact SanitisedContact(const ClubContact& contact) {
    ClubContact clean;
    for (const auto& [field, width] : kFields) {
        std::string text = (contact.*field).substr(0, width);
        for (char& c : text) {
            if (c == '\t' || c == '\r' || c == '\n')
                c = ' ';
        }
        clean.*field = std::move(text);
    }
    return clean;
}

std::string FormatClubContactFile(const ClubContact& contact) {
    common::TabFieldWriter writer;
    for (const auto& [field, width] : kFields)
        writer.text(contact.*field, width);
    writer.endRecord();
    return writer.bytes();
}

ClubContact ParseClubContactFile(std::string_view bytes) {
    ClubContact contact;
    common::TabFieldReader reader(bytes);
    if (reader.atEnd())
        return contact;
    for (const auto& [field, width] : kFields)
        contact.*field = reader.readText(width);
    return contact;
}

bool LoadClubContact(ClubContact& contact, const std::filesystem::path& path) {
    contact = ClubContact{};
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    contact = ParseClubContactFile(bytes);
    return true;
}

bool SaveClubContact(const ClubContact& contact, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatClubContactFile(contact));
}

bool LoadClubContactDatabase(const common::WorkingFolder& folder, ClubContact& contact,
                             common::MessageSink& messages) {
    if (LoadClubContact(contact, folder.path(kClubContactFileName)))
        return true;
    messages.show(kClubContactErrorCaption, kClubContactFileErrorText);
    return false;
}

bool SaveClubContactDatabase(const common::WorkingFolder& folder, const ClubContact& contact,
                             common::MessageSink& messages) {
    if (SaveClubContact(contact, folder.path(kClubContactFileName)))
        return true;
    messages.show(kClubContactErrorCaption, kClubContactFileErrorText);
    return false;
}

} // namespace tallimo::emails
