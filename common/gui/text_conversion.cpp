#include "common/gui/text_conversion.h"

#include "common/core/cp1252.h"

namespace tallimo::common {

QString FromCp1252(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp1252(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString PathText(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(name.data()),
                             static_cast<qsizetype>(name.size()));
}

std::filesystem::path PathOf(const QString& text) {
    const QByteArray name = text.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(name.constData()),
                                               static_cast<std::size_t>(name.size())));
}

} // namespace tallimo::common
