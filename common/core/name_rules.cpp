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
