#pragma once

// The subscribers database window. It edits its own copy of the subscribers
// table; "Ok" writes "BaseDonnéesAbonnés.bd1", rebuilds the subscribers'
// first names and makes the run files follow the table, while "Echap" and
// the close box leave every file as it was. The opening list is the table's
// (name, first name) pairs as the window opened it: run files are created
// and deleted against it, so an import does not renew it. The selected
// record is the subscriber the right-hand controls show, or none when the
// list is empty.

#include "common/core/local_clock.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/first_names_file.h"
#include "databases/core/record_editing.h"
#include "databases/core/subscribers_file.h"
#include "databases/core/subscribers_saving.h"
#include "databases/gui/address_fields.h"
#include "databases/gui/editing_window.h"
#include "printing/core/picture_library.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tallimo::printing {
class ReportPrinter;
}

namespace tallimo::databases {

class PictureFrame;

class SubscribersWindow final : public EditingWindow {
    Q_OBJECT

public:
    // The printouts of the "Imprimer" menu: the blank registration form, and
    // the sheet of the subscriber at the index in the table.
    using FormPrinter = std::function<void()>;
    using SheetPrinter = std::function<void(const SubscriberTable&, int)>;

    // Reads the labels, the subscribers, the age categories, both first
    // names lists, the countries and the clubs at once; missing files are
    // reported through `dialogs` and the window opens anyway. `clock` gives
    // today, against which dates of birth are checked.
    SubscribersWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                      printing::PictureLibrary& pictures, const common::LocalClock& clock,
                      QWidget* parent = nullptr);
    ~SubscribersWindow() override;

    // "Imprimer" is enabled while at least one printer is set.
    void setPrinters(FormPrinter form, SheetPrinter sheet);
    // Both printouts open their previews on `printer`, which outlives the
    // window; null takes them away.
    void setReportPrinter(const printing::ReportPrinter* printer) override;

    // The window's copy of the table, as edited so far.
    const SubscriberTable& subscribers() const { return m_subscribers; }

private:
    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;

    RecordRules<SubscriberTable> rules();
    void buildControls();
    void connectControls();
    void loadTexts();
    void fillClubs();
    void validateRecords(SubscriberTable& table) const;

    // Connects `edit` so that what the operator types goes to `field` of the
    // selected subscriber, cut to `capacity`.
    void storeEdits(QLineEdit* edit, std::string Subscriber::*field, std::size_t capacity);
    void storeComboText(QComboBox* combo, std::string Subscriber::*field, std::size_t capacity);
    void dateChanged();

    void showSubscriber();
    void showDays();
    void showAgeCategory();

    printing::PictureLibrary& m_pictures;
    const common::LocalClock& m_clock;
    FormPrinter m_printForm;
    SheetPrinter m_printSheet;

    SubscriberTable m_subscribers = MakeSubscriberTable();
    OpeningList m_opening;
    AgeCategoryTable m_ageCategories{};
    FirstNameTable m_previousFirstNames = MakeFirstNameTable(kSubscriberFirstNames);
    FirstNameTable m_calendar = MakeFirstNameTable(kCalendarFirstNames);
    // The club combo's items, the empty one first; empty when the clubs
    // file could not be read.
    std::vector<std::string> m_clubItems;
    int m_today = 0;
    RecordEditor<SubscriberTable> m_editor;
    std::function<void()> m_showPhoto;

    QLabel* m_newNameLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QLabel* m_newFirstNameLabel = nullptr;
    QLineEdit* m_newFirstName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;

    QLineEdit* m_shownName = nullptr;
    std::optional<AddressFields> m_address;
    QLabel* m_birthLabel = nullptr;
    QComboBox* m_day = nullptr;
    QComboBox* m_month = nullptr;
    QComboBox* m_year = nullptr;
    QLineEdit* m_ageCategory = nullptr;
    std::optional<SexChoice> m_sex;
    QLabel* m_clubLabel = nullptr;
    QComboBox* m_club = nullptr;
    QLabel* m_transponderLabel = nullptr;
    QLineEdit* m_transponder = nullptr;
    PictureFrame* m_photo = nullptr;

    QPushButton* m_print = nullptr;
    QMenu* m_printMenu = nullptr;
    QAction* m_formAction = nullptr;
    QAction* m_sheetAction = nullptr;
};

} // namespace tallimo::databases
