#include "i18n/core/language_settings.h"

#include "common/core/data_file.h"
#include "i18n/core/translation_file.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace tallimo::i18n {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a decimal number as scanf's "%d" would: leading blanks, an optional
// sign, at least one digit. Out-of-range numbers count as not read.
bool ReadNumber(std::string_view bytes, std::size_t& pos, std::int32_t& value) {
    std::size_t at = pos;
    while (at < bytes.size() && IsBlank(bytes[at]))
        ++at;
    bool negative = false;
    if (at < bytes.size() && (bytes[at] == '+' || bytes[at] == '-')) {
        negative = bytes[at] == '-';
        ++at;
    }
    std::int64_t magnitude = 0;
    const std::size_t firstDigit = at;
    while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9') {
        magnitude = magnitude * 10 + (bytes[at] - '0');
        if (magnitude > std::numeric_limits<std::int32_t>::max())
            return false;
        ++at;
    }
    if (at == firstDigit)
        return false;
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    pos = at;
    return true;
}

char DigitOf(LanguageCode code) {
    return static_cast<char>('0' + static_cast<int>(code));
}

} // namespace

void ParseLanguageLine(std::string_view bytes, LanguageSettings& settings) {
    std::size_t pos = 0;
    std::int32_t number = 0;
    if (!ReadNumber(bytes, pos, number))
        return;
    settings.interfaceCode = static_cast<LanguageCode>(number);
    // The TAB of the format matches any run of blanks, as does the skip
    // before the second number.
    if (ReadNumber(bytes, pos, number))
        settings.reportCode = static_cast<LanguageCode>(number);
}

std::string FormatLanguageLine(const LanguageSettings& settings) {
    return std::to_string(static_cast<int>(settings.interfaceCode)) + '\t' +
           std::to_string(static_cast<int>(settings.reportCode)) + "\t\n";
}

bool ReadLanguageSettings(const common::WorkingFolder& folder, LanguageSettings& settings) {
    std::string bytes;
    if (!common::ReadWholeFile(TranslationFilePath(folder, kLanguageSettingsFileName), bytes))
        return false;
    ParseLanguageLine(bytes, settings);
    return true;
}

bool WriteLanguageSettings(const common::WorkingFolder& folder, const LanguageSettings& settings) {
    if (!IsKnownLanguage(settings.interfaceCode) || !IsKnownLanguage(settings.reportCode))
        return false;
    const std::filesystem::path path = TranslationFilePath(folder, kLanguageSettingsFileName);
    // "r+b" fails on a missing file instead of creating it, and writes over
    // the bytes in place: the table after the line stays as it is.
    std::FILE* file = std::fopen(path.string().c_str(), "r+b");
    if (file == nullptr)
        return false;
    const char line[3] = {DigitOf(settings.interfaceCode), '\t', DigitOf(settings.reportCode)};
    bool ok = std::fwrite(line, 1, sizeof line, file) == sizeof line;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

} // namespace tallimo::i18n
