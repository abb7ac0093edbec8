#include "session/core/breakdown_file.h"

#include "common/core/data_file.h"
#include "session/core/session_file.h"

#include <filesystem>
#include <system_error>

namespace tallimo::session {
namespace {

void AppendField(std::string& out, std::string_view text, std::size_t capacity) {
    for (char c : text.substr(0, capacity))
        out += c == '\t' ? ' ' : c;
    out += '\t';
}

std::string Cut(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity));
}

// Reads the file's fields in place; `m_pos` only moves forward.
class BreakdownReader {
public:
    explicit BreakdownReader(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const {
        return m_pos >= m_bytes.size() || static_cast<unsigned char>(m_bytes[m_pos]) == 0xFF;
    }

    // Up to the next TAB (consumed). With `stopAtLineEnd` an LF first ends
    // the field and the record; `lineEnded` then says so.
    std::string field(std::size_t capacity, bool stopAtLineEnd, bool& lineEnded) {
        const std::size_t start = m_pos;
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\t' &&
               !(stopAtLineEnd && m_bytes[m_pos] == '\n'))
            ++m_pos;
        std::string_view text = m_bytes.substr(start, m_pos - start);
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n') {
            lineEnded = true;
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
        } else if (m_pos < m_bytes.size()) {
            ++m_pos; // the TAB
        }
        return Cut(text, capacity);
    }

    void skipLine() {
        while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\n')
            ++m_pos;
        if (m_pos < m_bytes.size())
            ++m_pos;
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace

void ClearBreakdowns(BreakdownTable& table) {
    table.fill(BreakdownEntry{});
}

std::string FormatBreakdownFile(const BreakdownTable& table) {
    std::string out;
    for (const BreakdownEntry& entry : table) {
        if (entry.isFree())
            continue;
        AppendField(out, entry.kartLabel, kBreakdownLabelChars);
        AppendField(out, entry.cause, kBreakdownCauseChars);
        AppendField(out, entry.action, kBreakdownActionChars);
        out += '\n';
    }
    return out;
}

void ParseBreakdownFile(std::string_view bytes, BreakdownTable& table) {
    ClearBreakdowns(table);
    BreakdownReader in(bytes);
    for (BreakdownEntry& entry : table) {
        if (in.atEnd())
            break;
        bool lineEnded = false;
        entry.kartLabel = in.field(kBreakdownLabelChars, true, lineEnded);
        if (!lineEnded)
            entry.cause = in.field(kBreakdownCauseChars, true, lineEnded);
        if (!lineEnded)
            entry.action = in.field(kBreakdownActionChars, false, lineEnded);
        in.skipLine();
    }
}

bool LoadBreakdowns(const common::WorkingFolder& folder, BreakdownTable& table) {
    std::string bytes;
    if (!common::ReadWholeFile(folder.path(kBreakdownFileName), bytes)) {
        ClearBreakdowns(table);
        return false;
    }
    ParseBreakdownFile(bytes, table);
    return true;
}

bool SaveBreakdowns(const common::WorkingFolder& folder, const BreakdownTable& table) {
    const std::filesystem::path path = folder.path(kBreakdownFileName);
    // "Private/" may not exist yet in a fresh working folder.
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return common::WriteFileAtomically(path, FormatBreakdownFile(table));
}

bool BreakdownKartOfTreeItem(int selectedTreeItem, int& category, int& slot) {
    const int code = selectedTreeItem - kBreakdownTreeItem;
    if (code < 1)
        return false;
    const int c = code / 100;
    const int k = code % 100 - 1;
    if (c >= kRentalCategoryCount || k < 0 || k >= kKartsPerCategory)
        return false;
    category = c;
    slot = k;
    return true;
}

bool BreakdownSheet::open(BreakdownTable& table, std::string_view kartLabel) {
    m_entry = nullptr;
    // The kart's own sheet first, wherever it sits: taking an earlier
    // unlabelled entry instead would give the kart a second sheet.
    for (BreakdownEntry& entry : table)
        if (!kartLabel.empty() && entry.kartLabel == kartLabel) {
            m_entry = &entry;
            break;
        }
    if (m_entry == nullptr)
        for (BreakdownEntry& entry : table)
            if (entry.kartLabel.empty()) {
                m_entry = &entry;
                break;
            }
    if (m_entry == nullptr)
        return false;
    m_openingCause = m_entry->cause;
    m_openingAction = m_entry->action;
    m_entry->kartLabel = Cut(kartLabel, kBreakdownLabelChars);
    return true;
}

void BreakdownSheet::setCause(std::string_view cause) {
    if (m_entry != nullptr)
        m_entry->cause = Cut(cause, kBreakdownCauseEntryChars);
}

void BreakdownSheet::setAction(std::string_view action) {
    if (m_entry == nullptr)
        return;
    m_entry->action = Cut(action, kBreakdownActionEntryChars);
    // Half a line break would come back as a stray character.
    if (action.size() > kBreakdownActionEntryChars && !m_entry->action.empty() &&
        m_entry->action.back() == '\r')
        m_entry->action.pop_back();
}

bool BreakdownSheet::changedSinceOpening() const {
    return m_entry != nullptr &&
           (m_entry->cause != m_openingCause || m_entry->action != m_openingAction);
}

void BreakdownSheet::discard() {
    if (m_entry != nullptr)
        *m_entry = BreakdownEntry{};
}

BreakdownOutcome ConfirmBreakdownSheet(const common::WorkingFolder& folder, RentalSession& session,
                                       const SessionHeader& header, int category, int slot,
                                       BreakdownTable& table, BreakdownSheet& sheet, bool repaired,
                                       common::MessageSink& messages) {
    BreakdownOutcome outcome;
    if (repaired) {
        const bool rentalKart = category >= 0 && category < kRentalCategoryCount && slot >= 0 &&
                                slot < kKartsPerCategory;
        // Only a broken-down kart is put back: a kart that is in the session
        // already may be running, and one out of it was never declared.
        if (rentalKart && session.kart(category, slot).usage == KartUsage::BrokenDown) {
            SessionKart& kart = session.kart(category, slot);
            kart.usage = KartUsage::InSession;
            kart.trackState = TrackState::Free;
        }
        sheet.discard();
        outcome.confirmation = BreakdownConfirmation::KartRepaired;
        outcome.sessionSaved = SaveSessionFile(folder, session, header);
        if (!outcome.sessionSaved)
            messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    } else if (!sheet.changedSinceOpening()) {
        return outcome;
    } else {
        outcome.confirmation = BreakdownConfirmation::SheetsWritten;
    }
    outcome.sheetsSaved = SaveBreakdowns(folder, table);
    if (!outcome.sheetsSaved)
        messages.show(kBreakdownErrorCaption, kBreakdownFileErrorText);
    return outcome;
}

} // namespace tallimo::session
