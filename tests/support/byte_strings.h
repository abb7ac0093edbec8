#pragma once

#include <initializer_list>
#include <string>

namespace tallimo::testing {

// Bytes written as numbers, for the streams a fake port hands out.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

} // namespace tallimo::testing
