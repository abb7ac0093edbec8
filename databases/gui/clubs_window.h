#pragma once

// The clubs and teams database window. It edits its own copy of the clubs
// table and writes "BaseDonnéesClubs.bd1" only on "Ok". The selected club is
// the one whose fields the right-hand controls show, or none when the list
// is empty.

#include "databases/core/clubs_file.h"
#include "databases/core/record_editing.h"
#include "databases/gui/address_fields.h"
#include "databases/gui/editing_window.h"
#include "printing/core/picture_library.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tallimo::databases {

class PictureFrame;

class ClubsWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels, the clubs and the countries at once; missing files
    // are reported through `dialogs` and the window opens anyway.
    ClubsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                printing::PictureLibrary& pictures, QWidget* parent = nullptr);
    ~ClubsWindow() override;

    // The window's copy of the table, as edited so far.
    const ClubTable& clubs() const { return m_clubs; }

private:
    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;

    void buildControls();
    void loadTexts();
    // What the operator types into `edit` goes to `field` of the selected
    // club, cut to `capacity`.
    // Each typed character goes into the selected club's field.
    void bindField(QLineEdit* edit, std::string Club::*field, std::size_t capacity);
    void showClub();

    printing::PictureLibrary& m_pictures;
    ClubTable m_clubs{};
    RecordEditor<ClubTable> m_editor;
    std::function<void()> m_showLogo;

    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_fullNameLabel = nullptr;
    QLineEdit* m_fullName = nullptr;
    std::optional<AddressFields> m_address;
    QLabel* m_logoLabel = nullptr;
    PictureFrame* m_logo = nullptr;
};

} // namespace tallimo::databases
