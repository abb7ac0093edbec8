#pragma once

#include <string>
#include <string_view>

namespace tallimo::common {

// Every data file holds Windows-1252 text; the UI and the file system speak
// UTF-8. These two functions are the only crossing between the two.

std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters with no Windows-1252 form become '?'; malformed UTF-8 bytes are
// taken as Windows-1252 bytes, so text that was never UTF-8 survives as is.
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace tallimo::common
