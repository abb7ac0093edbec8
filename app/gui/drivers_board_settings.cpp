#include "app/gui/drivers_board_settings.h"

#include "app/gui/drivers_board_window.h"
#include "app/gui/live_board_server.h"
#include "common/gui/text_conversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tallimo::app {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

bool ApplyLiveBoardWeb(const LiveBoardSettings& settings, LiveBoardServer& server,
                       common::OperatorDialogs& dialogs, QWidget* parent) {
    if (!settings.web) {
        server.close();
        return true;
    }
    const auto port = static_cast<quint16>(IsLiveBoardPort(settings.port) ? settings.port
                                                                          : kLiveBoardDefaultPort);
    if (server.isListening() && server.port() == port)
        return true;
    server.close();
    if (server.listen(port))
        return true;
    dialogs.inform(parent, "Error", kLiveBoardPortErrorText, common::DialogIcon::Stop);
    return false;
}

DriversBoardSettingsDialog::DriversBoardSettingsDialog(common::WorkingFolder folder,
                                                       common::OperatorDialogs& dialogs,
                                                       DriversBoardWindow& board, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_board(board),
      m_loaded(LoadLiveBoardSettings(m_folder)) {
    setObjectName(QStringLiteral("driversBoardSettings"));
    setWindowTitle(Text("Affichage pilotes"));
    buildControls();
    showSettings();
    connect(&m_board, &DriversBoardWindow::closed, this,
            &DriversBoardSettingsDialog::updateButtons);
}

void DriversBoardSettingsDialog::buildControls() {
    auto* boardGroup = new QGroupBox(Text("\xC3\x89"
                                          "cran des pilotes"),
                                     this);
    m_screen = new QComboBox(boardGroup);
    m_screen->setObjectName(QStringLiteral("screen"));
    m_show = new QPushButton(Text("Afficher"), boardGroup);
    m_show->setObjectName(QStringLiteral("showBoard"));
    m_hide = new QPushButton(Text("Masquer"), boardGroup);
    m_hide->setObjectName(QStringLiteral("hideBoard"));
    auto* boardButtons = new QHBoxLayout;
    boardButtons->addWidget(m_show);
    boardButtons->addWidget(m_hide);
    boardButtons->addStretch();
    auto* boardLayout = new QVBoxLayout(boardGroup);
    boardLayout->addWidget(m_screen);
    boardLayout->addLayout(boardButtons);

    auto* webGroup = new QGroupBox(Text("Affichage sur le r\xC3\xA9seau local"), this);
    m_web = new QCheckBox(Text("Activer la page web des pilotes"), webGroup);
    m_web->setObjectName(QStringLiteral("web"));
    m_port = new QSpinBox(webGroup);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setRange(kLiveBoardMinPort, kLiveBoardMaxPort);
    m_address = new QLineEdit(webGroup);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setReadOnly(true);
    auto* webLayout = new QFormLayout(webGroup);
    webLayout->addRow(m_web);
    webLayout->addRow(Text("Port"), m_port);
    webLayout->addRow(Text("Adresse"), m_address);

    m_ok = new QPushButton(Text("Ok"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(Text("Echap"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boardGroup);
    layout->addWidget(webGroup);
    layout->addLayout(buttons);

    connect(m_show, &QPushButton::clicked, this, &DriversBoardSettingsDialog::showBoard);
    connect(m_hide, &QPushButton::clicked, this, [this] {
        m_board.close();
        updateButtons();
    });
    connect(m_web, &QCheckBox::toggled, m_port, &QWidget::setEnabled);
    connect(m_ok, &QPushButton::clicked, this, &DriversBoardSettingsDialog::saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DriversBoardSettingsDialog::showSettings() {
    QScreen* chosen = DriversBoardScreen(m_loaded.screen);
    for (QScreen* screen : QGuiApplication::screens()) {
        const QSize size = screen->size();
        m_screen->addItem(
            QStringLiteral("%1 (%2 x %3)").arg(screen->name()).arg(size.width()).arg(size.height()),
            screen->name());
        if (screen == chosen)
            m_screen->setCurrentIndex(m_screen->count() - 1);
    }
    m_web->setChecked(m_loaded.web);
    m_port->setValue(m_loaded.port);
    m_port->setEnabled(m_loaded.web);
    updateButtons();
}

LiveBoardSettings DriversBoardSettingsDialog::settings() const {
    LiveBoardSettings settings;
    // With the chosen screen unplugged the combo is empty: keep its name
    // for the day it is back.
    settings.screen =
        m_screen->count() > 0 ? m_screen->currentData().toString().toStdString() : m_loaded.screen;
    settings.web = m_web->isChecked();
    settings.port = m_port->value();
    return settings;
}

void DriversBoardSettingsDialog::setAddress(const QString& address) {
    m_address->setText(address);
}

void DriversBoardSettingsDialog::showBoard() {
    m_board.openOn(DriversBoardScreen(settings().screen));
    updateButtons();
}

void DriversBoardSettingsDialog::updateButtons() {
    const bool shown = m_board.isVisible();
    m_show->setEnabled(m_screen->count() > 0);
    m_hide->setEnabled(shown);
}

void DriversBoardSettingsDialog::saveAndClose() {
    if (!SaveLiveBoardSettings(m_folder, settings()))
        m_dialogs.inform(this, "Error", kLiveBoardSaveErrorText, common::DialogIcon::Stop);
    accept();
}

} // namespace tallimo::app
