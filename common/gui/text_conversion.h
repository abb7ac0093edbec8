#pragma once

// The one crossing between the core's Windows-1252 texts and Qt's strings.

#include <QString>

#include <string>
#include <string_view>

namespace tallimo::common {

QString FromCp1252(std::string_view cp1252);
std::string ToCp1252(const QString& text);

} // namespace tallimo::common
