#include "i18n/core/text_fields.h"

namespace tallimo::i18n {

std::string FillTextField(std::string_view text, std::string_view field, std::string_view value) {
    const std::size_t at = field.empty() ? std::string_view::npos : text.find(field);
    if (at == std::string_view::npos)
        return std::string(text);
    std::string filled(text.substr(0, at));
    filled += value;
    filled += text.substr(at + field.size());
    return filled;
}

} // namespace tallimo::i18n
