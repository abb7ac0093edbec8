#include "databases/core/subscriber_printouts.h"

#include "common/core/name_rules.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <cstddef>
#include <cstdio>
#include <functional>

namespace tallimo::databases {
namespace {

constexpr std::string_view kSubscriberTextsFileName = "BaseAbonnes.trans";
constexpr int kSubscriberTextsRows = 7;
constexpr int kSubscribersWindowIndex = 9;
constexpr std::string_view kClubTextsFileName = "BaseClubs.trans";
constexpr int kClubTextsRows = 11;
constexpr int kClubsWindowIndex = 7;
// The year field holds four digits.
constexpr int kLastYearIndex = 9999 - 1900;

// Where a label lives: a row of the subscribers' or the clubs' table.
struct LabelSource {
    bool clubs;
    int row;
};

LabelSource SourceOf(PrintoutField field) {
    switch (field) {
    case PrintoutField::Name:
        return {false, 2};
    case PrintoutField::FirstName:
        return {false, 3};
    case PrintoutField::BirthDate:
        return {false, 4};
    case PrintoutField::Club:
        return {false, 5};
    case PrintoutField::Address:
        return {true, 3};
    case PrintoutField::PostalCode:
        return {true, 4};
    case PrintoutField::Town:
        return {true, 5};
    case PrintoutField::Country:
        return {true, 6};
    case PrintoutField::Phone:
        return {true, 7};
    case PrintoutField::Email:
        return {true, 8};
    case PrintoutField::Transponder:
        break;
    }
    return {false, -1};
}

constexpr PrintoutField kPrintOrder[] = {
    PrintoutField::Name,    PrintoutField::FirstName,   PrintoutField::Email,
    PrintoutField::Address, PrintoutField::PostalCode,  PrintoutField::Town,
    PrintoutField::Country, PrintoutField::Phone,       PrintoutField::BirthDate,
    PrintoutField::Club,    PrintoutField::Transponder,
};

bool IsRequired(PrintoutField field) {
    return field == PrintoutField::Name || field == PrintoutField::FirstName ||
           field == PrintoutField::BirthDate;
}

std::vector<PrintoutLine> EmptyLines(const SubscriberPrintoutTexts& texts) {
    std::vector<PrintoutLine> lines;
    for (const PrintoutField field : kPrintOrder) {
        lines.push_back({field, PrintoutLabel(field, texts), {}, !IsRequired(field)});
        if (field == PrintoutField::Address)
            lines.push_back({field, {}, {}, true});
    }
    return lines;
}

} // namespace

SubscriberPrintoutTexts LoadSubscriberPrintoutTexts(const common::WorkingFolder& folder,
                                                    common::MessageSink& messages) {
    SubscriberPrintoutTexts texts;
    texts.language = i18n::OpenLanguageSettings(folder, messages).interfaceCode;
    i18n::LoadWindowTable(folder, kSubscriberTextsFileName, texts.subscriberLabels,
                          kSubscriberTextsRows, messages);
    i18n::LoadWindowTable(folder, kClubTextsFileName, texts.clubLabels, kClubTextsRows, messages);
    return texts;
}

std::string PrintoutLabel(PrintoutField field, const SubscriberPrintoutTexts& texts) {
    const LabelSource source = SourceOf(field);
    if (source.row < 0)
        return "#Transpond. :";
    const i18n::TranslationTable& table = source.clubs ? texts.clubLabels : texts.subscriberLabels;
    std::string label = table.text(source.row, texts.language);
    if (label.empty()) {
        const std::vector<i18n::TranslationRow>& factory =
            i18n::FactoryRows(source.clubs ? kClubsWindowIndex : kSubscribersWindowIndex);
        if (static_cast<std::size_t>(source.row) < factory.size())
            label = factory[static_cast<std::size_t>(source.row)]
                        .texts[i18n::LanguageColumn(texts.language)];
    }
    return label + " :";
}

std::string BirthDateText(const Subscriber& subscriber) {
    if (!subscriber.hasBirthDate())
        return {};
    const common::DateIndex date = subscriber.birthDate();
    // The day is checked against the longest month only: a 29 February kept
    // while another year was chosen is still what the operator typed.
    if (date.day < 0 || date.day > 30 || date.month < 0 || date.month > 11 || date.year < 0 ||
        date.year > kLastYearIndex)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%02d / %02d / %d", date.day + 1, date.month + 1,
                  date.year + 1900);
    return text;
}

std::vector<PrintoutLine> InformationSheetLines(const Subscriber& subscriber,
                                                const SubscriberPrintoutTexts& texts) {
    std::vector<PrintoutLine> lines = EmptyLines(texts);
    bool secondAddressLine = false;
    for (PrintoutLine& line : lines) {
        line.optional = false;
        switch (line.field) {
        case PrintoutField::Name:
            line.value = subscriber.name;
            break;
        case PrintoutField::FirstName:
            line.value = subscriber.firstName;
            break;
        case PrintoutField::Email:
            line.value = subscriber.email;
            break;
        case PrintoutField::Address:
            line.value = secondAddressLine ? subscriber.address2 : subscriber.address1;
            secondAddressLine = true;
            break;
        case PrintoutField::PostalCode:
            line.value = subscriber.postalCode;
            break;
        case PrintoutField::Town:
            line.value = subscriber.town;
            break;
        case PrintoutField::Country:
            line.value = subscriber.country;
            break;
        case PrintoutField::Phone:
            line.value = subscriber.phone;
            break;
        case PrintoutField::BirthDate:
            line.value = BirthDateText(subscriber);
            break;
        case PrintoutField::Club:
            line.value = subscriber.club;
            break;
        case PrintoutField::Transponder:
            line.value = subscriber.transponder;
            break;
        }
    }
    return lines;
}

std::vector<PrintoutLine> RegistrationFormLines(const SubscriberPrintoutTexts& texts) {
    return EmptyLines(texts);
}

std::string InformationSheetHeading(i18n::LanguageCode language) {
    return i18n::WindowTitle(i18n::TitledWindow::InformationSheet, language);
}

std::string RegistrationFormTitle(i18n::LanguageCode language) {
    return i18n::WindowTitle(i18n::TitledWindow::SubscriberForm, language);
}

std::optional<int> FindPrintedSubscriber(const SubscriberTable& table, std::string_view surname,
                                         std::string_view firstName) {
    const int count = CountSubscribers(table);
    // The first match in list order; with `unique`, none when several match.
    const auto find = [&](auto&& same, bool unique) -> std::optional<int> {
        std::optional<int> found;
        for (int i = 0; i < count; ++i) {
            const Subscriber& subscriber = table[static_cast<std::size_t>(i)];
            if (!same(subscriber.name, surname) || !same(subscriber.firstName, firstName))
                continue;
            if (!unique)
                return i;
            if (found)
                return std::nullopt;
            found = i;
        }
        return found;
    };
    if (const auto exact = find(std::equal_to<std::string_view>(), false))
        return exact;
    if (const auto anyCase = find(common::EqualsIgnoringCase, false))
        return anyCase;
    // Accents and separators typed differently are only forgiven when they
    // cannot pick the wrong subscriber.
    return find(
        [](std::string_view a, std::string_view b) {
            return common::NormaliseName(a) == common::NormaliseName(b);
        },
        true);
}

std::string UnknownSubscriberText(std::string_view surname, std::string_view firstName) {
    std::string text = "Error : Subscriber '";
    text += surname;
    text += ' ';
    text += firstName;
    text += "' not found in the 'Subscribers' database";
    return text;
}

} // namespace tallimo::databases
