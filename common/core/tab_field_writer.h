#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallimo::common {

// Builds a tab-field record file in memory; the caller writes it whole.
class TabFieldWriter {
public:
    // A text cut to `capacity` characters. TAB, CR and LF inside it would
    // break the record structure, so they are written as blanks.
    void text(std::string_view value, std::size_t capacity);
    void number(std::int64_t value);
    void endRecord() { m_bytes += '\n'; }

    const std::string& bytes() const { return m_bytes; }
    void reserve(std::size_t size) { m_bytes.reserve(size); }

private:
    std::string m_bytes;
};

} // namespace tallimo::common
