#pragma once

// The age categories database window. It edits its own copy of the table
// and writes "BaseDonnéesAges.bd1" only on "Ok"; "Echap" and the close box
// leave the file as it was.

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/age_categories_file.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/language_code.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tallimo::databases {

class AgeCategoriesWindow final : public QDialog {
    Q_OBJECT

public:
    using FileChooser = databases::FileChooser;

    // Reads the labels and the file at once; missing files are reported
    // through `dialogs` and the window opens anyway. `clock` gives the years
    // the combos offer and the ages shown.
    AgeCategoriesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                        const common::LocalClock& clock, QWidget* parent = nullptr);
    ~AgeCategoriesWindow() override;

    void setFileChooser(FileChooser chooser);

    const AgeCategoryTable& categories() const { return m_categories; }

private:
    void buildControls();
    void connectControls();
    void loadTexts();

    void addCategory();
    void removeCategory();
    void importCategories();
    void exportCategories();
    void saveAndClose();
    void datesChanged(bool fromChanged);

    void showList(int index);
    void selectCategory(int index);
    void showCategory();
    AgeCategory* selectedCategory();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    FileChooser m_chooser;
    int m_nowMonths = 0;
    int m_currentYearIndex = 0;

    AgeCategoryTable m_categories{};
    int m_selected = -1;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    QLabel* m_heading = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newCode = nullptr;
    QPushButton* m_add = nullptr;
    QLabel* m_listLabel = nullptr;
    QLabel* m_numberLabel = nullptr;
    QListWidget* m_codeList = nullptr;
    QListWidget* m_numberList = nullptr;
    QPushButton* m_remove = nullptr;
    QLineEdit* m_code = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_bornLabel = nullptr;
    QComboBox* m_fromMonth = nullptr;
    QComboBox* m_fromYear = nullptr;
    QLabel* m_fromAge = nullptr;
    QLabel* m_andLabel = nullptr;
    QComboBox* m_toMonth = nullptr;
    QComboBox* m_toYear = nullptr;
    QLabel* m_toAge = nullptr;
    QLabel* m_sexLabel = nullptr;
    QRadioButton* m_man = nullptr;
    QRadioButton* m_woman = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::databases
