#pragma once

// What the subscriber's information sheet and the blank registration form
// print, as lines of text; where they go on the page is the drawing's
// business. The labels are the subscribers window's (its own rows and the
// clubs window's address rows), so an operator's renamed label prints as
// renamed. All texts are Windows-1252.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/subscribers_file.h"
#include "i18n/core/language_code.h"
#include "i18n/core/translation_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

// The translations the printouts read when they open.
struct SubscriberPrintoutTexts {
    i18n::LanguageCode language = i18n::LanguageCode::English;
    i18n::TranslationTable subscriberLabels; // "BaseAbonnes.trans"
    i18n::TranslationTable clubLabels;       // "BaseClubs.trans"
};

// Reads the interface language and both tables, each missing file
// reported through `messages`; the printouts are made all the same.
SubscriberPrintoutTexts LoadSubscriberPrintoutTexts(const common::WorkingFolder& folder,
                                                    common::MessageSink& messages);

enum class PrintoutField {
    Name,
    FirstName,
    Email,
    Address, // two lines, the second without a label
    PostalCode,
    Town,
    Country,
    Phone,
    BirthDate,
    Club,
    Transponder,
};

struct PrintoutLine {
    PrintoutField field = PrintoutField::Name;
    std::string label;     // "Nom :"; empty on the address's second line
    std::string value;     // what the sheet prints; empty on the form
    bool optional = false; // the form's note goes beside it

    friend bool operator==(const PrintoutLine&, const PrintoutLine&) = default;
};

// The label of `field` followed by " :". A label the translations leave
// empty is the factory text of the language, so that no line prints a bare
// colon; the transponder's label is always "#Transpond. :".
std::string PrintoutLabel(PrintoutField field, const SubscriberPrintoutTexts& texts);

// "%02d / %02d / %d" of day + 1, month + 1, year + 1900. Empty for a record
// without a date of birth (three indexes 0) and for indexes no calendar
// has, which would otherwise print as a real date.
std::string BirthDateText(const Subscriber& subscriber);

// The sheet's lines in print order, with the record's values.
std::vector<PrintoutLine> InformationSheetLines(const Subscriber& subscriber,
                                                const SubscriberPrintoutTexts& texts);

// The form's lines in the same order, without values. Name, first name and
// date of birth are required (a driver is known by the two names, and the
// age category and birthday discount need the date); every other line
// carries the optional note.
std::vector<PrintoutLine> RegistrationFormLines(const SubscriberPrintoutTexts& texts);

// The headings and titles, chosen by the interface language.
std::string InformationSheetHeading(i18n::LanguageCode language);
std::string RegistrationFormTitle(i18n::LanguageCode language);

// The listed subscriber called `surname` `firstName` (Windows-1252): the
// exact spelling first, then ignoring case, then the same normalised form
// (accents, dashes and underscores set aside) when only one record has it.
// Nothing when no record matches, or several do only by normalised form.
std::optional<int> FindPrintedSubscriber(const SubscriberTable& table, std::string_view surname,
                                         std::string_view firstName);

// The message when no subscriber answers to the names.
std::string UnknownSubscriberText(std::string_view surname, std::string_view firstName);

} // namespace tallimo::databases
