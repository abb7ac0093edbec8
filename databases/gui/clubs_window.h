#pragma once

// The clubs and teams database window. It edits its own copy of the clubs
// table and writes "BaseDonnéesClubs.bd1" only on "Ok"; "Echap" and the
// close box leave the file as it was. The selected record is the club whose
// fields the right-hand controls show, or none when the list is empty.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/clubs_file.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/language_code.h"
#include "printing/core/picture_library.h"

#include <QDialog>
#include <QString>

#include <cstddef>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallimo::databases {

class PictureFrame;

class ClubsWindow final : public QDialog {
    Q_OBJECT

public:
    using FileChooser = databases::FileChooser;

    // Reads the labels, the clubs and the countries at once; missing files
    // are reported through `dialogs` and the window opens anyway.
    ClubsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                printing::PictureLibrary& pictures, QWidget* parent = nullptr);
    ~ClubsWindow() override;

    void setFileChooser(FileChooser chooser);

    // The window's copy of the table, as edited so far.
    const ClubTable& clubs() const { return m_clubs; }

private:
    void buildControls();
    void connectControls();
    void loadTexts();
    void fillCountries();

    void addClub();
    void removeClub();
    void importClubs();
    void exportClubs();
    void saveAndClose();
    void chooseLogo();
    void clearLogo();

    // Connects `edit` so that what the operator types goes to `field` of the
    // selected club, cut to `capacity`.
    void storeEdits(QLineEdit* edit, std::string Club::*field, std::size_t capacity);

    // Refills the list from the table and selects `index` (-1 for none).
    void showList(int index);
    void selectClub(int index);
    void showClub();
    void showLogo();
    bool hasSelection() const;
    Club* selectedClub();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    printing::PictureLibrary& m_pictures;
    FileChooser m_chooser;

    ClubTable m_clubs{};
    int m_selected = -1;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    QLabel* m_heading = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QLabel* m_listLabel = nullptr;
    QLabel* m_numberLabel = nullptr;
    QListWidget* m_clubList = nullptr;
    QListWidget* m_numberList = nullptr;
    QPushButton* m_remove = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_fullNameLabel = nullptr;
    QLineEdit* m_fullName = nullptr;
    QLabel* m_addressLabel = nullptr;
    QLineEdit* m_address1 = nullptr;
    QLineEdit* m_address2 = nullptr;
    QLabel* m_postalCodeLabel = nullptr;
    QLineEdit* m_postalCode = nullptr;
    QLabel* m_townLabel = nullptr;
    QLineEdit* m_town = nullptr;
    QLabel* m_countryLabel = nullptr;
    QComboBox* m_country = nullptr;
    QLabel* m_phoneLabel = nullptr;
    QLineEdit* m_phone = nullptr;
    QLabel* m_emailLabel = nullptr;
    QLineEdit* m_email = nullptr;
    QLabel* m_logoLabel = nullptr;
    PictureFrame* m_logo = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::databases
