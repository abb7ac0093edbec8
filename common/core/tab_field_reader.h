#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallimo::common {

// Reads the tab-field record files: every field ends with a TAB, every
// record with LF. A field never runs past the end of its line, so a short or
// hand-edited line cannot shift the fields of the lines after it. CR before
// LF is taken as part of the line end, for files that went through a text
// mode copy on Windows.
class TabFieldReader {
public:
    explicit TabFieldReader(std::string_view bytes) : m_bytes(bytes) {}

    // True at the end of the data, or on a 0xFF byte where a record begins.
    bool atEnd() const;
    bool atLineEnd() const;

    // The characters up to the next TAB (which is consumed) or the line end
    // (which is not), cut to `capacity` characters.
    std::string readText(std::size_t capacity);

    // A decimal field. On a malformed or out-of-range field `value` keeps
    // what it held and false is returned; the field is consumed either way.
    bool readInt(std::int32_t& value);

    // Moves past the next LF (or to the end of the data).
    void skipLine();
    // Moves past any empty lines at the current position.
    void skipEmptyLines();

    std::size_t position() const { return m_pos; }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace tallimo::common
