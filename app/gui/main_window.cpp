#include "app/gui/main_window.h"

#include "app/core/live_board_settings.h"
#include "app/core/session_commands.h"
#include "app/core/session_tree.h"
#include "app/gui/clock_area_widget.h"
#include "app/gui/drivers_board_settings.h"
#include "app/gui/drivers_board_window.h"
#include "app/gui/live_board_server.h"
#include "app/gui/shell_icons.h"
#include "app/gui/timing_board_widget.h"
#include "common/core/cp1252.h"
#include "common/gui/text_conversion.h"
#include "databases/core/tracks_file.h"
#include "databases/gui/age_categories_window.h"
#include "databases/gui/clubs_window.h"
#include "databases/gui/first_names_window.h"
#include "databases/gui/fleet_window.h"
#include "databases/gui/kart_categories_window.h"
#include "databases/gui/subscribers_window.h"
#include "databases/gui/tracks_window.h"
#include "decoder/core/com_port_name.h"
#include "decoder/core/decoder_interface_report.h"
#include "decoder/core/identify_decoder.h"
#include "decoder/gui/decoder_interface_window.h"
#include "emails/gui/desktop_address_opener.h"
#include "emails/gui/emails_window.h"
#include "finances/gui/discounts_window.h"
#include "finances/gui/group_reservation_window.h"
#include "finances/gui/loyalty_window.h"
#include "finances/gui/prices_window.h"
#include "finances/gui/reservation_window.h"
#include "i18n/core/translation_messages.h"
#include "i18n/core/window_texts.h"
#include "i18n/gui/translation_editor_window.h"
#include "runs/gui/driver_runs_window.h"
#include "runs/gui/run_analysis_window.h"
#include "session/core/kart_lists.h"
#include "session/core/session_file.h"
#include "session/gui/breakdown_window.h"
#include "session/gui/classification_window.h"
#include "session/gui/kart_list_window.h"
#include "session/gui/session_track_window.h"

#include <QAction>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <chrono>

namespace tallimo::app {
namespace {

using namespace session;

constexpr int kTimerPeriodMs = 10;
// About three hours of ticks; enough for any measured run.
constexpr std::size_t kMeasuredTicks = 1000000;
constexpr int kTreeValueRole = Qt::UserRole + 1;
// The logo box above the tree.
constexpr int kLogoWidth = 196;
constexpr int kLogoHeight = 50;

const char* const kDisplaySettingsErrorText = "Error: Display settings file not found";
const char* const kMainTranslationErrorText =
    "Error: The translation file of the main window has not been found";
const char* const kComPortErrorText = "Error : 'COM port' file not found";
const char* const kNewSessionQuestion = "Vous voulez commencer une nouvelle s\xE9"
                                        "ance de location !\nSouhaitez-vous sauvegarder la s\xE9"
                                        "ance en cours ?";
const char* const kOpenSessionQuestion = "Souhaitez-vous sauvegarder la s\xE9"
                                         "ance de location en cours ?";
const char* const kQuitRefusedText =
    "Une s\xE9"
    "ance de location est en cours !\r\nVous ne pouvez pas fermer l'application !";
const char* const kQuitQuestion = "Vous voulez quitter!\nSouhaitez-vous sauvegarder la s\xE9"
                                  "ance de location en cours ?";

std::string Format(const char* pattern, const std::string& value) {
    std::string text = pattern;
    text.replace(text.find("%s"), 2, value);
    return text;
}

// The logo is a BMP, which Qt reads itself; a missing one is not drawn.
QImage LoadBmp(const std::filesystem::path& path) {
    return QImage(QFile::decodeName(QByteArray::fromStdString(path.string())), "BMP");
}

// A file path as the system gives it (UTF-8 here), not as Windows-1252 text.
QString TitleText(const std::string& userFile) {
    return QFile::decodeName(QByteArray::fromStdString(MainWindowTitle(userFile)));
}

// Without an image library no chosen picture can be drawn.
class NoPictures final : public printing::PictureLibrary {
public:
    std::optional<printing::PictureSize> measure(const std::filesystem::path&) override {
        return std::nullopt;
    }
    bool convertJpegToBmp(const std::filesystem::path&, const std::filesystem::path&) override {
        return false;
    }
};

} // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_messages(m_services.dialogs, this),
      m_document(m_services.folder, m_messages), m_live(m_document.live()) {
    setObjectName("mainWindow");
    m_poller = std::make_unique<decoder::DecoderPoller>(
        m_services.port, m_services.ticks, m_services.counter, m_messages, m_services.sounds, *this,
        m_services.folder);
    m_clock = std::make_unique<SessionClock>(m_services.ticks, m_services.counter,
                                             m_services.sounds, *m_poller, *this);
    useJournal();
    createSessionAndData();
    takeUpRestoredClock();
    m_driversBoard = new DriversBoardWindow(this);
    m_liveServer = new LiveBoardServer(this);
    ApplyLiveBoardWeb(LoadLiveBoardSettings(m_services.folder), *m_liveServer, m_services.dialogs,
                      this);
    buildMenus();
    buildContents();
    rebuildTree();
    refreshBoard();
    updateTitle();
    // No operator session file is known yet, so "Enregistrer" starts grayed.
    applyCommandStates();
}

MainWindow::~MainWindow() = default;

void MainWindow::useJournal() {
    if (!m_services.journalFile)
        return;
    m_document.useJournal(m_services.journalFile());
    m_poller->setJournal(m_document.journal());
    m_clock->setJournal(m_document.journal());
    // The file holds no clock: a journal started afresh says where it is.
    m_document.setJournalRestarted([this](session::PassingJournal& journal) {
        if (!m_clock->startedOnce())
            return;
        journal.append(session::ClockRecord{
            m_clock->running() ? session::ClockEvent::Resume : session::ClockEvent::Pause,
            m_clock->sessionStartTick(), m_clock->counterTimeBase().counterBase});
    });
}

void MainWindow::takeUpRestoredClock() {
    const auto& restored = m_document.restored();
    if (!restored || !restored->report.clockStartedOnce)
        return;
    // After a power cut the machine's counter started again from zero: the
    // old bases mean nothing, the next start is a first start.
    if (m_services.counter.counter() < restored->report.counterBase)
        return;
    m_clock->continueAfterRestore(restored->report.sessionStartTick, restored->report.counterBase);
    // The journal started afresh before the clock was taken up: a second
    // crash must still find the bases.
    if (session::PassingJournal* journal = m_document.journal()) {
        journal->append(session::ClockRecord{session::ClockEvent::Pause,
                                             restored->report.sessionStartTick,
                                             restored->report.counterBase});
        journal->flush();
    }
}

void MainWindow::createSessionAndData() {
    const common::WorkingFolder& folder = m_services.folder;
    checkTracksDatabase();
    databases::LoadCategoriesDatabase(folder, m_categories, m_messages);
    m_document.startUp(m_categories, m_services.afterSessionRebuild);

    if (!LoadDisplaySettings(folder, m_display))
        m_services.dialogs.inform(this, "Error", kDisplaySettingsErrorText,
                                  common::DialogIcon::Stop);
}

void MainWindow::checkTracksDatabase() {
    // Nothing here uses the tracks yet; they are read so that the operator
    // hears of a missing database at start-up and after editing it.
    databases::TrackTable tracks{};
    databases::LoadTracksDatabase(m_services.folder, tracks, m_messages);
}

void MainWindow::buildMenus() {
    std::vector<MainMenu> menus = BuildMainMenu();
    m_languages = {};
    if (!i18n::ReadLanguageSettings(m_services.folder, m_languages))
        m_messages.show("Error", kMainTranslationErrorText);
    i18n::TranslationTable table;
    if (i18n::LoadWindowTable(m_services.folder, "MenuPrincipal.trans", table, kMainMenuRowCount,
                              m_messages))
        TranslateMainMenu(menus, table, m_languages.interfaceCode);
    // The translation editor has no entry of its own in the menu table; it
    // sits beside the decoder interface, under its own row.
    {
        std::string text = table.text(25, m_languages.interfaceCode);
        menus[4].items.push_back(
            {CommandId::TranslationEditor, text.empty() ? "Traduction" : text, false});
    }

    menuBar()->clear();
    m_actions.clear();
    for (const MainMenu& menu : menus) {
        QMenu* popup = menuBar()->addMenu(common::FromCp1252(menu.title));
        for (const MainMenuItem& item : menu.items) {
            if (item.command == CommandId::None) {
                popup->addSeparator();
                continue;
            }
            QAction* entry = popup->addAction(common::FromCp1252(item.text));
            if (item.hasPicture)
                entry->setIcon(CommandIcon(item.command));
            entry->setObjectName(QStringLiteral("command%1").arg(CommandNumber(item.command)));
            const CommandId command = item.command;
            connect(entry, &QAction::triggered, this, [this, command] { runCommand(command); });
            m_actions[command] = entry;
        }
    }
}

QAction* MainWindow::action(CommandId command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainWindow::buildContents() {
    auto* central = new QWidget(this);
    central->setObjectName("mainArea");
    const RgbColour windowColour = ColourFromValue(m_display.windowBackground());
    central->setAutoFillBackground(true);
    QPalette areaPalette = central->palette();
    areaPalette.setColor(QPalette::Window,
                         QColor(windowColour.red, windowColour.green, windowColour.blue));
    central->setPalette(areaPalette);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(2, 4, 4, 4);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);

    m_logo = new QLabel(central);
    m_logo->setObjectName("logo");
    m_logo->setFixedSize(kLogoWidth, kLogoHeight);
    m_logo->setAlignment(Qt::AlignCenter);
    const QImage logo = LoadBmp(m_services.folder.path(common::Cp1252ToUtf8(m_display.logoPath)));
    if (!logo.isNull())
        m_logo->setPixmap(QPixmap::fromImage(
            logo.scaled(kLogoWidth, kLogoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    left->addWidget(m_logo);

    m_tree = new QTreeWidget(central);
    m_tree->setObjectName("sessionTree");
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(190);
    m_tree->setIndentation(12);
    // The right click comes as a context menu event, which carries the
    // modifiers held at that moment (Ctrl declares a breakdown).
    m_tree->viewport()->installEventFilter(this);
    const RgbColour treeColour = ColourFromValue(m_display.treeBackground());
    m_tree->setStyleSheet(
        QStringLiteral("QTreeWidget { background: %1; }")
            .arg(QColor(treeColour.red, treeColour.green, treeColour.blue).name()));
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { treeItemClicked(item, false, QCursor::pos(), false); });
    // The keyboard moves the selection too; it must be kept like a click.
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            m_document.storeTreeSelection(item->data(0, kTreeValueRole).toInt());
    });
    // The logo stands at the far left, the tree a little further in below it.
    auto* treeRow = new QHBoxLayout;
    treeRow->setContentsMargins(0, 0, 0, 0);
    treeRow->addSpacing(8);
    treeRow->addWidget(m_tree);
    left->addLayout(treeRow, 1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* clockRow = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& text) {
        auto* pushButton = new QPushButton(text, central);
        pushButton->setObjectName(name);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(18);
        font.setBold(true);
        pushButton->setFont(font);
        pushButton->setMinimumSize(120, 48);
        clockRow->addWidget(pushButton);
        return pushButton;
    };
    m_startButton = button("startButton", QString::fromUtf8("Départ"));
    m_pauseButton = button("pauseButton", QStringLiteral("Pause"));
    m_startButton->setIcon(StartButtonIcon());
    m_pauseButton->setIcon(PauseButtonIcon());
    m_startButton->setIconSize(QSize(24, 24));
    m_pauseButton->setIconSize(QSize(24, 24));
    connect(m_startButton, &QPushButton::clicked, this, [this] { m_clock->StartPressed(); });
    connect(m_pauseButton, &QPushButton::clicked, this,
            [this] { m_clock->PausePressed(m_document.canSaveToUserFile()); });

    m_clockArea = new ClockAreaWidget(central);
    m_clockArea->setObjectName("clockArea");
    clockRow->addWidget(m_clockArea, 1);

    m_decoderStatus = new QLabel(central);
    m_decoderStatus->setObjectName("decoderStatus");
    m_decoderStatus->setMinimumWidth(260);
    m_decoderStatus->setWordWrap(true);
    m_decoderStatus->setMargin(6);
    clockRow->addWidget(m_decoderStatus);
    right->addLayout(clockRow);

    m_board = new TimingBoardWidget(central);
    m_board->setObjectName("timingBoard");
    m_board->setLiveTiming(&m_live);
    m_board->setDisplaySettings(&m_display);
    m_board->setWorkingFolder(m_services.folder);
    // Ctrl + left click on a kart row: the analysis of that kart's run so far.
    connect(m_board, &TimingBoardWidget::kartRowCtrlClicked, this, [this](const QString& label) {
        const std::string wanted = common::ToCp1252(label);
        for (const session::SessionCategory& category : m_live.session.categories) {
            for (const SessionKart& kart : category.karts) {
                if (wanted.empty() || kart.kartLabel != wanted)
                    continue;
                runs::RunAnalysisWindow window(m_services.folder, m_services.dialogs, pictures(),
                                               m_runView, this);
                window.showSessionKart(kart, localClock().now());
                window.exec();
                return;
            }
        }
    });
    // Ctrl + right click books: one kart on its row, the free karts of a
    // category on its heading.
    connect(m_board, &TimingBoardWidget::kartRowCtrlRightClicked, this,
            [this](const QString& label) { openReservation(common::ToCp1252(label)); });
    connect(m_board, &TimingBoardWidget::headingCtrlRightClicked, this,
            &MainWindow::openGroupReservation);
    connect(m_board, &TimingBoardWidget::trophyClicked, this, &MainWindow::openClassification);
    right->addWidget(m_board, 1);
    columns->addLayout(right, 1);
    setCentralWidget(central);

    redrawClockArea();
    refreshDecoderStatus();
}

void MainWindow::connectDecoderAndStartTimer() {
    const common::WorkingFolder& folder = m_services.folder;
    i18n::LanguageSettings languages;
    if (!i18n::ReadLanguageSettings(folder, languages))
        i18n::ReportMissingTranslationFile(m_messages, "FenetrePrincipale.trans");
    i18n::TranslationTable interfaceTable;
    i18n::LoadWindowTable(folder, "FenetreInterface.trans", interfaceTable,
                          decoder::kDecoderInterfaceRowCount, m_messages);

    decoder::DecoderSettings settings;
    if (!decoder::LoadDecoderSettings(folder, settings))
        m_messages.show("Error", kComPortErrorText);
    const decoder::IdentificationResult result =
        decoder::IdentifyDecoder(m_services.port, m_services.counter, folder, settings.comPort);
    const decoder::StartupReport report = decoder::StartupReportFor(
        decoder::DecoderInterfaceRowsIn(interfaceTable, languages.interfaceCode), result);
    m_services.dialogs.inform(this, report.caption, report.text, common::DialogIcon::Information);
    if (!result.settingsSaved)
        m_messages.show("Error", kComPortErrorText);

    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start(kTimerPeriodMs);
}

void MainWindow::tick() {
    const auto started = std::chrono::steady_clock::now();
    m_poller->PollDecoder(*m_clock, m_live);
    m_document.journalTick(m_services.ticks.tickMs());
    refreshDecoderStatus();
    if (m_tickNanoseconds.size() < kMeasuredTicks)
        m_tickNanoseconds.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now() - started)
                                        .count());
}

void MainWindow::leaveWithoutQuestions() {
    m_quitConfirmed = true;
    close();
}

void MainWindow::refreshDecoderStatus() {
    const decoder::DecoderSettings& settings = m_poller->settings();
    const std::string& model = settings.decoderModel;
    QString modelText = model == kModelVela2Usb         ? QStringLiteral("Vela2/Vela3 USB")
                        : model == kModelVela2Bluetooth ? QStringLiteral("Vela2/Vela3 Bluetooth")
                        : model == kModelVela1          ? QStringLiteral("Vela1 USB")
                                                        : QString::fromUtf8("Décodeur inconnu");
    QString state;
    QString colour;
    if (m_poller->connectionLost()) {
        state = QString::fromUtf8("connexion perdue, reconnexion en cours");
        colour = QStringLiteral("#f4b183");
    } else if (settings.connected == 1) {
        state = QString::fromUtf8("connecté");
        colour = QStringLiteral("#b6e3b0");
    } else {
        state = QString::fromUtf8("non connecté");
        colour = QStringLiteral("#f19c9c");
    }
    QString text = QStringLiteral("<b>%1</b> %2<br>%3")
                       .arg(modelText, common::FromCp1252(settings.comPort), state);
    if (m_clock->running()) {
        if (m_poller->hasHeardDecoder()) {
            const std::uint32_t silent = m_services.ticks.tickMs() - m_poller->lastInputTick();
            text += QString::fromUtf8("<br>dernière donnée il y a %1 s").arg(silent / 1000);
        } else {
            text += QString::fromUtf8("<br>aucune donnée reçue");
        }
    }
    if (text != m_decoderStatus->text())
        m_decoderStatus->setText(text);
    const QString style =
        QStringLiteral("QLabel { background: %1; border-radius: 6px; }").arg(colour);
    if (style != m_decoderStatus->styleSheet())
        m_decoderStatus->setStyleSheet(style);
}

void MainWindow::refreshBoard() {
    CategoryNames names;
    for (int c = 0; c < kRentalCategoryCount; ++c)
        names[c] = m_categories[c].name;
    m_board->setCategoryNames(names);
    m_board->setFrozen(m_live.header.boardFrozen != 0);
    m_board->boardChanged();
}

void MainWindow::rebuildTree() {
    // Rebuilding moves the current item about; that is no operator's choice.
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    std::vector<QTreeWidgetItem*> made;
    for (const SessionTreeItem& item : BuildSessionTree(m_live.session)) {
        QTreeWidgetItem* node =
            item.parent < 0 ? new QTreeWidgetItem(m_tree)
                            : new QTreeWidgetItem(made[static_cast<std::size_t>(item.parent)]);
        node->setText(0, common::FromCp1252(item.text));
        node->setData(0, kTreeValueRole, item.value);
        if (item.image != kTreeNoImage)
            node->setIcon(0, TreeIcon(item.image));
        if (item.bold) {
            QFont font = node->font(0);
            font.setBold(true);
            node->setFont(0, font);
        }
        if (item.value == kTreeSpacer)
            node->setFlags(Qt::NoItemFlags);
        made.push_back(node);
    }
    for (QTreeWidgetItem* node : made) {
        node->setExpanded(true);
        if (node->data(0, kTreeValueRole).toInt() == m_live.header.selectedTreeItem &&
            node->flags() != Qt::NoItemFlags)
            m_tree->setCurrentItem(node);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_tree != nullptr && watched == m_tree->viewport() &&
        event->type() == QEvent::ContextMenu) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (QTreeWidgetItem* item = m_tree->itemAt(menuEvent->pos())) {
            m_tree->setCurrentItem(item);
            treeItemClicked(item, true, menuEvent->globalPos(),
                            menuEvent->modifiers().testFlag(Qt::ControlModifier));
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::treeItemClicked(QTreeWidgetItem* item, bool rightButton,
                                 const QPoint& globalPosition, bool control) {
    const int value = item->data(0, kTreeValueRole).toInt();
    m_document.storeTreeSelection(value);
    if (!rightButton)
        return;
    if (control) {
        int category = 0, slot = 0;
        if (TreeItemIsRentalKart(value, category, slot))
            declareBrokenDown(category, slot);
        return;
    }
    const CommandId command = TreeContextCommand(value);
    if (command == CommandId::None)
        return;
    const char* label = command == CommandId::ShowBoard      ? "Location"
                        : command == CommandId::SessionTrack ? "Piste utilis\xE9"
                                                               "e"
                                                             : "Liste des karts";
    QMenu menu(this);
    QAction* entry = menu.addAction(common::FromCp1252(label));
    if (menu.exec(globalPosition) == entry)
        runCommand(command);
}

void MainWindow::declareBrokenDown(int category, int slot) {
    const SessionKart& kart = m_live.session.kart(category, slot);
    if (!m_document.mayDeclareBrokenDown(category, slot)) {
        m_services.dialogs.inform(
            this, "Error",
            Format("Le kart %s ne peut \xEAtre mis en panne, car il est actuellement utilis\xE9",
                   kart.kartLabel),
            common::DialogIcon::Stop);
        return;
    }
    if (m_services.dialogs.ask(this, "Tallimo",
                               Format("Le kart %s est il en panne ?", kart.kartLabel),
                               common::DialogIcon::Question,
                               common::DialogButtons::YesNo) != common::DialogAnswer::Yes)
        return;
    m_document.declareBrokenDown(category, slot);
    refreshBoard();
    runSessionWindow([&] {
        session::BreakdownWindow window(m_services.folder, m_services.dialogs, this);
        window.setDeclaredKart(category, slot);
        window.exec();
    });
}

void MainWindow::runCommand(CommandId command) {
    // A grayed command does nothing, however it is reached.
    if (!commandAllowed(command))
        return;
    switch (command) {
    case CommandId::NewSession:
        newSession();
        break;
    case CommandId::OpenSession:
        openSession();
        break;
    case CommandId::Save:
        saveSession();
        break;
    case CommandId::SaveAs:
        saveSessionAs();
        break;
    case CommandId::Quit:
        close();
        break;
    case CommandId::DecoderInterface:
        openDecoderInterface();
        break;
    case CommandId::DriversBoard:
        openDriversBoardSettings();
        break;
    case CommandId::TranslationEditor:
        openTranslationEditor();
        break;
    case CommandId::Help:
        openHelp();
        break;
    case CommandId::ShowBoard:
        m_live.header.boardFrozen = 0;
        m_document.journalHeader();
        refreshBoard();
        break;
    case CommandId::SessionTrack:
        openSessionTrack();
        break;
    case CommandId::CategoryKartList:
        openKartList(session::KartListCategory(m_live.header.selectedTreeItem));
        break;
    case CommandId::PrivateKartList:
        openKartList(kPrivateCategoryIndex);
        break;
    case CommandId::KartCategories:
        openKartCategories();
        break;
    case CommandId::Tracks:
        openTracks();
        break;
    case CommandId::AgeCategories:
        openAgeCategories();
        break;
    case CommandId::Clubs:
        openClubs();
        break;
    case CommandId::Fleet:
        openFleet();
        break;
    case CommandId::Subscribers:
        openSubscribers();
        break;
    case CommandId::DriverResults: {
        runs::DriverRunsWindow window(m_services.folder, m_services.dialogs, pictures(), m_runView,
                                      this);
        window.exec();
        break;
    }
    case CommandId::FirstNames:
        openFirstNames();
        break;
    case CommandId::Prices: {
        finances::PricesWindow window(m_services.folder, m_services.dialogs, this);
        window.setReportPrinter(&reportPrinter());
        window.exec();
        break;
    }
    case CommandId::Discounts: {
        finances::DiscountsWindow window(m_services.folder, m_services.dialogs, this);
        window.setReportPrinter(&reportPrinter());
        window.exec();
        break;
    }
    case CommandId::LoyaltyCard: {
        finances::LoyaltyWindow window(m_services.folder, m_services.dialogs, this);
        window.setReportPrinter(&reportPrinter());
        window.exec();
        break;
    }
    case CommandId::PromotionalEmails: {
        emails::DesktopAddressOpener browser;
        emails::EmailsWindow window(m_services.folder, m_services.dialogs, browser, localClock(),
                                    this);
        window.exec();
        break;
    }
    default:
        // The windows of the other commands are wired in as they arrive.
        break;
    }
}

void MainWindow::updateTitle() {
    setWindowTitle(TitleText(m_document.userFile()));
}

ChooseSaveFile MainWindow::saveFileChooser() {
    return [this] {
        return m_services.chooseSessionFile ? m_services.chooseSessionFile(this, true) : "";
    };
}

void MainWindow::saveSession() {
    if (!m_document.canSaveToUserFile())
        return;
    m_document.saveToUserFile();
    refreshBoard();
}

bool MainWindow::saveSessionAs() {
    if (!m_document.saveAs(saveFileChooser()()))
        return false;
    updateTitle();
    refreshBoard();
    applyCommandStates();
    return true;
}

namespace {

SaveFirst SaveFirstFrom(common::DialogAnswer answer) {
    switch (answer) {
    case common::DialogAnswer::Yes:
        return SaveFirst::Yes;
    case common::DialogAnswer::No:
        return SaveFirst::No;
    default:
        return SaveFirst::Cancel;
    }
}

} // namespace

void MainWindow::newSession() {
    const common::DialogAnswer answer =
        m_services.dialogs.ask(this, "Attention", kNewSessionQuestion,
                               common::DialogIcon::Exclamation, common::DialogButtons::YesNoCancel);
    if (!m_document.startNew(SaveFirstFrom(answer), saveFileChooser()))
        return;
    updateTitle();
    applyCommandStates();
    m_clock->resetForNewSession();
    redrawClockArea();
    refreshBoard();
    rebuildTree();
}

void MainWindow::openSession() {
    const std::string chosen =
        m_services.chooseSessionFile ? m_services.chooseSessionFile(this, false) : "";
    if (chosen.empty())
        return;
    setWindowTitle(TitleText(chosen));
    // Only Yes and No are offered: anything else does not save.
    const bool saveFirst =
        m_services.dialogs.ask(this, "Attention", kOpenSessionQuestion,
                               common::DialogIcon::Question,
                               common::DialogButtons::YesNo) == common::DialogAnswer::Yes;
    if (m_document.open(chosen, saveFirst ? SaveFirst::Yes : SaveFirst::No, saveFileChooser(),
                        m_categories))
        applyCommandStates();
    updateTitle();
    m_clock->resetForNewSession();
    redrawClockArea();
    refreshBoard();
    rebuildTree();
}

bool MainWindow::quitAllowed() {
    if (m_clock->starting() || m_clock->running()) {
        m_services.dialogs.inform(this, "Tallimo", kQuitRefusedText, common::DialogIcon::Stop);
        return false;
    }
    const common::DialogAnswer answer =
        m_services.dialogs.ask(this, "Attention", kQuitQuestion, common::DialogIcon::Exclamation,
                               common::DialogButtons::YesNoCancel);
    return m_document.quit(SaveFirstFrom(answer), saveFileChooser());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_quitConfirmed && !quitAllowed()) {
        event->ignore();
        return;
    }
    m_quitConfirmed = true;
    // A chosen quit is no crash: the next start must not restore anything.
    m_document.endJournal();
    if (!SaveDisplaySettings(m_services.folder, m_display))
        m_services.dialogs.inform(this, "Error", kDisplaySettingsErrorText,
                                  common::DialogIcon::Stop);
    if (m_timer)
        m_timer->stop();
    m_services.port.CloseComPort();
    event->accept();
}

void MainWindow::openDecoderInterface() {
    // Polling stops watching while the window owns the port, and reads the
    // settings the window saved on its next tick.
    m_poller->stopWatching();
    {
        decoder::DecoderInterfaceWindow window(m_services.port, m_services.counter,
                                               m_services.folder, m_services.dialogs, this);
        window.exec();
    }
    m_poller->invalidateSettings();
    refreshDecoderStatus();
}

const common::LocalClock& MainWindow::localClock() const {
    return m_services.localClock ? *m_services.localClock : m_systemLocalClock;
}

printing::PictureLibrary& MainWindow::pictures() {
    if (m_services.pictures)
        return *m_services.pictures;
    if (!m_noPictures)
        m_noPictures = std::make_unique<NoPictures>();
    return *m_noPictures;
}

const printing::ReportPrinter& MainWindow::reportPrinter() {
    if (!m_reportPrinter)
        m_reportPrinter = std::make_unique<printing::ReportPrinter>(m_services.folder, pictures());
    return *m_reportPrinter;
}

void MainWindow::runSessionWindow(const std::function<void()>& window,
                                  const std::function<void()>& reload) {
    m_document.beforeSessionWindow();
    window();
    if (reload)
        reload();
    else
        m_document.afterSessionWindow();
    refreshBoard();
    rebuildTree();
}

void MainWindow::openReservation(const std::string& kartLabel) {
    if (kartLabel.empty())
        return;
    runSessionWindow(
        [&] {
            finances::ReservationWindow window(m_services.folder, m_services.dialogs, localClock(),
                                               kartLabel, this);
            window.setReportPrinter(&reportPrinter());
            window.exec();
        },
        [&] { m_document.afterReservation(kartLabel); });
}

void MainWindow::openGroupReservation(int category) {
    if (category < 0 || category >= kCategoryCount)
        return;
    runSessionWindow(
        [&] {
            finances::GroupReservationWindow window(m_services.folder, m_services.dialogs,
                                                    localClock(), category, this);
            window.setReportPrinter(&reportPrinter());
            window.exec();
        },
        [&] { m_document.afterGroupReservation(category); });
}

void MainWindow::categoriesChanged() {
    databases::LoadCategoriesDatabase(m_services.folder, m_categories, m_messages);
    m_document.applyCategories(m_categories);
    refreshBoard();
    rebuildTree();
}

void MainWindow::openKartCategories() {
    {
        databases::KartCategoriesWindow window(m_services.folder, m_services.dialogs, pictures(),
                                               this);
        window.exec();
    }
    categoriesChanged();
}

void MainWindow::openFleet() {
    // The fleet window reads the transponders off the port itself.
    m_poller->setFleetScanActive(true);
    {
        databases::FleetWindow window(m_services.folder, m_services.dialogs, m_services.port,
                                      m_services.ticks, this);
        window.exec();
    }
    m_poller->setFleetScanActive(false);
    categoriesChanged();
}

void MainWindow::openClubs() {
    databases::ClubsWindow window(m_services.folder, m_services.dialogs, pictures(), this);
    window.exec();
}

void MainWindow::openAgeCategories() {
    databases::AgeCategoriesWindow window(m_services.folder, m_services.dialogs, localClock(),
                                          this);
    window.exec();
}

void MainWindow::openSubscribers() {
    databases::SubscribersWindow window(m_services.folder, m_services.dialogs, pictures(),
                                        localClock(), this);
    window.setReportPrinter(&reportPrinter());
    window.exec();
}

void MainWindow::openFirstNames() {
    databases::FirstNamesWindow window(m_services.folder, m_services.dialogs, this);
    window.exec();
}

void MainWindow::openTracks() {
    {
        databases::TracksWindow window(m_services.folder, m_services.dialogs, pictures(), this);
        window.exec();
    }
    checkTracksDatabase();
    refreshBoard();
}

void MainWindow::openSessionTrack() {
    runSessionWindow([&] {
        session::SessionTrackWindow window(m_services.folder, m_services.dialogs, pictures(), this);
        window.exec();
    });
}

void MainWindow::openKartList(int category) {
    if (category < 0 || category >= kCategoryCount)
        return;
    runSessionWindow([&] {
        session::KartListWindow window(m_services.folder, m_services.dialogs, m_services.sounds,
                                       category, this);
        window.exec();
    });
}

void MainWindow::openClassification(int category) {
    if (category < 0 || category >= kCategoryCount)
        return;
    // The window reads the session as it stands from the working file.
    m_document.saveWorkingFile();
    if (m_classification) {
        m_classification->raise();
        m_classification->activateWindow();
        return;
    }
    m_classification = new session::ClassificationWindow(
        m_services.folder, m_services.dialogs, localClock(), category, &reportPrinter(), this);
    connect(m_classification, &session::ClassificationWindow::closed, this,
            [this] { m_classification = nullptr; });
    m_classification->show();
}

void MainWindow::openTranslationEditor() {
    i18n::TranslationEditorWindow editor(m_services.folder, m_services.dialogs, this);
    editor.exec();
    // The rebuilt menus come back enabled; the graying must hold.
    buildMenus();
    applyCommandStates();
}

void MainWindow::openHelp() {
    const std::filesystem::path guide = m_services.folder.path("Guides/HelpLocationKartingFR.pdf");
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(guide.string())));
}

void MainWindow::redrawBoard() {
    m_board->boardChanged();
    refreshLiveBoard();
}

void MainWindow::refreshLiveBoard() {
    // Windows opened during start-up redraw before the boards exist.
    if (!m_driversBoard || !m_liveServer)
        return;
    // Kept current while hidden, so the board opens on the session as it is.
    const LiveBoardSnapshot snapshot =
        BuildLiveBoardSnapshot(m_live, m_clock->elapsedText(), m_clock->remainingText(),
                               m_clock->running(), ++m_liveBoardSequence);
    m_driversBoard->show(snapshot);
    // Serialised here, sent from the event loop: the tick never waits for
    // the network.
    m_liveServer->publish(snapshot);
}

void MainWindow::openDriversBoardSettings() {
    DriversBoardSettingsDialog window(m_services.folder, m_services.dialogs, *m_driversBoard, this);
    window.setAddress(m_liveServer->isListening() ? m_liveServer->address() : QString());
    if (window.exec() == QDialog::Accepted)
        ApplyLiveBoardWeb(window.settings(), *m_liveServer, m_services.dialogs, this);
}

void MainWindow::redrawClockArea() {
    m_clockArea->setRunning(m_clock->running());
    m_clockArea->setClockTexts(m_clock->durationText(), m_clock->elapsedText(),
                               m_clock->remainingText());
    refreshLiveBoard();
}

void MainWindow::lapAccepted(const SessionKart& kart) {
    if (m_classification)
        m_classification->liveUpdate(kart);
}

void MainWindow::sessionCommandsEnabled(bool enabled, bool) {
    // "Enregistrer" follows the window's own knowledge of the operator's file.
    m_sessionCommandsAllowed = enabled;
    applyCommandStates();
    m_startButton->setEnabled(enabled);
    redrawClockArea();
}

bool MainWindow::commandAllowed(CommandId command) const {
    // The translation editor rebuilds the menus and edits files in use: it is
    // a settings command like the decoder interface.
    if (IsSessionCommand(command) || command == CommandId::TranslationEditor) {
        if (!m_sessionCommandsAllowed)
            return false;
    }
    return command != CommandId::Save || m_document.canSaveToUserFile();
}

void MainWindow::applyCommandStates() {
    for (const auto& [command, entry] : m_actions)
        entry->setEnabled(commandAllowed(command));
}

} // namespace tallimo::app
