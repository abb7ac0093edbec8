#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tallimo::i18n {

// A language as stored in the language settings and as the column of a
// translation row. The value read from a file is kept as it is, so a code
// outside 0..5 survives a round trip; wherever a text is chosen it reads as
// English.
enum class LanguageCode : std::int32_t {
    English = 0,
    French = 1,
    German = 2,
    Italian = 3,
    Portuguese = 4,
    Spanish = 5,
};

inline constexpr std::size_t kLanguageCount = 6;

constexpr bool IsKnownLanguage(LanguageCode code) {
    const auto value = static_cast<std::int32_t>(code);
    return value >= 0 && value < static_cast<std::int32_t>(kLanguageCount);
}

// The translation column and combo index of a code; unknown codes pick English.
constexpr std::size_t LanguageColumn(LanguageCode code) {
    return IsKnownLanguage(code) ? static_cast<std::size_t>(code) : 0;
}

// Built-in texts that exist once per language, in code order. They are
// written in UTF-8 in the source so that they read as their speakers write
// them; every text leaves this subsystem as Windows-1252.
using PerLanguage = std::array<const char*, kLanguageCount>;

// The Windows-1252 form of the text for `code` (English for unknown codes).
std::string PickByLanguage(const PerLanguage& utf8Texts, LanguageCode code);

} // namespace tallimo::i18n
