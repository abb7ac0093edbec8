#pragma once

// The promotional e-mails window: the club's contact details, the list of
// the e-mails due today, the four previews and the sending. It owns the
// `EmailSources` read when it opens; sending writes the last-sent markers
// at once (they stay written whatever closes the window), "Ok" writes the
// contact details and "Echap" or the close box discard their edits.

#include "common/core/date_index.h"
#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "emails/core/address_opener.h"
#include "emails/core/due_emails.h"
#include "emails/core/email_sources.h"
#include "i18n/core/email_window_texts.h"

#include <QDialog>

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tallimo::emails {

class EmailsWindow final : public QDialog {
    Q_OBJECT

public:
    // Reads every file at once (missing ones reported through `dialogs`, the
    // window opening anyway) and the mailing form's host from the program's
    // settings. Today is read from `clock` whenever the list is computed.
    EmailsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                 AddressOpener& opener, const common::LocalClock& clock, QWidget* parent = nullptr);
    ~EmailsWindow() override;

private:
    void buildControls();
    void showContact();
    // The edits into `m_sources.contact`, cut and cleaned as the file keeps
    // them.
    void takeContact();
    void computeDue();
    void preview(i18n::EmailPreview which);
    void send();
    // False when the group's addresses were refused and sending must stop.
    bool sendGroup(const EmailGroup& group);
    void acceptContact();
    void inform(const std::string& text, common::DialogIcon icon);

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    AddressOpener& m_opener;
    const common::LocalClock& m_clock;
    EmailSources m_sources;
    DueEmails m_due;
    std::string m_formBase;

    std::array<QLineEdit*, 8> m_contactEdits{};
    QComboBox* m_country = nullptr;
    QPlainTextEdit* m_list = nullptr;
    QPushButton* m_preview = nullptr;
    QPushButton* m_send = nullptr;
    QMenu* m_previewMenu = nullptr;
};

} // namespace tallimo::emails
