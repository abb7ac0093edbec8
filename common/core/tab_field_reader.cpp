#include "common/core/tab_field_reader.h"

#include <charconv>

namespace tallimo::common {
namespace {

bool IsLineEndAt(std::string_view bytes, std::size_t pos) {
    if (bytes[pos] == '\n')
        return true;
    return bytes[pos] == '\r' && (pos + 1 == bytes.size() || bytes[pos + 1] == '\n');
}

} // namespace

bool TabFieldReader::atEnd() const {
    return m_pos >= m_bytes.size() || static_cast<unsigned char>(m_bytes[m_pos]) == 0xFF;
}

bool TabFieldReader::atLineEnd() const {
    return m_pos >= m_bytes.size() || IsLineEndAt(m_bytes, m_pos);
}

std::string TabFieldReader::readText(std::size_t capacity) {
    const std::size_t begin = m_pos;
    while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\t' && !IsLineEndAt(m_bytes, m_pos))
        ++m_pos;
    const std::size_t length = m_pos - begin;
    if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\t')
        ++m_pos;
    return std::string(m_bytes.substr(begin, length < capacity ? length : capacity));
}

bool TabFieldReader::readInt(std::int32_t& value) {
    const std::string text = readText(32);
    std::string_view field = text;
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty())
        return false;
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), parsed);
    if (error != std::errc() || end != field.data() + field.size())
        return false;
    value = parsed;
    return true;
}

void TabFieldReader::skipLine() {
    while (m_pos < m_bytes.size() && m_bytes[m_pos] != '\n')
        ++m_pos;
    if (m_pos < m_bytes.size())
        ++m_pos;
}

void TabFieldReader::skipEmptyLines() {
    while (m_pos < m_bytes.size()) {
        if (m_bytes[m_pos] == '\n')
            ++m_pos;
        else if (m_bytes[m_pos] == '\r' && IsLineEndAt(m_bytes, m_pos))
            ++m_pos;
        else
            break;
    }
}

} // namespace tallimo::common
