#pragma once

// What the decoder interface window and the start-up tell the operator about
// the link, worded from the 12 labels of "FenetreInterface.trans" in the
// interface language. Pure functions: the callers show the texts.

#include "decoder/core/decoder_settings.h"
#include "decoder/core/identify_decoder.h"
#include "i18n/core/language_code.h"
#include "i18n/core/translation_table.h"

#include <array>
#include <string>
#include <string_view>

namespace tallimo::decoder {

inline constexpr std::string_view kDecoderInterfaceTextsStem = "FenetreInterface";
inline constexpr int kDecoderInterfaceRowCount = 12;

// A settings file that cannot be read or written, wherever it happens; the
// text is English whatever the interface language.
inline const char* const kSettingsFileErrorCaption = "Error";
inline const char* const kSettingsFileErrorText = "Error : 'COM port' file not found";

// The rows by their use.
enum DecoderInterfaceRow : int {
    kRowDecoder = 0,
    kRowConnect = 1,
    kRowMessages = 2,
    kRowComPort = 3,
    kRowInterface = 4,
    kRowReady = 5,
    kRowSoftwareReady = 6,
    kRowOpeningAttempt = 7,
    kRowOpened = 8,
    kRowNotOpened = 9,
    kRowNotOpen = 10,
    kRowConnected = 11,
};

// Windows-1252 texts, indexed by DecoderInterfaceRow.
using DecoderInterfaceRows = std::array<std::string, kDecoderInterfaceRowCount>;

DecoderInterfaceRows DecoderInterfaceRowsIn(const i18n::TranslationTable& table,
                                            i18n::LanguageCode code);

// The decoder a settings copy names, as the window's radio buttons show it;
// any identifier but the two framed ones reads as a Vela1.
enum class DecoderModelChoice { Vela1Usb, Vela2Usb, Vela2Bluetooth };

DecoderModelChoice ModelChoiceFor(std::string_view decoderModel);
// "Tallimo", "TallimoVela2" or "TallimoVela2Bluetooth".
std::string ModelIdentifierFor(DecoderModelChoice choice);

// The window's message when it opens: " Interface Vela2/Vela3 USB ready to
// operate !" for a connected Vela2 on USB, " COM Port is not open !" when not
// connected.
std::string OpeningStatusText(const DecoderInterfaceRows& rows, const DecoderSettings& settings);

// The window's report of a connection attempt: CR LF between lines, each
// line after one blank.
std::string ConnectReportText(const DecoderInterfaceRows& rows, const IdentificationResult& result);

// The message box the start-up shows after identifying the decoder.
struct StartupReport {
    std::string caption;
    std::string text;
    friend bool operator==(const StartupReport&, const StartupReport&) = default;
};

StartupReport StartupReportFor(const DecoderInterfaceRows& rows,
                               const IdentificationResult& result);

} // namespace tallimo::decoder
