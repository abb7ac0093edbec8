#include "databases/gui/fleet_window.h"

#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "decoder/core/decoder_interface_report.h"
#include "decoder/core/decoder_settings.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"
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
#include <QRegularExpressionValidator>
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

// Rows of the shared button words.
constexpr int kWordAdd = 0;
constexpr int kWordRemove = 1;
constexpr int kWordNumber = 6;
constexpr int kWordOk = 14;
constexpr int kWordCancel = 15;

constexpr int kIndicatorSize = 31;

QFont ControlFont(bool bold) {
    QFont font("Arial");
    font.setPixelSize(16);
    font.setBold(bold);
    return font;
}

QLabel* BoldLabel(QWidget* parent, const char* objectName) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFont(ControlFont(true));
    return label;
}

QPushButton* Button(QWidget* parent, const char* objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFont(ControlFont(false));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setFont(ControlFont(false));
    edit->setReadOnly(true);
    return edit;
}

} // namespace

FleetWindow::FleetWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         decoder::SerialPort& port, const common::TickSource& ticks,
                         QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_port(port),
      m_ticks(ticks) {
    setObjectName("fleetWindow");
    setModal(true);
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
    m_heading = BoldLabel(this, "headingLabel");
    m_categoryCaption = BoldLabel(this, "categoryLabel");
    m_categoryList = new QComboBox(this);
    m_categoryList->setObjectName("categoryList");
    m_categoryList->setFont(ControlFont(false));
    connect(m_categoryList, &QComboBox::currentIndexChanged, this, [this] { chooseCategory(); });

    m_kartsGroup = new QGroupBox(this);
    m_kartsGroup->setObjectName("kartsGroup");
    m_kartsGroup->setFont(ControlFont(true));

    m_positionCaption = BoldLabel(m_kartsGroup, "positionLabel");
    m_position = ReadOnlyEdit(m_kartsGroup, "positionEdit");
    m_position->setMaximumWidth(60);
    m_kartsCaption = BoldLabel(m_kartsGroup, "kartsLabel");
    m_kartList = new QListWidget(m_kartsGroup);
    m_kartList->setObjectName("kartList");
    m_kartList->setFont(ControlFont(false));
    m_kartList->setMinimumHeight(200);
    connect(m_kartList, &QListWidget::currentRowChanged, this, [this] { chooseKart(); });

    m_add = Button(m_kartsGroup, "addButton");
    connect(m_add, &QPushButton::clicked, this, [this] { addKart(); });
    m_remove = Button(m_kartsGroup, "removeButton");
    connect(m_remove, &QPushButton::clicked, this, [this] { removeKart(); });

    m_kartId = ReadOnlyEdit(m_kartsGroup, "kartIdEdit");
    m_transponderCaption = BoldLabel(m_kartsGroup, "transponderLabel");
    m_transponderCaption->setText("Transpond. :");
    m_transponder = new QLineEdit(m_kartsGroup);
    m_transponder->setObjectName("transponderEdit");
    m_transponder->setFont(ControlFont(false));
    m_transponder->setMaxLength(static_cast<int>(kFleetTransponderChars));
    m_transponder->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,6}"), m_transponder));
    connect(m_transponder, &QLineEdit::textChanged, this, [this] { transponderEdited(); });

    m_scanButton = Button(m_kartsGroup, "scanButton");
    m_scanButton->setCheckable(true);
    connect(m_scanButton, &QPushButton::toggled, this, [this](bool on) { scanToggled(on); });
    m_scanState = ReadOnlyEdit(m_kartsGroup, "scanStateEdit");
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

    m_ok = Button(this, "okButton");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { confirm(); });
    m_cancel = Button(this, "cancelButton");
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_categoryCaption);
    categoryRow->addWidget(m_categoryList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(categoryRow);
    layout->addWidget(m_kartsGroup, 1);
    layout->addLayout(buttons);
}

void FleetWindow::loadTexts() {
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kFleetTextsStem, kFleetRowCount, m_dialogs, this);
    m_code = texts.languages.interfaceCode;

    // A label the files do not give keeps the dialog template's text.
    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    const auto word = [&](int row, const char* fallback) {
        return TextOr(texts.word(row), fallback);
    };

    setWindowTitle(common::FromCp1252(i18n::WindowTitle(i18n::TitledWindow::Fleet, m_code)));
    m_heading->setText(label(kRowHeading, "Parc des karts de location"));
    // Kept in Windows-1252: the group box joins it to the category's name.
    const std::string& category = texts.label(kRowCategory);
    m_categoryLabel = category.empty() ? std::string("Cat\xE9gorie :") : category;
    m_categoryCaption->setText(common::FromCp1252(m_categoryLabel));
    m_kartsCaption->setText(label(kRowKarts, "Karts (30 max)"));
    m_scanButton->setText(label(kRowScan, "Scan."));
    m_add->setText(word(kWordAdd, "Ajouter"));
    m_remove->setText(word(kWordRemove, "Supprimer"));
    m_positionCaption->setText(word(kWordNumber, "N\xB0ID"));
    m_ok->setText(word(kWordOk, "Ok"));
    m_cancel->setText(word(kWordCancel, "Echap"));
}

void FleetWindow::loadData() {
    common::DialogMessageSink sink(m_dialogs, this);
    decoder::DecoderSettings settings;
    if (!decoder::LoadDecoderSettings(m_folder, settings))
        sink.show(decoder::kSettingsFileErrorCaption, decoder::kSettingsFileErrorText);
    m_scan = std::make_unique<TransponderScan>(settings.decoderModel);

    LoadCategoriesDatabase(m_folder, m_table, sink);
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
    const std::optional<FleetNotice> notice = m_editor.addKart(m_code);
    showKartList();
    if (notice)
        notify(*notice);
}

void FleetWindow::removeKart() {
    switchScanOff();
    const std::optional<FleetNotice> notice = m_editor.removeKart(m_code);
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
        m_scanState->setText("On");
    } else {
        m_scan->switchOff();
        m_transponder->setReadOnly(false);
        m_scanState->setText("Off");
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

void FleetWindow::confirm() {
    common::DialogMessageSink sink(m_dialogs, this);
    // Closing after a failed write would throw the operator's edits away;
    // the window stays open so that "Ok" can be tried again or "Echap" chosen.
    if (SaveCategoriesDatabase(m_folder, m_table, sink))
        accept();
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
    const QImage image(QString::fromStdString(m_folder.path(file).string()));
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
    m_dialogs.inform(this, notice.caption, notice.text);
}

} // namespace tallimo::databases
