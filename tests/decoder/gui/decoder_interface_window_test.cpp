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
#include "tests/support/gui/modal_window.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tallimo::decoder {
namespace {

using i18n::LanguageCode;
using sim::DecoderModel;
using Message = std::pair<std::string, std::string>; // caption, text
using Messages = std::vector<Message>;

const Message kSettingsError{"Error", "Error : 'COM port' file not found"};
const char* const kNotOpen = " COM Port is not open !";
const char* const kUsbReady = " Interface Vela2/Vela3 USB ready to operate !";
const char* const kOpenFailed = " COM Port opening attempt :\n Could not open the COM Port !";

enum class Light { Red, Green, Other };

class DecoderInterfaceWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureApplication(); }

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

    void open() { window = std::make_unique<DecoderInterfaceWindow>(port, counter, root, dialogs); }

    template <typename Widget> Widget* find(const char* name) const {
        Widget* widget = window->findChild<Widget*>(QLatin1String(name));
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

    Light light() const {
        const QColor centre = find<QLabel>("indicator")->pixmap().toImage().pixelColor(20, 19);
        if (centre.green() > 100 && centre.red() < 60)
            return Light::Green;
        return centre.red() > 100 && centre.green() < 60 ? Light::Red : Light::Other;
    }

    Messages messages() const {
        Messages shown;
        for (const auto& asked : dialogs.asked)
            shown.emplace_back(asked.caption, asked.text);
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
    std::unique_ptr<sim::DecoderSimulatorHost> host; // outlives the window on its line
    std::unique_ptr<DecoderInterfaceWindow> window;
};

template <typename Case> std::string NameOf(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// ---- Opening on the settings file as the last connection left it ----

struct OpeningCase {
    const char* name;
    const char* settingsFile; // nullptr: no file at all
    const char* selectedPort; // "" for no selection
    const char* checkedRadio;
    bool connected;        // as the file says: green, and the model ready in the report
    const char* savedFile; // after "Ouvrir" fails to open the port; nullptr: not clicked
};

class OpeningWindow : public DecoderInterfaceWindowTest,
                      public ::testing::WithParamInterface<OpeningCase> {};

TEST_P(OpeningWindow, ShowsTheStoredPortModelAndStateUntilTheConnectionFails) {
    const OpeningCase& test = GetParam();
    if (test.settingsFile != nullptr)
        writeSettings(test.settingsFile);
    open();
    EXPECT_EQ(find<QComboBox>("portList")->currentText().toStdString(), test.selectedPort);
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{test.checkedRadio});
    EXPECT_EQ(report(), test.connected ? kUsbReady : kNotOpen);
    EXPECT_EQ(light(), test.connected ? Light::Green : Light::Red);
    EXPECT_EQ(messages(), test.settingsFile != nullptr ? Messages{} : Messages{kSettingsError});
    if (test.savedFile == nullptr)
        return;

    clickConnect(); // both the light and the model follow the failure
    EXPECT_EQ(report(), kOpenFailed);
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{"vela1Radio"});
    EXPECT_EQ(light(), Light::Red);
    EXPECT_EQ(settingsFile(), test.savedFile);
    EXPECT_EQ(messages(), Messages{});
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFiles, OpeningWindow,
    ::testing::Values(OpeningCase{"UnlinkedPortThatWasConnected", "COM98\t1\tTallimoVela2\n",
                                  "COM98", "vela2UsbRadio", true, "COM98\t0\tTallimo\n"},
                      OpeningCase{"PortNameMatchesIgnoringCase", "com5\t0\tTallimoVela2Bluetooth\n",
                                  "COM5", "vela2BluetoothRadio", false, nullptr},
                      OpeningCase{"PortNotInTheListLeavesNoSelection", "LPT1\t1\tTallimoVela2\n",
                                  "", "vela2UsbRadio", true, "\t0\tTallimo\n"},
                      OpeningCase{"MissingFileIsReportedAndTheWindowOpens", nullptr, "",
                                  "vela1Radio", false, nullptr}),
    NameOf<OpeningCase>);

TEST_F(DecoderInterfaceWindowTest, SettingsThatCannotBeSavedAreReported) {
    // A folder where the file should be: it can be neither read nor replaced.
    folder.write(std::string(kDecoderSettingsFileName) + "/keep", "x");
    open();
    clickConnect();
    EXPECT_EQ(report(), kOpenFailed);
    EXPECT_EQ(messages(), (Messages{kSettingsError, kSettingsError}));
}

// The labels' words are the translation tests'; the missing file is told.
TEST_F(DecoderInterfaceWindowTest, AMissingLabelFileIsReportedAndTheWindowOpens) {
    std::filesystem::remove(folder / "Translation/FenetreInterface.trans");
    writeSettings("COM2\t0\tTallimo\n");
    open();
    EXPECT_EQ(
        messages(),
        (Messages{
            {"Error", "Error: The translation file 'FenetreInterface.trans' has not been found"}}));
}

// ---- "Ouvrir" with a decoder on the line ----

struct ConnectCase {
    const char* name;
    LanguageCode language;
    DecoderModel model;
    const char* reportUtf8; // lines as the text control shows them
    const char* checkedRadio;
    const char* settingsFile;
};

class ConnectingDecoder : public DecoderInterfaceWindowTest,
                          public ::testing::WithParamInterface<ConnectCase> {};

TEST_P(ConnectingDecoder, ReportsMarksLightsAndSaves) {
    const ConnectCase& test = GetParam();
    useLanguage(test.language);
    writeSettings("COM7\t0\tTallimo\n");
    sim::DecoderSimulatorHostConfig config;
    config.decoder.model = test.model;
    config.decoder.identity = 1234;
    config.workingFolder = folder.path();
    config.port = "COM7";
    host = std::make_unique<sim::DecoderSimulatorHost>(std::move(config));
    ASSERT_TRUE(host->start()) << host->lastError();
    open();
    EXPECT_EQ(find<QLabel>("devicePath")->text().toStdString(), (folder / "ports/COM7").string());
    ASSERT_EQ(light(), Light::Red);

    clickConnect();

    EXPECT_EQ(report(), common::Utf8ToCp1252(test.reportUtf8));
    EXPECT_EQ(checkedRadios(), std::vector<std::string>{test.checkedRadio});
    EXPECT_EQ(light(), Light::Green);
    EXPECT_EQ(settingsFile(), test.settingsFile);
    EXPECT_EQ(host->commandCounts().identificationQueries, 1);
    EXPECT_EQ(messages(), Messages{});
}

INSTANTIATE_TEST_SUITE_P(
    Decoders, ConnectingDecoder,
    ::testing::Values(
        ConnectCase{"EnglishBluetooth", LanguageCode::English, DecoderModel::Vela2Bluetooth,
                    " COM Port opening attempt :\n COM Port opened correctly, OK !\n"
                    " Decoder Vela2/Vela3 Bluetooth id.#001234 connected !\n"
                    " Software ready to operate !",
                    "vela2BluetoothRadio", "COM7\t1\tTallimoVela2Bluetooth\n"},
        ConnectCase{"FrenchUsb", LanguageCode::French, DecoderModel::Vela2Usb,
                    " Tentative d'ouverture du port COM :\n Ouverture du port COM OK !\n"
                    " Décodeur Vela2/Vela3 USB id.#001234 connecté !\n"
                    " Logiciel prêt à fonctionner !",
                    "vela2UsbRadio", "COM7\t1\tTallimoVela2\n"},
        ConnectCase{"EnglishSilentVela1", LanguageCode::English, DecoderModel::Vela1Usb,
                    " COM Port opening attempt :\n COM Port opened correctly, OK !\n"
                    " Interface Vela1 USB ready to operate !\n"
                    " Software ready to operate !",
                    "vela1Radio", "COM7\t1\tTallimo\n"}),
    NameOf<ConnectCase>);

// ---- The model chosen by hand ----

TEST_F(DecoderInterfaceWindowTest, ChosenModelIsNotSavedWhenClosingWithOk) {
    writeSettings("COM4\t1\tTallimo\n");
    open();
    std::string chosenModel;
    EXPECT_EQ(testing::RunModal(*window,
                                [&] {
                                    QTest::mouseClick(find<QRadioButton>("vela2UsbRadio"),
                                                      Qt::LeftButton);
                                    chosenModel = window->settings().decoderModel;
                                }),
              QDialog::Accepted);
    EXPECT_EQ(chosenModel, "TallimoVela2");
    EXPECT_EQ(settingsFile(), "COM4\t1\tTallimo\n");
    EXPECT_EQ(messages(), Messages{});
}

} // namespace
} // namespace tallimo::decoder
