#include "runs/core/run_file_header.h"

#include "common/core/data_file.h"

#include <system_error>

namespace tallimo::runs {

bool CreateRunFile(const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, kEmptyRunFileHeader);
}

bool DeleteRunFile(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !error && !std::filesystem::exists(path, error);
}

} // namespace tallimo::runs
