#pragma once

// The modal kart lists of one session category: "Liste karts de location"
// for a rental category (karts taken from the fleet of the kart categories
// database) and "Liste karts privés" for the private karts (slots opened one
// by one). The window edits a session of its own, read from the session file
// when it opens and written back only on "Valider".

#include "common/core/sound_player.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "session/core/kart_lists.h"
#include "session/core/rental_session.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;

namespace tallimo::session {

class KartListWindow final : public QDialog {
    Q_OBJECT

public:
    // `category` 0-4 opens the rental list of that category, 5 the private
    // karts. Missing files are reported through `dialogs`; the window opens
    // anyway with what it could read.
    KartListWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                   common::SoundPlayer& sounds, int category, QWidget* parent = nullptr);
    ~KartListWindow() override;

    const RentalSession& session() const { return *m_session; }

private:
    bool isPrivateList() const { return m_category == kPrivateCategoryIndex; }
    void buildControls();
    void load();
    void showUsedKarts();
    void addKart();
    void removeKart();
    void confirm();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    common::SoundPlayer& m_sounds;
    common::DialogMessageSink m_messages;
    int m_category = -1;

    std::unique_ptr<RentalSession> m_session; // large: kept off the stack
    SessionHeader m_header;
    FleetLayout m_fleet;
    FleetTransponderTable m_transponders;

    QLineEdit* m_categoryName = nullptr;
    QLabel* m_count = nullptr;
    QListWidget* m_usedList = nullptr;
    QListWidget* m_databaseList = nullptr;
};

} // namespace tallimo::session
