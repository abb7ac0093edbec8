#pragma once

// What the discounts window does to the events: adding and removing them,
// moving an event to another month, naming the two events every table has,
// and importing a whole table. Events 0 and 1 (birthday, nameday) always
// exist; the dated events follow them up to the first without a name, so
// every change here keeps the named events packed from index 2.

#include "databases/core/record_editing.h"
#include "finances/core/discounts_file.h"
#include "i18n/core/language_code.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::finances {

using DiscountEvents = std::array<DiscountEvent, kMaxDiscountEvents>;

// The operator's "Ajouter": the name cut to 24 characters, each '-' made
// '_', appended with every number 0. Returns its index, or -1 without a
// message when the name is empty, starts with a blank, equals a listed
// event's name ignoring case, would end the file where it is read back (a
// leading 0xFF byte), or the table is full.
int AddDiscountEvent(DiscountEvents& events, std::string_view typed);

// The events after `index` move up one place and the last slot is
// cleared. False, and nothing changed, for events 0 and 1 and for an index
// that is not listed.
bool RemoveDiscountEvent(DiscountEvents& events, int index);

// The days the day combo offers for `month`: an event comes back every
// year, so February has its 29th. 0 for a month that does not exist.
int EventMonthDays(int month);

// Moves the event to `month`; a day the month does not have becomes the
// month's last.
void SetEventMonth(DiscountEvent& event, int month);

// Events 0 and 1 take their names in the interface language.
void NameFixedEvents(DiscountTable& table, i18n::LanguageCode language);

// The discount of session `session` of session category `category` (5 =
// private karts) for editing; null outside the tables.
std::int32_t* DiscountSlot(DiscountEvent& event, int category, int session);

// Replaces `table` by an imported file as the window shows it: discounts
// of unnamed categories zeroed, events 0 and 1 named in `language`. False
// when the file cannot be read; the table is then untouched, so a wrong
// choice in the file dialog costs the operator nothing.
bool ImportDiscounts(DiscountTable& table, const std::filesystem::path& path,
                     const std::array<std::string, kPriceRows>& categoryNames,
                     i18n::LanguageCode language);

// How the window's list drives the events. Imports go through
// `ImportDiscounts`, which also reads the unit the events share.
databases::RecordRules<DiscountEvents> DiscountEventRules();

} // namespace tallimo::finances
