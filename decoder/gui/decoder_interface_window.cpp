#include "decoder/gui/decoder_interface_window.h"

#include "common/gui/text_conversion.h"
#include "decoder/core/com_port_name.h"
#include "decoder/core/identify_decoder.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tallimo::decoder {
namespace {

constexpr int kIndicatorWidth = 40;
constexpr int kIndicatorHeight = 39;

QFont ControlFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    // Set either way so that controls do not inherit their group's bold title.
    font.setBold(bold);
    return font;
}

// The report keeps CR LF between lines; the text control wants bare LF.
QString ReportForDisplay(const std::string& cp1252) {
    QString text = common::FromCp1252(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// Stands in for a missing picture so that the state still shows.
QPixmap DrawnLight(bool connected) {
    QPixmap picture(kIndicatorWidth, kIndicatorHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(connected ? QColor(0, 190, 0) : QColor(210, 0, 0));
    painter.drawEllipse(QRectF(4.5, 4.5, kIndicatorWidth - 9.0, kIndicatorHeight - 9.0));
    return picture;
}

} // namespace

DecoderInterfaceWindow::DecoderInterfaceWindow(SerialPort& port,
                                               const common::HighResCounter& counter,
                                               common::WorkingFolder folder,
                                               common::OperatorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_port(port), m_counter(counter), m_folder(std::move(folder)),
      m_dialogs(dialogs) {
    setObjectName("decoderInterfaceWindow");
    setModal(true);
    buildControls();
    loadTexts();
    loadSettings();
}

void DecoderInterfaceWindow::buildControls() {
    m_messageGroup = new QGroupBox(this);
    m_messageGroup->setFont(ControlFont(true));
    m_report = new QPlainTextEdit(m_messageGroup);
    m_report->setObjectName("reportText");
    m_report->setReadOnly(true);
    m_report->setFont(ControlFont(false));
    m_report->setMinimumSize(420, 110);
    auto* messageLayout = new QVBoxLayout(m_messageGroup);
    messageLayout->addWidget(m_report);

    m_modelGroup = new QGroupBox(this);
    m_modelGroup->setFont(ControlFont(true));
    m_vela1 = new QRadioButton(QStringLiteral("Vela1 USB"), m_modelGroup);
    m_vela1->setObjectName("vela1Radio");
    m_vela2Usb = new QRadioButton(QStringLiteral("Vela2/Vela3 USB"), m_modelGroup);
    m_vela2Usb->setObjectName("vela2UsbRadio");
    m_vela2Bluetooth = new QRadioButton(QStringLiteral("Vela2/Vela3 Bluetooth"), m_modelGroup);
    m_vela2Bluetooth->setObjectName("vela2BluetoothRadio");
    auto* modelLayout = new QVBoxLayout(m_modelGroup);
    for (QRadioButton* radio : {m_vela1, m_vela2Usb, m_vela2Bluetooth}) {
        radio->setFont(ControlFont(false));
        modelLayout->addWidget(radio);
    }
    connect(m_vela1, &QRadioButton::clicked, this,
            [this] { chooseModel(DecoderModelChoice::Vela1Usb); });
    connect(m_vela2Usb, &QRadioButton::clicked, this,
            [this] { chooseModel(DecoderModelChoice::Vela2Usb); });
    connect(m_vela2Bluetooth, &QRadioButton::clicked, this,
            [this] { chooseModel(DecoderModelChoice::Vela2Bluetooth); });

    m_portGroup = new QGroupBox(this);
    m_portGroup->setFont(ControlFont(true));
    m_portList = new QComboBox(m_portGroup);
    m_portList->setObjectName("portList");
    m_portList->setFont(ControlFont(false));
    for (int number = 1; number <= kHighestComPort; ++number)
        m_portList->addItem(QString::fromStdString(ComPortName(number)));
    m_devicePath = new QLabel(m_portGroup);
    m_devicePath->setObjectName("devicePath");
    m_devicePath->setFont(ControlFont(false));
    m_devicePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* portLayout = new QHBoxLayout(m_portGroup);
    portLayout->addWidget(m_portList);
    portLayout->addWidget(m_devicePath, 1);
    connect(m_portList, &QComboBox::currentIndexChanged, this, [this] { showDevicePath(); });

    m_connect = new QPushButton(this);
    m_connect->setObjectName("connectButton");
    m_connect->setFont(ControlFont(false));
    m_connect->setAutoDefault(false);
    connect(m_connect, &QPushButton::clicked, this, [this] { connectDecoder(); });

    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName("okButton");
    m_ok->setFont(ControlFont(false));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_indicator = new QLabel(this);
    m_indicator->setObjectName("indicator");
    m_indicator->setFixedSize(kIndicatorWidth, kIndicatorHeight);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_connect);
    buttons->addStretch(1);
    buttons->addWidget(m_indicator);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_messageGroup, 0, 0, 1, 2);
    layout->addWidget(m_modelGroup, 1, 0);
    layout->addWidget(m_portGroup, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
}

void DecoderInterfaceWindow::loadTexts() {
    common::DialogMessageSink sink(m_dialogs, this);
    const i18n::WindowTexts texts =
        i18n::OpenWindowTexts(m_folder, kDecoderInterfaceTextsStem, kDecoderInterfaceRowCount,
                              i18n::CommonVocabulary::Skip, sink);
    const i18n::LanguageCode code = texts.languages.interfaceCode;
    m_rows = DecoderInterfaceRowsIn(texts.labels, code);

    setWindowTitle(
        common::FromCp1252(i18n::WindowTitle(i18n::TitledWindow::DecoderInterface, code)));
    m_messageGroup->setTitle(common::FromCp1252(m_rows[kRowMessages]));
    m_modelGroup->setTitle(common::FromCp1252(m_rows[kRowDecoder] + " Tallimo"));
    m_portGroup->setTitle(common::FromCp1252(m_rows[kRowComPort]));
    m_connect->setText(common::FromCp1252(m_rows[kRowConnect]));
}

void DecoderInterfaceWindow::loadSettings() {
    m_settings = DecoderSettings{};
    if (!LoadDecoderSettings(m_folder, m_settings))
        m_dialogs.inform(this, kSettingsFileErrorCaption, kSettingsFileErrorText,
                         common::DialogIcon::Stop);
    showModel();
    // No item for an empty or foreign name: the list then shows none rather
    // than a port the file does not name.
    const QString stored = common::FromCp1252(m_settings.comPort);
    m_portList->setCurrentIndex(
        stored.isEmpty() ? -1 : m_portList->findText(stored, Qt::MatchFixedString));
    showDevicePath();
    m_report->setPlainText(ReportForDisplay(OpeningStatusText(m_rows, m_settings)));
    showIndicator();
}

void DecoderInterfaceWindow::connectDecoder() {
    m_port.CloseComPort();
    const std::string comPort = common::ToCp1252(m_portList->currentText());
    m_report->setPlainText(ReportForDisplay(m_rows[kRowOpeningAttempt]));
    // Identification keeps the thread for up to 1.5 s: show the attempt first.
    m_report->repaint();

    const IdentificationResult result = IdentifyDecoder(m_port, m_counter, m_folder, comPort);
    m_settings = result.settings;
    showModel();
    m_report->setPlainText(ReportForDisplay(ConnectReportText(m_rows, result)));
    if (!result.settingsSaved)
        m_dialogs.inform(this, kSettingsFileErrorCaption, kSettingsFileErrorText,
                         common::DialogIcon::Stop);
    showIndicator();
}

void DecoderInterfaceWindow::chooseModel(DecoderModelChoice choice) {
    // Only this copy changes; the next connection replaces it with the model
    // found, so the program always polls the identified one.
    m_settings.decoderModel = ModelIdentifierFor(choice);
}

void DecoderInterfaceWindow::showModel() {
    switch (ModelChoiceFor(m_settings.decoderModel)) {
    case DecoderModelChoice::Vela2Usb:
        m_vela2Usb->setChecked(true);
        break;
    case DecoderModelChoice::Vela2Bluetooth:
        m_vela2Bluetooth->setChecked(true);
        break;
    case DecoderModelChoice::Vela1Usb:
        m_vela1->setChecked(true);
        break;
    }
}

void DecoderInterfaceWindow::showDevicePath() {
    const auto device = ComPortDevicePath(m_folder, common::ToCp1252(m_portList->currentText()));
    m_devicePath->setText(device ? QString::fromStdString(device->string()) : QString());
}

void DecoderInterfaceWindow::showIndicator() {
    const bool connected = m_settings.connected == 1;
    const std::filesystem::path file =
        m_folder.path(connected ? "images/voyantVert.bmp" : "images/voyantRouge.bmp");
    QPixmap picture(QString::fromStdString(file.string()));
    m_indicator->setPixmap(picture.isNull() ? DrawnLight(connected) : picture);
}

} // namespace tallimo::decoder
