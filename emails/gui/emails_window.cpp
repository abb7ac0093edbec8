#include "emails/gui/emails_window.h"

#include "common/core/program_settings.h"
#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "emails/core/club_contact_file.h"
#include "emails/core/email_check.h"
#include "emails/core/email_sending.h"
#include "emails/core/email_texts.h"
#include "i18n/core/window_titles.h"

#include <QComboBox>
#include <QCursor>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstddef>
#include <utility>

namespace tallimo::emails {

using common::FromCp1252;
using common::ToCp1252;
using databases::TextOr;

namespace {

constexpr const char* kCaption = "Tallimo";
constexpr const char* kPreviewPicture = "images/vueEmail.bmp";
constexpr const char* kSendPicture = "images/envoiEmail.bmp";

// The eight edits in the file's order, with the dialog template's labels
// (Windows-1252) for when the translation table gives none.
struct ContactField {
    const char* name;
    const char* fallback;
    std::size_t chars;
    std::string ClubContact::*field;
};
constexpr std::array<ContactField, 8> kContactFields = {{
    {"clubNameEdit", "Nom club :", kContactNameChars, &ClubContact::contactName},
    {"clubEmailEdit", "Email :", kContactEmailChars, &ClubContact::contactEmail},
    {"clubPhoneEdit", "T\xE9l\xE9phone :", kContactPhoneChars, &ClubContact::contactPhone},
    {"clubWebsiteEdit", "Site web :", kContactWebsiteChars, &ClubContact::contactWebsite},
    {"clubAddress1Edit", "Adresse :", kContactAddressChars, &ClubContact::contactAddress1},
    {"clubAddress2Edit", "(Adresse2)", kContactAddressChars, &ClubContact::contactAddress2},
    {"clubPostalCodeEdit", "Code Postal :", kContactPostalCodeChars,
     &ClubContact::contactPostalCode},
    {"clubTownEdit", "Ville :", kContactTownChars, &ClubContact::contactTown},
}};
constexpr int kCountryLabelRow = 8;

QPushButton* PictureButton(const char* name, const QString& text,
                           const std::filesystem::path& picture, QWidget* parent) {
    QPushButton* button = databases::NamedButton(name, parent);
    button->setText(text);
    const QPixmap pixmap(common::PathText(picture));
    if (!pixmap.isNull()) {
        button->setIcon(QIcon(pixmap));
        button->setIconSize(pixmap.size());
    }
    return button;
}

} // namespace

EmailsWindow::EmailsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           AddressOpener& opener, const common::LocalClock& clock, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_opener(opener),
      m_clock(clock) {
    setObjectName(QStringLiteral("emailsWindow"));
    common::DialogMessageSink messages(m_dialogs, this);
    m_sources = LoadEmailSources(m_folder, messages);
    common::ProgramSettings settings;
    common::LoadProgramSettings(m_folder, settings);
    m_formBase = settings.mailingFormBase();

    setWindowTitle(FromCp1252(
        i18n::WindowTitle(i18n::TitledWindow::Emails, m_sources.languages.interfaceCode)));
    buildControls();
    showContact();
    computeDue();
}

EmailsWindow::~EmailsWindow() = default;

void EmailsWindow::buildControls() {
    auto* contact = new QGroupBox(TextOr(m_sources.label(kLabelClubDetails), ""), this);
    contact->setObjectName(QStringLiteral("clubDetailsGroup"));
    auto* form = new QFormLayout(contact);
    for (std::size_t i = 0; i < kContactFields.size(); ++i) {
        const ContactField& field = kContactFields[i];
        m_contactEdits[i] =
            databases::LimitedEdit(field.name, contact, static_cast<int>(field.chars));
        form->addRow(TextOr(m_sources.label(static_cast<int>(i)), field.fallback),
                     m_contactEdits[i]);
    }
    m_country = databases::NamedCombo("countryCombo", contact);
    for (const std::string& country : m_sources.countries)
        m_country->addItem(FromCp1252(country));
    form->addRow(TextOr(m_sources.label(kCountryLabelRow), "Pays :"), m_country);

    auto* listLabel = databases::NamedLabel("emailsLabel", this);
    listLabel->setText(TextOr(m_sources.label(kLabelEmailsToSend), "Emails \xE0 envoyer"));
    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("emailsList"));
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_preview =
        PictureButton("viewEmailsButton", TextOr(m_sources.label(kLabelViewEmails), "Vue Emails"),
                      m_folder.path(kPreviewPicture), this);
    m_send =
        PictureButton("sendEmailsButton", TextOr(m_sources.label(kLabelSendEmails), "Envoi Emails"),
                      m_folder.path(kSendPicture), this);
    m_previewMenu = new QMenu(this);
    m_previewMenu->setObjectName(QStringLiteral("previewMenu"));
    const std::pair<i18n::EmailPreview, const char*> previews[] = {
        {i18n::EmailPreview::Birthday, "birthdayPreviewAction"},
        {i18n::EmailPreview::Nameday, "namedayPreviewAction"},
        {i18n::EmailPreview::Event, "eventPreviewAction"},
        {i18n::EmailPreview::Loyalty, "loyaltyPreviewAction"}};
    for (const auto& [which, name] : previews) {
        QAction* action = m_previewMenu->addAction(
            FromCp1252(i18n::EmailPreviewMenuItem(which, m_sources.languages.interfaceCode)));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, kind = which] { preview(kind); });
    }
    connect(m_preview, &QPushButton::clicked, this,
            [this] { m_previewMenu->popup(QCursor::pos()); });
    connect(m_send, &QPushButton::clicked, this, [this] { send(); });

    QPushButton* ok = databases::NamedButton("okButton", this);
    ok->setText(QStringLiteral("Ok"));
    QPushButton* cancel = databases::NamedButton("cancelButton", this);
    cancel->setText(QStringLiteral("Echap"));
    connect(ok, &QPushButton::clicked, this, [this] { acceptContact(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_preview);
    actions->addWidget(m_send);
    actions->addStretch(1);
    actions->addWidget(ok);
    actions->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(m_list, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(contact);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(actions);
    resize(760, 420);
}

void EmailsWindow::showContact() {
    for (std::size_t i = 0; i < kContactFields.size(); ++i)
        m_contactEdits[i]->setText(FromCp1252(m_sources.contact.*kContactFields[i].field));
    const QString country = FromCp1252(m_sources.contact.contactCountry);
    int index = country.isEmpty() ? -1 : m_country->findText(country);
    // A country the list no longer holds is kept rather than lost on "Ok".
    if (!country.isEmpty() && index < 0) {
        m_country->addItem(country);
        index = m_country->count() - 1;
    }
    m_country->setCurrentIndex(index);
}

void EmailsWindow::takeContact() {
    ClubContact contact;
    for (std::size_t i = 0; i < kContactFields.size(); ++i)
        contact.*kContactFields[i].field = ToCp1252(m_contactEdits[i]->text());
    contact.contactCountry =
        m_country->currentIndex() < 0 ? "" : ToCp1252(m_country->currentText());
    m_sources.contact = SanitisedContact(contact);
}

void EmailsWindow::computeDue() {
    m_due = ComputeDueEmails(m_sources, common::DateIndexOf(m_clock.now()));
    m_list->setPlainText(FromCp1252(DueEmailsListText(m_due, m_sources)));
}

void EmailsWindow::inform(const std::string& text, common::DialogIcon icon) {
    m_dialogs.inform(this, kCaption, text, icon);
}

void EmailsWindow::preview(i18n::EmailPreview which) {
    if (!HasMailingForm(m_formBase)) {
        inform(NoMailingFormText(m_sources.languages.interfaceCode),
               common::DialogIcon::Exclamation);
        return;
    }
    takeContact();
    if (!m_opener.open(
            PreviewAddress(which, m_sources, common::DateIndexOf(m_clock.now()), m_formBase)))
        inform(AddressRefusedText(m_sources.languages.interfaceCode), common::DialogIcon::Stop);
}

void EmailsWindow::send() {
    const i18n::LanguageCode code = m_sources.languages.interfaceCode;
    if (!HasMailingForm(m_formBase)) {
        inform(NoMailingFormText(code), common::DialogIcon::Exclamation);
        return;
    }
    takeContact();
    if (const auto refusal = SendingRefusal(m_sources.contact, code)) {
        inform(*refusal, common::DialogIcon::Stop);
        return;
    }
    // Today may have turned since the list was shown.
    computeDue();
    for (const EmailGroup& group : m_due.groups) {
        if (!sendGroup(group))
            break;
    }
    common::DialogMessageSink messages(m_dialogs, this);
    SaveSentMarkers(m_folder, m_sources, messages);
    computeDue();
}

bool EmailsWindow::sendGroup(const EmailGroup& group) {
    if (!group.due()) {
        if (group.kind == EmailKind::Birthday || group.kind == EmailKind::Nameday)
            inform(NothingToSendText(group, m_sources), common::DialogIcon::Information);
        return true;
    }
    if (m_dialogs.ask(this, kCaption, ConfirmationText(group, m_sources),
                      common::DialogIcon::Question,
                      common::DialogButtons::YesNo) != common::DialogAnswer::Yes)
        return true;
    if (!SendGroup(group, m_sources, m_formBase, m_opener).refused)
        return true;
    inform(AddressRefusedText(m_sources.languages.interfaceCode), common::DialogIcon::Stop);
    return false;
}

void EmailsWindow::acceptContact() {
    takeContact();
    common::DialogMessageSink messages(m_dialogs, this);
    // A failed write keeps the window open, so the edits are not lost.
    if (SaveClubContactDatabase(m_folder, m_sources.contact, messages))
        accept();
}

} // namespace tallimo::emails
