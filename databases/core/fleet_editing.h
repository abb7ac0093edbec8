#pragma once

// What the rental fleet window does to the kart entries of the categories
// database: which category and kart are current, adding and removing karts,
// and storing transponder numbers. The window only shows the result.
//
// Ownership and invariants: the editor works on the table it was given,
// which outlives it. The current category is a used slot, or -1 when the
// database has no category; the current entry is the selected kart, or entry
// 0 when the category has no kart. Nothing is ever written into a free slot
// or a free entry, so the file never gains karts without identifier or a
// category without name.

#include "databases/core/kart_categories_file.h"
#include "i18n/core/language_code.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

// "K%d" of 100 x category + entry + 1 (both from 0): K1 ... K30, K101 ... K130.
std::string FleetKartLabel(int category, int entry);

// The entries of `category` that hold a kart, in entry order: what the kart
// list shows, row by row.
std::vector<int> ListedFleetEntries(const KartCategory& category);

// Exactly six decimal digits.
bool IsCompleteTransponder(std::string_view text);

// A message the window shows once it has redrawn its lists.
struct FleetNotice {
    std::string caption;
    std::string text;
    friend bool operator==(const FleetNotice&, const FleetNotice&) = default;
};

class FleetEditor {
public:
    explicit FleetEditor(CategoryTable& table);

    // Makes the first used slot current, as the window opens.
    void selectFirstCategory();
    // Makes the category named exactly `name` current (or none when there is
    // no such name), and its first kart.
    void selectCategory(std::string_view name);
    // The entry whose identifier is `kartId` becomes current; nothing
    // changes when no kart has it.
    void selectKart(std::string_view kartId);

    int currentCategory() const { return m_category; }
    int currentEntry() const { return m_entry; }
    // The entries listed for the current category (empty without one).
    std::vector<int> listedEntries() const;
    // 1-based row of the current kart in the list; 1 when it is not listed.
    int currentPosition() const;
    // The current entry, or nullptr when there is no current category.
    const FleetKart* currentKart() const;
    bool currentKartListed() const;

    // The lowest free entry of the current category gets its label, an empty
    // transponder, and becomes current. Nothing happens (no notice) with 30
    // karts or without a category.
    std::optional<FleetNotice> addKart(i18n::LanguageCode code);
    // Frees the current entry, identifier and transponder, and makes the
    // category's first kart current. Nothing happens when it holds no kart.
    std::optional<FleetNotice> removeKart(i18n::LanguageCode code);
    // The transponder edit's text after a change: stored into the current
    // kart when it is empty or exactly six digits, so partial numbers never
    // reach the file. True when stored.
    bool storeTransponder(std::string_view text);

private:
    void selectFirstKart();
    KartCategory* category();
    const KartCategory* category() const;

    CategoryTable& m_table;
    int m_category = -1;
    int m_entry = 0;
};

} // namespace tallimo::databases
