#include "decoder/core/decoder_interface_report.h"

#include "session/core/session_clock.h"

namespace tallimo::decoder {
namespace {

const char* const kLineBreak = "\r\n";

// The identity as shown; a framed model without one (a settings file edited
// by hand) shows zeros rather than nothing.
std::string IdentityText(const IdentificationResult& result) {
    return DecoderIdText(result.decoderId.value_or(0));
}

// " Vela2/Vela3 Bluetooth id.#001234 " and its USB twin.
std::string FramedModelWords(DecoderModelChoice choice, const IdentificationResult& result) {
    const char* const link = choice == DecoderModelChoice::Vela2Bluetooth ? "Bluetooth" : "USB";
    return std::string(" Vela2/Vela3 ") + link + " id.#" + IdentityText(result) + " ";
}

} // namespace

DecoderInterfaceRows DecoderInterfaceRowsIn(const i18n::TranslationTable& table,
                                            i18n::LanguageCode code) {
    DecoderInterfaceRows rows;
    for (int row = 0; row < kDecoderInterfaceRowCount; ++row)
        rows[static_cast<std::size_t>(row)] = table.text(row, code);
    return rows;
}

DecoderModelChoice ModelChoiceFor(std::string_view decoderModel) {
    if (decoderModel == session::kModelVela2Usb)
        return DecoderModelChoice::Vela2Usb;
    if (decoderModel == session::kModelVela2Bluetooth)
        return DecoderModelChoice::Vela2Bluetooth;
    return DecoderModelChoice::Vela1Usb;
}

std::string ModelIdentifierFor(DecoderModelChoice choice) {
    switch (choice) {
    case DecoderModelChoice::Vela2Usb:
        return session::kModelVela2Usb;
    case DecoderModelChoice::Vela2Bluetooth:
        return session::kModelVela2Bluetooth;
    case DecoderModelChoice::Vela1Usb:
        break;
    }
    return session::kModelVela1;
}

std::string OpeningStatusText(const DecoderInterfaceRows& rows, const DecoderSettings& settings) {
    if (settings.connected != 1)
        return " " + rows[kRowNotOpen];
    // Only the three known identifiers have words; another value shows the
    // two rows alone.
    std::string model;
    if (settings.decoderModel == session::kModelVela1)
        model = " Vela1 USB ";
    else if (settings.decoderModel == session::kModelVela2Usb)
        model = " Vela2/Vela3 USB ";
    else if (settings.decoderModel == session::kModelVela2Bluetooth)
        model = " Vela2/Vela3 Bluetooth ";
    return " " + rows[kRowInterface] + model + rows[kRowReady];
}

std::string ConnectReportText(const DecoderInterfaceRows& rows,
                              const IdentificationResult& result) {
    std::string text = " " + rows[kRowOpeningAttempt] + kLineBreak + " ";
    if (result.settings.connected != 1)
        return text + rows[kRowNotOpened];
    text += rows[kRowOpened] + kLineBreak + " ";
    const DecoderModelChoice choice = ModelChoiceFor(result.settings.decoderModel);
    if (choice == DecoderModelChoice::Vela1Usb)
        text += rows[kRowInterface] + " Vela1 USB " + rows[kRowReady];
    else
        text += rows[kRowDecoder] + FramedModelWords(choice, result) + rows[kRowConnected];
    return text + kLineBreak + " " + rows[kRowSoftwareReady];
}

StartupReport StartupReportFor(const DecoderInterfaceRows& rows,
                               const IdentificationResult& result) {
    StartupReport report;
    report.caption = rows[kRowMessages];
    if (result.settings.connected != 1) {
        report.text = rows[kRowOpeningAttempt] + kLineBreak + rows[kRowNotOpened];
        return report;
    }
    const DecoderModelChoice choice = ModelChoiceFor(result.settings.decoderModel);
    if (choice == DecoderModelChoice::Vela1Usb)
        report.text = rows[kRowInterface] + " Tallimo Vela1 USB " + rows[kRowConnected];
    else
        report.text = rows[kRowDecoder] + FramedModelWords(choice, result) + rows[kRowConnected];
    report.text += kLineBreak + rows[kRowSoftwareReady];
    return report;
}

} // namespace tallimo::decoder
