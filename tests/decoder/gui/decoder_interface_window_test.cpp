// The decoder interface window, headless: opened on prepared working
// folders, connected through a pseudo-terminal to the decoder simulator, and
// checked by what the operator sees and what lands in the settings file.

#include "common/core/cp1252.h"
#include "common/core/system_clocks.h"
#include "common/gui/text_conversion.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/gui/decoder_interface_window.h"
#include "decoder/gui/qt_serial_port.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::decoder {
namespace {

using i18n::LanguageCode;
using sim::DecoderModel;

const std::string kErrorSettings = "Error : 'COM port' file not found";

enum class Light { Red, Green };

struct Message {
    std::string caption;
    std::string text;
    friend bool operator==(const Message&, const Message&) = default;
};

class DecoderInterfaceWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "decoder_interface_window_test";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr)
            new QApplication(argc, argv);
    }

    void SetUp() override { ASSERT_TRUE(i18n::WriteShippedTranslations(folder / "Translation")); }

    // Written by hand so that a code outside the six languages can be stored.
    void useLanguage(LanguageCode code) const {
        folder.write("Translation/FenetrePrincipale.trans",
                     std::to_string(static_cast<int>(code)) + "\t0\t\n");
    }

    void writeSettings(std::string_view bytes) const {
        folder.write(kDecoderSettingsFileName, bytes);
    }
    std::string settingsFile() const { return folder.read(kDecoderSettingsFileName); }

    void startSimulator(DecoderModel model, int identity) {
        sim::DecoderSimulatorHostConfig config;
        config.decoder.model = model;
        config.decoder.identity = identity;
        config.workingFolder = folder.path();
        config.port = "COM7";
        host = std::make_unique<sim::DecoderSimulatorHost>(std::move(config));
        ASSERT_TRUE(host->start()) << host->lastError();
    }

    DecoderInterfaceWindow& open() {
        window = std::make_unique<DecoderInterfaceWindow>(port, counter, root, dialogs);
        return *window;
    }

    template <typename Widget> Widget* find(const char* name) const {
        Widget* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    std::string report() const {
        return common::ToCp1252(find<QPlainTextEdit>("reportText")->toPlainText());
    }

    // The radio buttons that are checked, by object name.
    std::vector<std::string> checkedRadios() const {
        std::vector<std::string> checked;
        for (const char* name : {"vela1Radio", "vela2UsbRadio", "vela2BluetoothRadio"})
            if (find<QRadioButton>(name)->isChecked())
                checked.push_back(name);
        return checked;
    }

    QColor indicatorCentre() const {
        const QLabel* indicator = find<QLabel>("indicator");
        return indicator->pixmap().toImage().pixelColor(20, 19);
    }

    std::optional<Light> light() const {
        const QColor centre = indicatorCentre();
        if (centre.green() > 100 && centre.red() < 60)
            return Light::Green;
        if (centre.red() > 100 && centre.green() < 60)
            return Light::Red;
        return std::nullopt;
    }

    std::vector<Message> messages() const {
        std::vector<Message> shown;
        for (const auto& asked : dialogs.asked)
            shown.push_back({asked.caption, asked.text});
        return shown;
    }

    void clickConnect() const {
        QTest::mouseClick(find<QPushButton>("connectButton"), Qt::LeftButton);
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    common::SystemHighResCounter counter;
    QtSerialPort port{root};
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<sim::DecoderSimulatorHost> host;
    std::unique_ptr<DecoderInterfaceWindow> window;
};

// ---- Opening on the settings file as the last connection left it ----

struct OpeningCase {
    const char* name;
    std::optional<const char*> settingsFile;
    const char* selectedPort; // "" for no selection
    const char* devicePath;   // "" when no port is selected
    const char* checkedRadio;
    const char* report;
    Light light;
    std::vector<Message> messages;

    friend void PrintTo(const OpeningCase& test, std::ostream* out) { *out << test.name; }
};

class OpeningWindow : public DecoderInterfaceWindowTest,
                      public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningWindow, ShowsTheStoredPortModelAndState) {
    const OpeningCase& test = GetParam();
    if (test.settingsFile)
        writeSettings(*test.settingsFile);
    open();
    const QComboBox* list = find<QComboBox>("portList");
    EXPECT_EQ(list->count(), 99);
    EXPECT_EQ(list->itemText(0), "COM1");
    EXPECT_EQ(list->itemText(98), "COM99");
    EXPECT_EQ(list->currentText().toStdString(), test.selectedPort);
    EXPECT_EQ(find<QLabel>("devicePath")->text().toStdString(), test.devicePath);
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{test.checkedRadio});
    EXPECT_EQ(report(), test.report);
    EXPECT_EQ(light(), test.light) << indicatorCentre().name().toStdString();
    EXPECT_EQ(messages(), test.messages);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFiles, OpeningWindow,
    ::testing::Values(OpeningCase{"NamedPortIsSelected",
                                  "COM12\t1\tTallimoVela2\n",
                                  "COM12",
                                  "/dev/ttyS11",
                                  "vela2UsbRadio",
                                  " Interface Vela2/Vela3 USB ready to operate !",
                                  Light::Green,
                                  {}},
                      OpeningCase{"PortNameMatchesIgnoringCase",
                                  "com5\t0\tTallimoVela2Bluetooth\n",
                                  "COM5",
                                  "/dev/ttyS4",
                                  "vela2BluetoothRadio",
                                  " COM Port is not open !",
                                  Light::Red,
                                  {}},
                      OpeningCase{"EmptyPortNameLeavesNoSelection",
                                  "\t0\tTallimo\n",
                                  "",
                                  "",
                                  "vela1Radio",
                                  " COM Port is not open !",
                                  Light::Red,
                                  {}},
                      OpeningCase{"PortNotInTheListLeavesNoSelection",
                                  "LPT1\t1\tTallimoVela2\n",
                                  "",
                                  "",
                                  "vela2UsbRadio",
                                  " Interface Vela2/Vela3 USB ready to operate !",
                                  Light::Green,
                                  {}},
                      OpeningCase{"MissingFileIsReportedAndTheWindowOpens",
                                  std::nullopt,
                                  "",
                                  "",
                                  "vela1Radio",
                                  " COM Port is not open !",
                                  Light::Red,
                                  {{"Error", kErrorSettings}}}),
    [](const ::testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

// ---- Labels in the interface language ----

struct LabelCase {
    const char* name;
    std::optional<LanguageCode> language; // nothing: no label file at all
    const char* titleUtf8;
    std::vector<const char*> groupTitlesUtf8; // messages, decoder, port
    const char* connectUtf8;
    std::vector<Message> messages;

    friend void PrintTo(const LabelCase& test, std::ostream* out) { *out << test.name; }
};

class WindowLabels : public DecoderInterfaceWindowTest,
                     public ::testing::WithParamInterface<LabelCase> {};

TEST_P(WindowLabels, FollowTheInterfaceLanguage) {
    const LabelCase& test = GetParam();
    if (test.language)
        useLanguage(*test.language);
    else
        std::filesystem::remove(folder / "Translation/FenetreInterface.trans");
    writeSettings("COM2\t0\tTallimo\n");
    open();
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(test.titleUtf8));
    std::vector<QString> titles;
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        titles.push_back(group->title());
    std::vector<QString> expected;
    for (const char* title : test.groupTitlesUtf8)
        expected.push_back(QString::fromUtf8(title));
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(find<QPushButton>("connectButton")->text(), QString::fromUtf8(test.connectUtf8));
    EXPECT_EQ(find<QPushButton>("okButton")->text(), "Ok");
    EXPECT_EQ(messages(), test.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, WindowLabels,
    ::testing::Values(
        LabelCase{"English",
                  LanguageCode::English,
                  "Decoder Interface",
                  {"Message", "Decoder Tallimo", "COM port"},
                  "Connect",
                  {}},
        LabelCase{"French",
                  LanguageCode::French,
                  "Interface décodeur",
                  {"Messages", "Décodeur Tallimo", "Port COM"},
                  "Ouvrir",
                  {}},
        LabelCase{"MissingLabelFileLeavesThemEmpty",
                  std::nullopt,
                  "Decoder Interface",
                  {"", " Tallimo", ""},
                  "",
                  {{"Error",
                    "Error: The translation file 'FenetreInterface.trans' has not been found"}}}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

// ---- "Ouvrir" with a decoder on the line ----

struct ConnectCase {
    const char* name;
    LanguageCode language;
    DecoderModel model;
    int identity;
    const char* reportUtf8; // lines as the text control shows them
    const char* checkedRadio;
    const char* settingsFile;

    friend void PrintTo(const ConnectCase& test, std::ostream* out) { *out << test.name; }
};

class ConnectingDecoder : public DecoderInterfaceWindowTest,
                          public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(ConnectingDecoder, ReportsMarksLightsAndSaves) {
    const ConnectCase& test = GetParam();
    useLanguage(test.language);
    writeSettings("COM7\t0\tTallimo\n");
    startSimulator(test.model, test.identity);
    open();
    ASSERT_EQ(find<QComboBox>("portList")->currentText(), "COM7");
    EXPECT_EQ(find<QLabel>("devicePath")->text().toStdString(), (folder / "ports/COM7").string());
    ASSERT_EQ(light(), Light::Red);

    clickConnect();

    EXPECT_EQ(report(), common::Utf8ToCp1252(test.reportUtf8));
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{test.checkedRadio});
    EXPECT_EQ(light(), Light::Green);
    EXPECT_EQ(settingsFile(), test.settingsFile);
    EXPECT_EQ(host->commandCounts().identificationQueries, 1);
    EXPECT_EQ(messages(), std::vector<Message>{});
}

INSTANTIATE_TEST_SUITE_P(
    Decoders, ConnectingDecoder,
    ::testing::Values(
        ConnectCase{"EnglishBluetooth", LanguageCode::English, DecoderModel::Vela2Bluetooth, 1234,
                    " COM Port opening attempt :\n COM Port opened correctly, OK !\n"
                    " Decoder Vela2/Vela3 Bluetooth id.#001234 connected !\n"
                    " Software ready to operate !",
                    "vela2BluetoothRadio", "COM7\t1\tTallimoVela2Bluetooth\n"},
        ConnectCase{"FrenchUsb", LanguageCode::French, DecoderModel::Vela2Usb, 1234,
                    " Tentative d'ouverture du port COM :\n Ouverture du port COM OK !\n"
                    " Décodeur Vela2/Vela3 USB id.#001234 connecté !\n"
                    " Logiciel prêt à fonctionner !",
                    "vela2UsbRadio", "COM7\t1\tTallimoVela2\n"},
        ConnectCase{"EnglishSilentVela1", LanguageCode::English, DecoderModel::Vela1Usb, 1234,
                    " COM Port opening attempt :\n COM Port opened correctly, OK !\n"
                    " Interface Vela1 USB ready to operate !\n"
                    " Software ready to operate !",
                    "vela1Radio", "COM7\t1\tTallimo\n"}),
    [](const ::testing::TestParamInfo<ConnectCase>& info) { return std::string(info.param.name); });

// ---- "Ouvrir" when the port does not open ----

struct FailedOpenCase {
    const char* name;
    const char* settingsFile;
    const char* savedFile;

    friend void PrintTo(const FailedOpenCase& test, std::ostream* out) { *out << test.name; }
};

class PortNotOpening : public DecoderInterfaceWindowTest,
                       public ::testing::WithParamInterface<FailedOpenCase> {};

TEST_P(PortNotOpening, ReportsTheFailureAndSavesNotConnected) {
    writeSettings(GetParam().settingsFile);
    open();
    clickConnect();
    EXPECT_EQ(report(), " COM Port opening attempt :\n Could not open the COM Port !");
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{"vela1Radio"});
    EXPECT_EQ(light(), Light::Red);
    EXPECT_EQ(settingsFile(), GetParam().savedFile);
    EXPECT_EQ(messages(), std::vector<Message>{});
}

INSTANTIATE_TEST_SUITE_P(Ports, PortNotOpening,
                         ::testing::Values(
                             // It was green and marked Vela2: both must follow the failure.
                             FailedOpenCase{"UnlinkedPortThatWasConnected",
                                            "COM98\t1\tTallimoVela2\n", "COM98\t0\tTallimo\n"},
                             FailedOpenCase{"NoPortSelected", "LPT1\t1\tTallimoVela2Bluetooth\n",
                                            "\t0\tTallimo\n"}),
                         [](const ::testing::TestParamInfo<FailedOpenCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(DecoderInterfaceWindowTest, SettingsThatCannotBeSavedAreReported) {
    // A folder where the file should be: it can be neither read nor replaced.
    folder.write(std::string(kDecoderSettingsFileName) + "/keep", "x");
    open();
    clickConnect();
    EXPECT_EQ(report(), " COM Port opening attempt :\n Could not open the COM Port !");
    EXPECT_EQ(messages(),
              (std::vector<Message>{{"Error", kErrorSettings}, {"Error", kErrorSettings}}));
}

// ---- Radio buttons and closing ----

TEST_F(DecoderInterfaceWindowTest, ChosenModelIsNotSavedWhenClosingWithOk) {
    const std::string stored = "COM4\t1\tTallimo\n";
    writeSettings(stored);
    open();
    std::string chosenModel;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != "decoderInterfaceWindow")
            return;
        QTest::mouseClick(modal->findChild<QRadioButton*>("vela2UsbRadio"), Qt::LeftButton);
        chosenModel = window->settings().decoderModel;
        QTest::mouseClick(modal->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTimer::singleShot(5000, window.get(),
                       [&] { window->reject(); }); // a stuck test fails, not hangs
    EXPECT_EQ(window->exec(), QDialog::Accepted);
    EXPECT_EQ(chosenModel, "TallimoVela2");
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{"vela2UsbRadio"});
    EXPECT_EQ(settingsFile(), stored);
    EXPECT_EQ(messages(), std::vector<Message>{});
}

// ---- Port list and indicator pictures ----

TEST_F(DecoderInterfaceWindowTest, DevicePathFollowsTheSelectedPort) {
    std::filesystem::create_directories(folder / "ports");
    std::filesystem::create_symlink("/dev/null", folder / "ports/COM13");
    writeSettings("COM12\t0\tTallimo\n");
    open();
    window->show();
    QComboBox* list = find<QComboBox>("portList");
    EXPECT_EQ(find<QLabel>("devicePath")->text(), "/dev/ttyS11");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentText(), "COM13");
    EXPECT_EQ(find<QLabel>("devicePath")->text().toStdString(), (folder / "ports/COM13").string());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(find<QLabel>("devicePath")->text(), "/dev/ttyS13");
}

TEST_F(DecoderInterfaceWindowTest, IndicatorUsesThePicturesOfTheImagesFolder) {
    std::filesystem::create_directories(folder / "images");
    QImage blue(40, 39, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(
        blue.save(QString::fromStdString((folder / "images/voyantVert.bmp").string()), "BMP"));
    writeSettings("COM98\t1\tTallimo\n");
    open();
    EXPECT_EQ(indicatorCentre(), QColor(0, 0, 255));
    clickConnect(); // fails: the red picture is missing and is drawn instead
    EXPECT_EQ(light(), Light::Red);
}

} // namespace
} // namespace tallimo::decoder
