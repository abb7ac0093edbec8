#include "common/core/tab_field_writer.h"

#include <charconv>

namespace tallimo::common {

void TabFieldWriter::text(std::string_view value, std::size_t capacity) {
    if (value.size() > capacity)
        value = value.substr(0, capacity);
    for (const char c : value)
        m_bytes += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    m_bytes += '\t';
}

void TabFieldWriter::number(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_bytes.append(digits, result.ptr);
    m_bytes += '\t';
}

} // namespace tallimo::common
