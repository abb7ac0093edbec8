#pragma once

// The one crossing between the core's Windows-1252 texts and Qt's strings.

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::common {

QString FromCp1252(std::string_view cp1252);
std::string ToCp1252(const QString& text);

// File names cross as UTF-8 whatever the locale.
QString PathText(const std::filesystem::path& path);
std::filesystem::path PathOf(const QString& text);

} // namespace tallimo::common
