#include "databases/core/export_file_name.h"

namespace tallimo::databases {

std::string WithExportExtension(std::string_view chosen, std::string_view extension) {
    std::string path(chosen);
    if (path.find(extension) == std::string::npos)
        path += extension;
    return path;
}

} // namespace tallimo::databases
