#pragma once

// The age categories database window. It edits its own copy of the table
// and writes "BaseDonnéesAges.bd1" only on "Ok"; "Echap" and the close box
// leave the file as it was.

#include "common/core/local_clock.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/record_editing.h"
#include "databases/gui/editing_window.h"

#include <optional>

namespace tallimo::databases {

class AgeCategoriesWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels and the file at once; missing files are reported
    // through `dialogs` and the window opens anyway. `clock` gives the years
    // the combos offer and the ages shown.
    AgeCategoriesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                        const common::LocalClock& clock, QWidget* parent = nullptr);
    ~AgeCategoriesWindow() override;

    const AgeCategoryTable& categories() const { return m_categories; }

private:
    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;

    void buildControls();
    void loadTexts();
    void datesChanged(bool fromChanged);
    void showCategory();

    int m_nowMonths = 0;
    int m_currentYearIndex = 0;

    AgeCategoryTable m_categories{};
    RecordEditor<AgeCategoryTable> m_editor;

    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newCode = nullptr;
    QPushButton* m_add = nullptr;
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
    std::optional<SexChoice> m_sex;
};

} // namespace tallimo::databases
