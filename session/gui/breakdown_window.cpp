#include "session/gui/breakdown_window.h"

#include "common/gui/text_conversion.h"
#include "session/core/session_file.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tallimo::session {
namespace {

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* Caption(const char* cp1252, int pixels, QWidget* parent) {
    auto* label = new QLabel(common::FromCp1252(cp1252), parent);
    label->setFont(ArialFont(pixels, true));
    return label;
}

QLineEdit* ReadOnlyField(const char* name, int pixels, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFont(ArialFont(pixels, true));
    return field;
}

// The sheet keeps the line breaks of the file (CR LF); the editor shows LF.
std::string ActionFromEditor(const QString& text) {
    std::string action;
    for (char c : common::ToCp1252(text)) {
        if (c == '\n')
            action += '\r';
        action += c;
    }
    return action;
}

QString ActionForEditor(const std::string& action) {
    QString text = common::FromCp1252(action);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

BreakdownWindow::BreakdownWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                 QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_messages(dialogs, this),
      m_session(std::make_unique<RentalSession>()) {
    setObjectName("breakdownWindow");
    setModal(true);
    setWindowTitle(QStringLiteral("Kart en panne"));
    buildControls();
    load();
}

BreakdownWindow::~BreakdownWindow() = default;

void BreakdownWindow::buildControls() {
    m_kartLabel = ReadOnlyField("kartLabel", 25, this);
    m_categoryName = ReadOnlyField("categoryName", 25, this);
    m_cause = new QLineEdit(this);
    m_cause->setObjectName("cause");
    m_cause->setFont(ArialFont(16, false));
    m_cause->setMaxLength(static_cast<int>(kBreakdownCauseEntryChars));
    m_action = new QPlainTextEdit(this);
    m_action->setObjectName("action");
    m_action->setFont(ArialFont(16, false));
    m_action->setMinimumSize(420, 120);
    m_repaired = new QCheckBox(common::FromCp1252("Kart r\xE9par\xE9"), this);
    m_repaired->setObjectName("repairedCheck");
    m_repaired->setFont(ArialFont(16, true));

    auto* ok = new QPushButton(QStringLiteral("Valider"), this);
    ok->setObjectName("okButton");
    ok->setFont(ArialFont(16, false));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Echap"), this);
    cancel->setObjectName("cancelButton");
    cancel->setFont(ArialFont(16, false));
    cancel->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(Caption("Kart en panne :", 25, this), 0, 0);
    grid->addWidget(m_kartLabel, 0, 1);
    grid->addWidget(Caption("Cat\xE9gorie :", 25, this), 1, 0);
    grid->addWidget(m_categoryName, 1, 1);
    grid->addWidget(Caption("Cause panne :", 16, this), 2, 0);
    grid->addWidget(m_cause, 2, 1);
    grid->addWidget(Caption("Action En Cours :", 16, this), 3, 0, Qt::AlignTop);
    grid->addWidget(m_action, 3, 1);
    grid->addWidget(m_repaired, 4, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_cause, &QLineEdit::textChanged, this, [this] { causeTyped(); });
    connect(m_action, &QPlainTextEdit::textChanged, this, [this] { actionTyped(); });
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void BreakdownWindow::load() {
    ClearSession(*m_session);
    m_header = SessionHeader{};
    if (!LoadSessionFile(m_folder, *m_session, m_header)) {
        ClearSession(*m_session);
        m_messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    }
    if (!LoadBreakdowns(m_folder, m_loadedSheets))
        m_messages.show(kBreakdownErrorCaption, kBreakdownFileErrorText);
    int category = -1;
    int slot = -1;
    BreakdownKartOfTreeItem(m_header.selectedTreeItem, category, slot);
    openSheet(category, slot);
}

void BreakdownWindow::setDeclaredKart(int category, int slot) {
    openSheet(category, slot);
}

void BreakdownWindow::openSheet(int category, int slot) {
    // Each opening starts from the sheets as read, so that a sheet opened for
    // another kart before leaves no label behind.
    m_sheets = m_loadedSheets;
    m_sheet = BreakdownSheet{};
    const bool rentalKart =
        category >= 0 && category < kRentalCategoryCount && slot >= 0 && slot < kKartsPerCategory;
    m_category = rentalKart ? category : -1;
    m_slot = rentalKart ? slot : -1;

    const QSignalBlocker quietCause(m_cause);
    const QSignalBlocker quietAction(m_action);
    m_repaired->setChecked(false);
    m_repaired->setEnabled(rentalKart);
    if (!rentalKart) {
        m_kartLabel->clear();
        m_categoryName->clear();
        m_cause->clear();
        m_action->clear();
        m_cause->setEnabled(false);
        m_action->setEnabled(false);
        return;
    }
    const SessionKart& kart = m_session->kart(category, slot);
    m_kartLabel->setText(common::FromCp1252(kart.kartLabel));
    m_categoryName->setText(common::FromCp1252(m_session->categories[category].categoryName));
    // With 150 sheets of other karts there is no room for one more: the
    // kart can still be declared repaired, but no cause can be kept.
    const bool opened = m_sheet.open(m_sheets, kart.kartLabel);
    m_cause->setEnabled(opened);
    m_action->setEnabled(opened);
    m_cause->setText(opened ? common::FromCp1252(m_sheet.entry()->cause) : QString());
    m_action->setPlainText(opened ? ActionForEditor(m_sheet.entry()->action) : QString());
}

void BreakdownWindow::causeTyped() {
    m_sheet.setCause(common::ToCp1252(m_cause->text()));
}

void BreakdownWindow::actionTyped() {
    if (!m_sheet.isOpen())
        return;
    const std::string typed = ActionFromEditor(m_action->toPlainText());
    m_sheet.setAction(typed);
    if (m_sheet.entry()->action.size() == typed.size())
        return;
    // Beyond what the sheet holds: the editor shows what is kept.
    const QSignalBlocker quiet(m_action);
    m_action->setPlainText(ActionForEditor(m_sheet.entry()->action));
    m_action->moveCursor(QTextCursor::End);
}

void BreakdownWindow::confirm() {
    if (m_category >= 0)
        ConfirmBreakdownSheet(m_folder, *m_session, m_header, m_category, m_slot, m_sheets, m_sheet,
                              m_repaired->isChecked(), m_messages);
    accept();
}

} // namespace tallimo::session
