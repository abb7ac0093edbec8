// The decoder reports worded from the factory labels, compared byte for byte
// (Windows-1252) with what the operator must read.

#include "common/core/cp1252.h"
#include "decoder/core/decoder_interface_report.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/translatable_windows.h"

#include <gtest/gtest.h>

#include <optional>

namespace tallimo::decoder {
namespace {

using i18n::LanguageCode;

DecoderInterfaceRows FactoryRowsIn(LanguageCode code) {
    i18n::TranslationTable table;
    i18n::FillFromFactoryTexts(table, i18n::FindTranslatableWindow(kDecoderInterfaceTextsStem));
    return DecoderInterfaceRowsIn(table, code);
}

IdentificationResult Identified(int connected, const char* model, std::optional<int> id) {
    IdentificationResult result;
    result.settings = {"COM7", connected, model};
    result.decoderId = id;
    result.settingsSaved = true;
    return result;
}

struct ReportCase {
    const char* name;
    LanguageCode code;
    int connected;
    const char* model;
    std::optional<int> decoderId;
    const char* expectedUtf8;

    friend void PrintTo(const ReportCase& test, std::ostream* out) { *out << test.name; }
};

std::string CaseName(const ::testing::TestParamInfo<ReportCase>& info) {
    return info.param.name;
}

// ---- The window's report of "Ouvrir" ----

class ConnectReport : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ConnectReport, WordsTheResultLineByLine) {
    const ReportCase& test = GetParam();
    EXPECT_EQ(ConnectReportText(FactoryRowsIn(test.code),
                                Identified(test.connected, test.model, test.decoderId)),
              common::Utf8ToCp1252(test.expectedUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Results, ConnectReport,
    ::testing::Values(
        ReportCase{"EnglishUsbDecoderWithTheHighestIdentity", LanguageCode::English, 1,
                   "TallimoVela2", 65535,
                   " COM Port opening attempt :\r\n COM Port opened correctly, OK !\r\n"
                   " Decoder Vela2/Vela3 USB id.#065535 connected !\r\n"
                   " Software ready to operate !"},
        ReportCase{"ClosedPortWinsOverAFramedModel", LanguageCode::English, 0, "TallimoVela2", 12,
                   " COM Port opening attempt :\r\n Could not open the COM Port !"},
        ReportCase{"FramedModelWithoutIdentityShowsZeros", LanguageCode::English, 1, "TallimoVela2",
                   std::nullopt,
                   " COM Port opening attempt :\r\n COM Port opened correctly, OK !\r\n"
                   " Decoder Vela2/Vela3 USB id.#000000 connected !\r\n"
                   " Software ready to operate !"},
        ReportCase{"FrenchSilentDecoder", LanguageCode::French, 1, "Tallimo", std::nullopt,
                   " Tentative d'ouverture du port COM :\r\n Ouverture du port COM OK !\r\n"
                   " Interface Vela1 USB prête à fonctionner !\r\n"
                   " Logiciel prêt à fonctionner !"},
        ReportCase{"FrenchPortNotOpened", LanguageCode::French, 0, "Tallimo", std::nullopt,
                   " Tentative d'ouverture du port COM :\r\n Echec à l'ouverture du port COM !"}),
    CaseName);

// ---- The window's message when it opens ----

class OpeningStatus : public ::testing::TestWithParam<ReportCase> {};

TEST_P(OpeningStatus, SaysWhatTheSettingsFileLastRecorded) {
    const ReportCase& test = GetParam();
    const DecoderSettings settings{"COM3", test.connected, test.model};
    EXPECT_EQ(OpeningStatusText(FactoryRowsIn(test.code), settings),
              common::Utf8ToCp1252(test.expectedUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, OpeningStatus,
    ::testing::Values(ReportCase{"EnglishConnectedVela1", LanguageCode::English, 1, "Tallimo",
                                 std::nullopt, " Interface Vela1 USB ready to operate !"},
                      ReportCase{"UnknownModelHasNoWords", LanguageCode::English, 1, "tallimovela2",
                                 std::nullopt, " Interfaceready to operate !"},
                      ReportCase{"ConnectedOtherThanOneIsNotConnected", LanguageCode::English, 2,
                                 "TallimoVela2", std::nullopt, " COM Port is not open !"},
                      ReportCase{"FrenchConnectedBluetooth", LanguageCode::French, 1,
                                 "TallimoVela2Bluetooth", std::nullopt,
                                 " Interface Vela2/Vela3 Bluetooth prête à fonctionner !"}),
    CaseName);

// ---- The start-up message ----

struct StartupCase {
    ReportCase report;
    const char* expectedCaption;

    friend void PrintTo(const StartupCase& test, std::ostream* out) { *out << test.report.name; }
};

class StartupMessage : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupMessage, IsCaptionedAndWordedByTheResult) {
    const ReportCase& test = GetParam().report;
    const StartupReport expected{GetParam().expectedCaption,
                                 common::Utf8ToCp1252(test.expectedUtf8)};
    EXPECT_EQ(StartupReportFor(FactoryRowsIn(test.code),
                               Identified(test.connected, test.model, test.decoderId)),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, StartupMessage,
    ::testing::Values(
        StartupCase{{"EnglishPortNotOpened", LanguageCode::English, 0, "Tallimo", std::nullopt,
                     "COM Port opening attempt :\r\nCould not open the COM Port !"},
                    "Message"},
        StartupCase{{"EnglishSilentDecoder", LanguageCode::English, 1, "Tallimo", std::nullopt,
                     "Interface Tallimo Vela1 USB connected !\r\nSoftware ready to operate !"},
                    "Message"},
        StartupCase{{"FrenchBluetoothDecoder", LanguageCode::French, 1, "TallimoVela2Bluetooth", 42,
                     "Décodeur Vela2/Vela3 Bluetooth id.#000042 connecté !\r\n"
                     "Logiciel prêt à fonctionner !"},
                    "Messages"},
        StartupCase{{"FrenchPortNotOpened", LanguageCode::French, 0, "Tallimo", std::nullopt,
                     "Tentative d'ouverture du port COM :\r\nEchec à l'ouverture du port COM !"},
                    "Messages"}),
    [](const ::testing::TestParamInfo<StartupCase>& test) {
        return std::string(test.param.report.name);
    });

// ---- Which radio button a model identifier marks ----

struct ChoiceCase {
    const char* name;
    const char* model;
    DecoderModelChoice expected;

    friend void PrintTo(const ChoiceCase& test, std::ostream* out) { *out << test.name; }
};

class ModelChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ModelChoice, ComparesTheWholeIdentifierExactly) {
    EXPECT_EQ(ModelChoiceFor(GetParam().model), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, ModelChoice,
    ::testing::Values(ChoiceCase{"Vela2OnUsb", "TallimoVela2", DecoderModelChoice::Vela2Usb},
                      ChoiceCase{"Vela2OnBluetooth", "TallimoVela2Bluetooth",
                                 DecoderModelChoice::Vela2Bluetooth},
                      ChoiceCase{"EmptyAfterAFailedRead", "", DecoderModelChoice::Vela1Usb},
                      ChoiceCase{"OtherCase", "tallimovela2", DecoderModelChoice::Vela1Usb},
                      ChoiceCase{"TrailingBlank", "TallimoVela2 ", DecoderModelChoice::Vela1Usb}),
    [](const ::testing::TestParamInfo<ChoiceCase>& test) { return std::string(test.param.name); });

TEST(ModelChoice, EachChoiceNamesTheIdentifierThatMarksIt) {
    for (const DecoderModelChoice choice :
         {DecoderModelChoice::Vela1Usb, DecoderModelChoice::Vela2Usb,
          DecoderModelChoice::Vela2Bluetooth})
        EXPECT_EQ(ModelChoiceFor(ModelIdentifierFor(choice)), choice);
}

} // namespace
} // namespace tallimo::decoder
