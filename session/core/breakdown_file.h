#pragma once

// The breakdown sheets of the session's karts: up to 150 entries of a kart
// label, the cause and the repair under way, kept in "Private/PannesKarts.bkd"
// from a kart's first cause or action until it is declared repaired. An entry
// with neither cause nor action is free and is not written. Texts are
// Windows-1252; an action may hold line breaks (CR LF), so only a TAB ends
// it in the file.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "session/core/rental_session.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tallimo::session {

constexpr int kBreakdownCapacity = 150;
constexpr std::size_t kBreakdownLabelChars = 4;
// What the fields hold, and what the operator may type into them.
constexpr std::size_t kBreakdownCauseChars = 49;
constexpr std::size_t kBreakdownCauseEntryChars = 48;
constexpr std::size_t kBreakdownActionChars = 199;
constexpr std::size_t kBreakdownActionEntryChars = 198;

// The tree code of the "Karts en panne" item; its karts follow it.
constexpr int kBreakdownTreeItem = 1000;

inline constexpr const char* kBreakdownFileName = "Private/PannesKarts.bkd";
inline const char* const kBreakdownErrorCaption = "Error";
inline const char* const kBreakdownFileErrorText = "Error: 'Karts breakdown' file not found";

struct BreakdownEntry {
    std::string kartLabel;
    std::string cause;
    std::string action;

    bool isFree() const { return cause.empty() && action.empty(); }
    friend bool operator==(const BreakdownEntry&, const BreakdownEntry&) = default;
};

using BreakdownTable = std::array<BreakdownEntry, kBreakdownCapacity>;

void ClearBreakdowns(BreakdownTable& table);

// One line per entry that is not free, in table order: label, cause and
// action each followed by TAB, then LF. A TAB inside a text would end its
// field early, so it is written as a blank.
std::string FormatBreakdownFile(const BreakdownTable& table);

// Clears the table and fills it from the bytes, at most 150 entries. A line
// that ends before its cause's TAB ends its entry there, so a damaged line
// cannot swallow the lines after it; the action runs up to its TAB.
void ParseBreakdownFile(std::string_view bytes, BreakdownTable& table);

// False when the file cannot be read (the table is then cleared) or written
// (the previous file then stays whole).
bool LoadBreakdowns(const common::WorkingFolder& folder, BreakdownTable& table);
bool SaveBreakdowns(const common::WorkingFolder& folder, const BreakdownTable& table);

// The kart a breakdown tree item stands for: 1000 + 100 x category + slot + 1,
// rental categories only. False for any other item.
bool BreakdownKartOfTreeItem(int selectedTreeItem, int& category, int& slot);

// The sheet being edited in the breakdown window, with what it held when it
// was opened.
class BreakdownSheet {
public:
    // Takes the kart's own entry, or else the first entry without a label,
    // and writes the label into it. False when the table has room for no
    // new sheet; the sheet then stays closed and the table unchanged.
    bool open(BreakdownTable& table, std::string_view kartLabel);

    bool isOpen() const { return m_entry != nullptr; }
    const BreakdownEntry* entry() const { return m_entry; }

    // The operator's typing, cut to what the fields take.
    void setCause(std::string_view cause);
    void setAction(std::string_view action);

    bool changedSinceOpening() const;

    // Empties the entry: the kart is repaired and its sheet goes.
    void discard();

private:
    BreakdownEntry* m_entry = nullptr;
    std::string m_openingCause;
    std::string m_openingAction;
};

enum class BreakdownConfirmation { NothingWritten, SheetsWritten, KartRepaired };

struct BreakdownOutcome {
    BreakdownConfirmation confirmation = BreakdownConfirmation::NothingWritten;
    bool sessionSaved = true;
    bool sheetsSaved = true;
};

// "Valider" on the sheet of the kart (`category`, `slot`). When `repaired`,
// the broken-down kart comes back to the session free, its sheet is removed
// and both the session file and the sheets are written; otherwise only the
// sheets are written, and only when the cause or action changed. Failures
// are reported through `messages`.
BreakdownOutcome ConfirmBreakdownSheet(const common::WorkingFolder& folder, RentalSession& session,
                                       const SessionHeader& header, int category, int slot,
                                       BreakdownTable& table, BreakdownSheet& sheet, bool repaired,
                                       common::MessageSink& messages);

} // namespace tallimo::session
