#pragma once

// What every database window does to its table of records: which record is
// selected, adding, removing, editing and importing, and whether anything
// changed since the table was read. The window only shows the result.
//
// Ownership and invariants: the editor works on the table it was given,
// which outlives it. The selection is a listed index of that table, or -1
// when nothing is listed. Each table keeps its own rules (where a new record
// goes, what removing does to the others) in `RecordRules`; the editor only
// sequences them, so a refused add or remove leaves the table, the selection
// and the dirty state as they were. An import reads into a scratch table:
// the edited one is replaced only when the file could be read.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tallimo::databases {

template <typename Table> struct RecordRules {
    // The indices the list shows, row by row.
    std::function<std::vector<int>(const Table&)> listed;
    // The operator's "Ajouter": the index of the new record, or -1 when the
    // table refuses the typed name.
    std::function<int(Table&, std::string_view)> add;
    // False when the record at the index could not be removed.
    std::function<bool(Table&, int)> remove;
    // Fills a table from a file; false (the table then as it was) when the
    // file cannot be read.
    std::function<bool(Table&, const std::filesystem::path&)> load;
    // What an empty scratch table holds before an import reads into it.
    std::function<void(Table&)> clear;
    // After a removal the row that was selected stays selected (the next
    // record moves up into it) instead of the first row.
    bool keepRowAfterRemove = false;
};

template <typename Table> class RecordEditor {
public:
    using Record = typename Table::value_type;

    RecordEditor(Table& table, RecordRules<Table> rules)
        : m_table(table), m_rules(std::move(rules)) {}

    std::vector<int> listed() const { return m_rules.listed(m_table); }
    int selected() const { return m_selected; }
    // The list row of the selection, or -1.
    int selectedRow() const { return rowOf(m_selected); }
    Record* current() { return m_selected < 0 ? nullptr : &m_table[index(m_selected)]; }
    const Record* current() const { return m_selected < 0 ? nullptr : &m_table[index(m_selected)]; }

    const Record& at(int recordIndex) const { return m_table[index(recordIndex)]; }

    // Selects the index when it is listed, nothing otherwise.
    void select(int recordIndex) { m_selected = rowOf(recordIndex) < 0 ? -1 : recordIndex; }
    // Selects the record of list row `row`, nothing when there is none.
    void selectRow(int row) {
        const std::vector<int> rows = listed();
        m_selected = row >= 0 && row < static_cast<int>(rows.size()) ? rows[index(row)] : -1;
    }
    void selectFirst() { selectRow(0); }

    // The new record's index, selected; nothing when the table refused it.
    std::optional<int> add(std::string_view typed) {
        const int added = m_rules.add(m_table, typed);
        if (added < 0)
            return std::nullopt;
        m_dirty = true;
        select(added);
        return added;
    }

    // Removes the selected record. False when nothing is selected or the
    // table refused.
    bool remove() {
        const int row = selectedRow();
        if (row < 0 || !m_rules.remove(m_table, m_selected))
            return false;
        m_dirty = true;
        const int count = static_cast<int>(listed().size());
        selectRow(m_rules.keepRowAfterRemove ? std::min(row, count - 1) : 0);
        return true;
    }

    // Applies `change` to the selected record. False, and nothing changed,
    // without a selection.
    template <typename Change> bool edit(Change&& change) {
        Record* record = current();
        if (record == nullptr)
            return false;
        std::forward<Change>(change)(*record);
        m_dirty = true;
        return true;
    }

    // Replaces the table with the file's records and selects the first.
    // False, and the table untouched, when the file cannot be read.
    bool import(const std::filesystem::path& path) {
        Table scratch{};
        if (m_rules.clear)
            m_rules.clear(scratch);
        if (!m_rules.load(scratch, path))
            return false;
        m_table = std::move(scratch);
        m_dirty = true;
        selectFirst();
        return true;
    }

    // True once the table was changed through the editor since it was
    // given or last marked clean.
    bool dirty() const { return m_dirty; }
    void markClean() { m_dirty = false; }

private:
    static std::size_t index(int i) { return static_cast<std::size_t>(i); }
    int rowOf(int recordIndex) const {
        if (recordIndex < 0)
            return -1;
        const std::vector<int> rows = listed();
        const auto found = std::find(rows.begin(), rows.end(), recordIndex);
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }

    Table& m_table;
    RecordRules<Table> m_rules;
    int m_selected = -1;
    bool m_dirty = false;
};

// The listed indices of a table whose records fill its first `count` slots.
inline std::vector<int> FirstIndices(int count) {
    std::vector<int> indices(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        indices[static_cast<std::size_t>(i)] = i;
    return indices;
}

} // namespace tallimo::databases
