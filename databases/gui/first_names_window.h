#pragma once

// The first names window. It shows either the subscribers' first names or
// the calendar, in alphabetical or date order, and edits its own copies of
// both tables; "Ok" writes both files, "Echap" and the close box leave them
// as they were. Names are added to and removed from the calendar only. The
// selected entry is a record of the shown table, or none.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/first_names_file.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/language_code.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tallimo::databases {

class FirstNamesWindow final : public QDialog {
    Q_OBJECT

public:
    using FileChooser = databases::FileChooser;

    // Reads the labels and both tables at once; missing files are reported
    // through `dialogs` and the window opens anyway.
    FirstNamesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                     QWidget* parent = nullptr);
    ~FirstNamesWindow() override;

    void setFileChooser(FileChooser chooser);

    // The window's copies of the tables, as edited so far.
    const FirstNameTable& subscriberFirstNames() const { return m_subscriberNames; }
    const FirstNameTable& calendar() const { return m_calendar; }

private:
    enum ShownList { kSubscribersList = 0, kCalendarList = 1 };

    void buildControls();
    void connectControls();
    void loadTexts();

    void chooseList(int list);
    void chooseOrder(bool dateOrder);
    void addName();
    void removeName();
    void importNames();
    void exportNames();
    void saveAndClose();
    void setDay(int day);
    void setMonth(int month);

    FirstNameTable& shownTable();
    void sortTable(FirstNameTable& table) const;
    // Refills the list from the shown table and selects the record equal to
    // `keep`, or none.
    void showList(const SubscriberFirstName* keep);
    void selectRow(int row);
    bool hasSelection() const { return m_selected >= 0; }

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    FileChooser m_chooser;

    FirstNameTable m_subscriberNames;
    FirstNameTable m_calendar;
    int m_shownList = kSubscribersList;
    bool m_dateOrder = false;
    // Table index of each row of the list; free records are not listed.
    std::vector<int> m_rows;
    int m_selected = -1;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    QLabel* m_heading = nullptr;
    QLabel* m_listChoiceLabel = nullptr;
    QComboBox* m_listChoice = nullptr;
    QRadioButton* m_alphabetical = nullptr;
    QRadioButton* m_byDate = nullptr;
    QLabel* m_listLabel = nullptr;
    QListWidget* m_nameList = nullptr;
    QLabel* m_numberLabel = nullptr;
    QListWidget* m_numberList = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QLabel* m_selectedLabel = nullptr;
    QLineEdit* m_selectedName = nullptr;
    QLabel* m_namedayLabel = nullptr;
    QComboBox* m_dayCombo = nullptr;
    QComboBox* m_monthCombo = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::databases
