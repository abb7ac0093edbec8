#pragma once

#include <string>
#include <string_view>

namespace tallimo::databases {

// The export path for what the operator typed: `extension` (".bdt2") is
// appended when the name does not contain it.
std::string WithExportExtension(std::string_view chosen, std::string_view extension);

} // namespace tallimo::databases
