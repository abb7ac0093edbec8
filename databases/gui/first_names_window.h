#pragma once

// The first names window. It shows either the subscribers' first names or
// the calendar, in alphabetical or date order, and edits its own copies of
// both tables; "Ok" writes both files, "Echap" and the close box leave them
// as they were. Names are added to and removed from the calendar only. The
// selected entry is a record of the shown table, or none.

#include "databases/core/first_names_file.h"
#include "databases/gui/editing_window.h"

#include <vector>

namespace tallimo::databases {

class FirstNamesWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels and both tables at once; missing files are reported
    // through `dialogs` and the window opens anyway.
    FirstNamesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                     QWidget* parent = nullptr);
    ~FirstNamesWindow() override;

    // The window's copies of the tables, as edited so far.
    const FirstNameTable& subscriberFirstNames() const { return m_subscriberNames; }
    const FirstNameTable& calendar() const { return m_calendar; }

private:
    enum ShownList { kSubscribersList = 0, kCalendarList = 1 };

    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;
    bool importFrom(const std::filesystem::path& path) override;

    void buildControls();
    void connectControls();
    void loadTexts();

    void chooseList(int list);
    void chooseOrder(bool dateOrder);
    void addName();
    void removeName();
    void setDay(int day);
    void setMonth(int month);

    FirstNameTable& shownTable();
    void sortTable(FirstNameTable& table) const;
    // Refills the list from the shown table and selects the record equal to
    // `keep`, or none.
    void showList(const SubscriberFirstName* keep);
    void selectRow(int row);
    bool hasSelection() const { return m_selected >= 0; }

    FirstNameTable m_subscriberNames;
    FirstNameTable m_calendar;
    int m_shownList = kSubscribersList;
    bool m_dateOrder = false;
    // Table index of each row of the list; free records are not listed.
    std::vector<int> m_rows;
    int m_selected = -1;

    QLabel* m_listChoiceLabel = nullptr;
    QComboBox* m_listChoice = nullptr;
    QRadioButton* m_alphabetical = nullptr;
    QRadioButton* m_byDate = nullptr;
    RecordList* m_names = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QLabel* m_selectedLabel = nullptr;
    QLineEdit* m_selectedName = nullptr;
    QLabel* m_namedayLabel = nullptr;
    QComboBox* m_dayCombo = nullptr;
    QComboBox* m_monthCombo = nullptr;
};

} // namespace tallimo::databases
