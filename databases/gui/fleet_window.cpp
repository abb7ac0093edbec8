#include "databases/gui/fleet_window.h"

#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "decoder/core/decoder_interface_report.h"
#include "decoder/core/decoder_settings.h"
#include "printing/core/picture_library.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tallimo::databases {
namespace {

inline constexpr std::string_view kFleetTextsStem = "BaseParcKarts";
constexpr int kFleetRowCount = 4;
constexpr int kRowHeading = 0;
constexpr int kRowCategory = 1;
constexpr int kRowKarts = 2;
constexpr int kRowScan = 3;

constexpr int kIndicatorSize = 31;

} // namespace

FleetWindow::FleetWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         decoder::SerialPort& port, const common::TickSource& ticks,
                         QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "fleetWindow", std::nullopt, parent), m_port(port),
      m_ticks(ticks) {
    buildControls();
    loadTexts();
    loadData();
    // After the data: a message box shown while loading runs the event loop.
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, [this] { timerTick(); });
    m_timer.start();
}

FleetWindow::~FleetWindow() {
    m_timer.stop();
}

void FleetWindow::buildControls() {
    m_categoryCaption = NamedLabel("categoryLabel", this);
    m_categoryList = NamedCombo("categoryList", this);
    connect(m_categoryList, &QComboBox::currentIndexChanged, this, [this] { chooseCategory(); });

    m_kartsGroup = new QGroupBox(this);
    m_kartsGroup->setObjectName("kartsGroup");

    m_positionCaption = wordLabel("positionLabel", ButtonWord::Number);
    m_position = NamedEdit("positionEdit", m_kartsGroup, true);
    m_position->setMaximumWidth(60);
    m_kartsCaption = NamedLabel("kartsLabel", m_kartsGroup);
    m_kartList = new QListWidget(m_kartsGroup);
    m_kartList->setObjectName("kartList");
    m_kartList->setMinimumHeight(200);
    connect(m_kartList, &QListWidget::currentRowChanged, this, [this] { chooseKart(); });

    m_add = wordButton("addButton", ButtonWord::Add);
    connect(m_add, &QPushButton::clicked, this, [this] { addKart(); });
    m_remove = wordButton("removeButton", ButtonWord::Remove);
    connect(m_remove, &QPushButton::clicked, this, [this] { removeKart(); });

    m_kartId = NamedEdit("kartIdEdit", m_kartsGroup, true);
    m_transponderCaption = NamedLabel("transponderLabel", m_kartsGroup);
    m_transponderCaption->setText(QStringLiteral("Transpond. :"));
    m_transponder = DigitsEdit("transponderEdit", m_kartsGroup, kFleetTransponderChars);
    connect(m_transponder, &QLineEdit::textChanged, this, [this] { transponderEdited(); });

    m_scanButton = NamedButton("scanButton", m_kartsGroup);
    m_scanButton->setCheckable(true);
    connect(m_scanButton, &QPushButton::toggled, this, [this](bool on) { scanToggled(on); });
    m_scanState = NamedEdit("scanStateEdit", m_kartsGroup, true);
    m_scanState->setMaximumWidth(60);
    m_indicator = new QLabel(m_kartsGroup);
    m_indicator->setObjectName("scanIndicator");
    m_indicator->setFixedSize(kIndicatorSize, kIndicatorSize);

    auto* listColumn = new QVBoxLayout;
    auto* positionRow = new QHBoxLayout;
    positionRow->addWidget(m_positionCaption);
    positionRow->addWidget(m_position);
    positionRow->addStretch(1);
    listColumn->addLayout(positionRow);
    listColumn->addWidget(m_kartsCaption);
    listColumn->addWidget(m_kartList, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_add);
    listButtons->addWidget(m_remove);
    listColumn->addLayout(listButtons);

    auto* kartColumn = new QGridLayout;
    kartColumn->addWidget(m_kartId, 0, 0, 1, 2);
    kartColumn->addWidget(m_transponderCaption, 1, 0);
    kartColumn->addWidget(m_transponder, 1, 1);
    kartColumn->addWidget(m_scanButton, 2, 0);
    kartColumn->addWidget(m_scanState, 2, 1);
    kartColumn->addWidget(m_indicator, 3, 1);
    kartColumn->setRowStretch(4, 1);

    auto* groupLayout = new QHBoxLayout(m_kartsGroup);
    groupLayout->addLayout(listColumn, 1);
    groupLayout->addLayout(kartColumn, 1);

    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_categoryCaption);
    categoryRow->addWidget(m_categoryList, 1);
    auto* body = new QVBoxLayout;
    body->addLayout(categoryRow);
    body->addWidget(m_kartsGroup, 1);
    layOut(body);
    // Enter anywhere but in the list means "Ok" here.
    okButton()->setDefault(true);
}

void FleetWindow::loadTexts() {
    const WindowLabels label =
        EditingWindow::loadTexts(kFleetTextsStem, kFleetRowCount, i18n::TitledWindow::Fleet);
    heading()->setText(label(kRowHeading, "Parc des karts de location"));
    // Kept in Windows-1252: the group box joins it to the category's name.
    const std::string& category = label.texts.label(kRowCategory);
    m_categoryLabel = category.empty() ? std::string("Cat\xE9gorie :") : category;
    m_categoryCaption->setText(common::FromCp1252(m_categoryLabel));
    m_kartsCaption->setText(label(kRowKarts, "Karts (30 max)"));
    m_scanButton->setText(label(kRowScan, "Scan."));
}

void FleetWindow::loadData() {
    decoder::DecoderSettings settings;
    if (!decoder::LoadDecoderSettings(folder(), settings))
        messages().show(decoder::kSettingsFileErrorCaption, decoder::kSettingsFileErrorText);
    m_scan = std::make_unique<TransponderScan>(settings.decoderModel);

    LoadCategoriesDatabase(this->folder(), m_table, messages());
    {
        const QSignalBlocker blocker(m_categoryList);
        for (const int slot : ListedCategorySlots(m_table))
            m_categoryList->addItem(common::FromCp1252(m_table[slot].name));
        m_categoryList->setCurrentIndex(m_categoryList->count() > 0 ? 0 : -1);
    }
    m_editor.selectFirstCategory();
    showCategory();
    switchScanOff();
}

void FleetWindow::chooseCategory() {
    switchScanOff();
    m_editor.selectCategory(common::ToCp1252(m_categoryList->currentText()));
    showCategory();
}

void FleetWindow::chooseKart() {
    const QListWidgetItem* item = m_kartList->currentItem();
    if (item == nullptr)
        return;
    m_editor.selectKart(common::ToCp1252(item->text()));
    showCurrentKart();
}

void FleetWindow::addKart() {
    if (m_editor.currentCategory() < 0 ||
        m_editor.listedEntries().size() >= static_cast<std::size_t>(kFleetKartsPerCategory))
        return;
    switchScanOff();
    const std::optional<FleetNotice> notice = m_editor.addKart(language());
    showKartList();
    if (notice)
        notify(*notice);
}

void FleetWindow::removeKart() {
    switchScanOff();
    const std::optional<FleetNotice> notice = m_editor.removeKart(language());
    showKartList();
    if (notice)
        notify(*notice);
}

void FleetWindow::transponderEdited() {
    m_editor.storeTransponder(common::ToCp1252(m_transponder->text()));
}

void FleetWindow::scanToggled(bool on) {
    if (on) {
        m_scan->switchOn(m_port, m_ticks.tickMs());
        m_transponder->setReadOnly(true);
        m_scanState->setText(QStringLiteral("On"));
    } else {
        m_scan->switchOff();
        m_transponder->setReadOnly(false);
        m_scanState->setText(QStringLiteral("Off"));
    }
    showIndicator();
}

void FleetWindow::switchScanOff() {
    if (m_scanButton->isChecked())
        m_scanButton->setChecked(false); // the toggle does the rest
    else
        scanToggled(false);
}

void FleetWindow::timerTick() {
    const ScanTick tick = m_scan->tick(m_port, m_ticks.tickMs());
    for (const std::string& transponder : tick.transponders) {
        // A category without karts has only the free entry 0: nothing to fit it to.
        if (m_editor.currentKartListed())
            m_transponder->setText(common::FromCp1252(transponder));
    }
    if (tick.indicatorChanged)
        showIndicator();
}

bool FleetWindow::save(common::MessageSink& messages) {
    return SaveCategoriesDatabase(this->folder(), m_table, messages);
}

void FleetWindow::done(int result) {
    m_timer.stop();
    QDialog::done(result);
}

void FleetWindow::showCategory() {
    const int slot = m_editor.currentCategory();
    const std::string name = slot < 0 ? std::string() : m_table[slot].name;
    m_kartsGroup->setTitle(common::FromCp1252(m_categoryLabel + " " + name));
    showKartList();
}

void FleetWindow::showKartList() {
    {
        const QSignalBlocker blocker(m_kartList);
        m_kartList->clear();
        const int slot = m_editor.currentCategory();
        int currentRow = -1;
        if (slot >= 0) {
            for (const int entry : m_editor.listedEntries()) {
                if (entry == m_editor.currentEntry())
                    currentRow = m_kartList->count();
                m_kartList->addItem(common::FromCp1252(m_table[slot].karts[entry].kartId));
            }
        }
        m_kartList->setCurrentRow(currentRow);
    }
    showCurrentKart();
}

void FleetWindow::showCurrentKart() {
    const FleetKart* kart = m_editor.currentKart();
    const QSignalBlocker blocker(m_transponder);
    m_kartId->setText(kart ? common::FromCp1252(kart->kartId) : QString());
    m_transponder->setText(kart ? common::FromCp1252(kart->transponder) : QString());
    m_position->setText(QString::number(m_editor.currentPosition()));
}

void FleetWindow::showIndicator() {
    const int phase = m_scan ? m_scan->indicatorPhase() : 0;
    m_indicator->setProperty("phase", phase);
    if (phase == 0) {
        m_indicator->clear();
        return;
    }
    const std::string file = "images/voyantScanPuce" + std::to_string(phase) + ".bmp";
    const QImage image(QString::fromStdString(folder().path(file).string()));
    if (image.isNull()) {
        m_indicator->clear();
        return;
    }
    const printing::PictureSize fitted =
        printing::FitPicture({image.width(), image.height()}, {kIndicatorSize, kIndicatorSize});
    m_indicator->setPixmap(QPixmap::fromImage(image.scaled(
        fitted.width, fitted.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void FleetWindow::notify(const FleetNotice& notice) {
    dialogs().inform(this, notice.caption, notice.text);
}

} // namespace tallimo::databases
