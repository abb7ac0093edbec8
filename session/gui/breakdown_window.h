#pragma once

// The modal "Kart en panne" window: the breakdown sheet of one broken-down
// rental kart, its cause and the repair under way, and the "Kart réparé"
// switch that brings the kart back into the session. It works on its own
// session and sheets, read when it opens; "Valider" writes what changed,
// "Echap" and the close box write nothing.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "session/core/breakdown_file.h"
#include "session/core/rental_session.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace tallimo::session {

class BreakdownWindow final : public QDialog {
    Q_OBJECT

public:
    // Opens on the kart of the session's selected tree item (a kart under
    // "Karts en panne"). Missing files are reported through `dialogs`.
    BreakdownWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                    QWidget* parent = nullptr);
    ~BreakdownWindow() override;

    // Opens the sheet of the kart just declared broken down instead, for
    // callers whose selected tree item is the kart in its category.
    void setDeclaredKart(int category, int slot);

private:
    void buildControls();
    void load();
    void openSheet(int category, int slot);
    void causeTyped();
    void actionTyped();
    void confirm();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    common::DialogMessageSink m_messages;

    std::unique_ptr<RentalSession> m_session; // large: kept off the stack
    SessionHeader m_header;
    BreakdownTable m_loadedSheets;
    BreakdownTable m_sheets;
    BreakdownSheet m_sheet;
    int m_category = -1;
    int m_slot = -1;

    QLineEdit* m_kartLabel = nullptr;
    QLineEdit* m_categoryName = nullptr;
    QLineEdit* m_cause = nullptr;
    QPlainTextEdit* m_action = nullptr;
    QCheckBox* m_repaired = nullptr;
};

} // namespace tallimo::session
