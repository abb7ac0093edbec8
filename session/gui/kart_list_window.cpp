#include "session/gui/kart_list_window.h"

#include "common/gui/text_conversion.h"
#include "databases/core/kart_categories_file.h"
#include "session/core/session_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallimo::session {
namespace {

QFont ArialFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(name);
    button->setFont(ArialFont(16, false));
    button->setAutoDefault(false);
    return button;
}

QLabel* Caption(const char* cp1252, QWidget* parent) {
    auto* label = new QLabel(common::FromCp1252(cp1252), parent);
    label->setFont(ArialFont(16, true));
    return label;
}

QString SelectedText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

} // namespace

KartListWindow::KartListWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                               common::SoundPlayer& sounds, int category, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_sounds(sounds),
      m_messages(dialogs, this),
      m_category(category >= 0 && category < kCategoryCount ? category : -1),
      m_session(std::make_unique<RentalSession>()) {
    setObjectName(isPrivateList() ? "privateKartListWindow" : "rentalKartListWindow");
    setModal(true);
    setWindowTitle(
        common::FromCp1252(isPrivateList() ? "Liste karts priv\xE9s" : "Liste karts de location"));
    buildControls();
    load();
}

KartListWindow::~KartListWindow() = default;

void KartListWindow::buildControls() {
    m_categoryName = new QLineEdit(this);
    m_categoryName->setObjectName("categoryName");
    m_categoryName->setReadOnly(true);
    m_categoryName->setFont(ArialFont(25, true));
    m_count = new QLabel(this);
    m_count->setObjectName("kartCount");
    m_count->setFont(ArialFont(16, true));

    m_usedList = new QListWidget(this);
    m_usedList->setObjectName("usedList");
    m_usedList->setFont(ArialFont(16, false));

    auto* ok = Button("Valider", "okButton", this);
    ok->setDefault(true);
    auto* cancel = Button("Echap", "cancelButton", this);
    QPushButton* add = Button(isPrivateList() ? "+" : "<---", "addButton", this);
    QPushButton* remove = Button(isPrivateList() ? "-" : "--->", "removeButton", this);

    auto* heading = new QHBoxLayout;
    heading->addWidget(m_categoryName, 1);
    heading->addWidget(m_count);

    auto* used = new QVBoxLayout;
    used->addWidget(Caption("Karts utilis\xE9s", this));
    used->addWidget(m_usedList);

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(add);
    moves->addWidget(remove);
    moves->addStretch(1);

    auto* lists = new QHBoxLayout;
    lists->addLayout(used);
    lists->addLayout(moves);
    if (!isPrivateList()) {
        m_databaseList = new QListWidget(this);
        m_databaseList->setObjectName("databaseList");
        m_databaseList->setFont(ArialFont(16, false));
        auto* database = new QVBoxLayout;
        database->addWidget(Caption("Base de donn\xE9"
                                    "es ",
                                    this));
        database->addWidget(m_databaseList);
        lists->addLayout(database);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(lists);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] { addKart(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeKart(); });
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void KartListWindow::load() {
    if (!isPrivateList()) {
        databases::CategoryTable categories;
        databases::LoadCategoriesDatabase(m_folder, categories, m_messages);
        m_fleet = databases::FleetLayoutFromCategories(categories);
        m_transponders = databases::FleetTranspondersFromCategories(categories);
    }
    ClearSession(*m_session);
    m_header = SessionHeader{};
    if (!LoadSessionFile(m_folder, *m_session, m_header)) {
        ClearSession(*m_session);
        m_messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    }
    if (m_category < 0)
        return;

    const std::string& name = m_session->categories[m_category].categoryName;
    m_categoryName->setText(common::FromCp1252(name));
    if (m_databaseList != nullptr)
        for (const std::string& id : FleetKartIdsFor(m_fleet, name))
            m_databaseList->addItem(common::FromCp1252(id));
    showUsedKarts();
}

void KartListWindow::showUsedKarts() {
    m_usedList->clear();
    const std::vector<std::string> labels = UsedKartLabels(*m_session, m_category);
    for (const std::string& label : labels)
        m_usedList->addItem(common::FromCp1252(label));
    m_count->setText(QStringLiteral("( %1 Karts )").arg(labels.size()));
}

void KartListWindow::addKart() {
    if (m_category < 0)
        return;
    KartListChange change = KartListChange::NotInCategory;
    if (isPrivateList()) {
        change = AddPrivateKart(*m_session, m_sounds);
    } else {
        const QString id = SelectedText(m_databaseList);
        if (id.isEmpty())
            return;
        change = AddRentalKart(*m_session, m_category, common::ToCp1252(id), m_fleet,
                               m_transponders, m_sounds, m_messages);
    }
    if (change == KartListChange::Added)
        showUsedKarts();
}

void KartListWindow::removeKart() {
    const QString label = SelectedText(m_usedList);
    if (m_category < 0 || label.isEmpty())
        return;
    if (RemoveSessionKart(*m_session, m_category, common::ToCp1252(label), m_sounds, m_messages) ==
        KartListChange::Removed)
        showUsedKarts();
}

void KartListWindow::confirm() {
    if (!SaveSessionFile(m_folder, *m_session, m_header))
        m_messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    accept();
}

} // namespace tallimo::session
