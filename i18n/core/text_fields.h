#pragma once

#include <string>
#include <string_view>

namespace tallimo::i18n {

// Puts `value` in place of the first `field` ("%s", "%d") of a built-in
// text. Done by hand rather than with printf so that a kart label or a name
// typed by the operator is never read as a format. A text without the field
// comes back unchanged.
std::string FillTextField(std::string_view text, std::string_view field, std::string_view value);

} // namespace tallimo::i18n
