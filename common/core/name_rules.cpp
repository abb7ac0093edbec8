#include "common/core/name_rules.h"

#include <algorithm>

namespace tallimo::common {
namespace {

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A; // Š
    case 0x8C:
        return 0x9C; // Œ
    case 0x8E:
        return 0x9E; // Ž
    case 0x9F:
        return 0xFF; // Ÿ
    default:
        return c;
    }
}

} // namespace

std::string ReplaceDashes(std::string_view name) {
    std::string result(name);
    std::replace(result.begin(), result.end(), '-', '_');
    return result;
}

bool IsRefusedName(std::string_view name) {
    return name.empty() || name.front() == ' ' || name.front() == '\t';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool CanAddName(std::string_view name, const std::vector<std::string>& existing,
                std::size_t limit) {
    if (IsRefusedName(name) || existing.size() >= limit)
        return false;
    return std::none_of(existing.begin(), existing.end(),
                        [&](const std::string& other) { return EqualsIgnoringCase(name, other); });
}

} // namespace tallimo::common

namespace tallimo::common {

std::string NormaliseName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char original : name) {
        const auto c = static_cast<unsigned char>(original);
        char mapped = original;
        if ((c >= 0xC0 && c <= 0xC5) || (c >= 0xE0 && c <= 0xE5))
            mapped = 'a';
        else if ((c >= 0xC8 && c <= 0xCB) || (c >= 0xE8 && c <= 0xEB))
            mapped = 'e';
        else if ((c >= 0xCC && c <= 0xCF) || (c >= 0xEC && c <= 0xEF))
            mapped = 'i';
        else if ((c >= 0xD2 && c <= 0xD6) || (c >= 0xF2 && c <= 0xF6))
            mapped = 'o';
        else if ((c >= 0xD9 && c <= 0xDC) || (c >= 0xF9 && c <= 0xFC))
            mapped = 'u';
        else if (c == 0x9F || c == 0xDD || c == 0xFD || c == 0xFF)
            mapped = 'y';
        else if (c == 0xC7 || c == 0xE7)
            mapped = 'c';
        else if (c == 0xD1 || c == 0xF1)
            mapped = 'n';
        else if (c == 0xC6)
            mapped = static_cast<char>(0xE6);
        else if (c == 0x8C)
            mapped = static_cast<char>(0x9C);
        else if (c == '"' || c == ',' || c == '-' || c == '_' || c == 0x96 || c == 0x97 ||
                 c == 0xAF)
            mapped = ' ';
        else if (c >= 'A' && c <= 'Z')
            mapped = static_cast<char>(c + ('a' - 'A'));
        out.push_back(mapped);
    }
    return out;
}

} // namespace tallimo::common
