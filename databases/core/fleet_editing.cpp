#include "databases/core/fleet_editing.h"

#include "i18n/core/fleet_window_texts.h"

#include <algorithm>

namespace tallimo::databases {

std::string FleetKartLabel(int category, int entry) {
    return "K" + std::to_string(100 * category + entry + 1);
}

std::vector<int> ListedFleetEntries(const KartCategory& category) {
    std::vector<int> entries;
    for (int entry = 0; entry < kFleetKartsPerCategory; ++entry)
        if (!category.karts[entry].kartId.empty())
            entries.push_back(entry);
    return entries;
}

bool IsCompleteTransponder(std::string_view text) {
    return text.size() == kFleetTransponderChars &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

FleetEditor::FleetEditor(CategoryTable& table) : m_table(table) {}

KartCategory* FleetEditor::category() {
    return m_category < 0 ? nullptr : &m_table[m_category];
}

const KartCategory* FleetEditor::category() const {
    return m_category < 0 ? nullptr : &m_table[m_category];
}

void FleetEditor::selectFirstCategory() {
    const std::vector<int> slots = ListedCategorySlots(m_table);
    m_category = slots.empty() ? -1 : slots.front();
    selectFirstKart();
}

void FleetEditor::selectCategory(std::string_view name) {
    m_category = FindCategory(m_table, name);
    selectFirstKart();
}

void FleetEditor::selectFirstKart() {
    const std::vector<int> entries = listedEntries();
    m_entry = entries.empty() ? 0 : entries.front();
}

void FleetEditor::selectKart(std::string_view kartId) {
    const KartCategory* current = category();
    if (current == nullptr || kartId.empty())
        return;
    for (int entry = 0; entry < kFleetKartsPerCategory; ++entry) {
        if (current->karts[entry].kartId == kartId) {
            m_entry = entry;
            return;
        }
    }
}

std::vector<int> FleetEditor::listedEntries() const {
    const KartCategory* current = category();
    return current == nullptr ? std::vector<int>{} : ListedFleetEntries(*current);
}

int FleetEditor::currentPosition() const {
    const std::vector<int> entries = listedEntries();
    const auto found = std::find(entries.begin(), entries.end(), m_entry);
    return found == entries.end() ? 1 : static_cast<int>(found - entries.begin()) + 1;
}

const FleetKart* FleetEditor::currentKart() const {
    const KartCategory* current = category();
    return current == nullptr ? nullptr : &current->karts[m_entry];
}

bool FleetEditor::currentKartListed() const {
    const FleetKart* kart = currentKart();
    return kart != nullptr && !kart->kartId.empty();
}

std::optional<FleetNotice> FleetEditor::addKart(i18n::LanguageCode code) {
    KartCategory* current = category();
    if (current == nullptr)
        return std::nullopt;
    for (int entry = 0; entry < kFleetKartsPerCategory; ++entry) {
        FleetKart& kart = current->karts[entry];
        if (!kart.kartId.empty())
            continue;
        kart.kartId = FleetKartLabel(m_category, entry);
        // A number left in a free entry belongs to no kart; the new kart
        // must not be timed on someone else's transponder.
        kart.transponder.clear();
        m_entry = entry;
        return FleetNotice{i18n::FleetMessageCaption(code), i18n::KartAddedText(code, kart.kartId)};
    }
    return std::nullopt;
}

std::optional<FleetNotice> FleetEditor::removeKart(i18n::LanguageCode code) {
    KartCategory* current = category();
    if (current == nullptr || current->karts[m_entry].kartId.empty())
        return std::nullopt;
    FleetKart& kart = current->karts[m_entry];
    const std::string removed = kart.kartId;
    kart = FleetKart{};
    selectFirstKart();
    return FleetNotice{i18n::FleetMessageCaption(code), i18n::KartRemovedText(code, removed)};
}

bool FleetEditor::storeTransponder(std::string_view text) {
    KartCategory* current = category();
    if (current == nullptr || current->karts[m_entry].kartId.empty())
        return false;
    if (!text.empty() && !IsCompleteTransponder(text))
        return false;
    current->karts[m_entry].transponder = std::string(text);
    return true;
}

} // namespace tallimo::databases
