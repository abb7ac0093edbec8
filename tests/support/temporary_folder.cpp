#include "tests/support/temporary_folder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace tallimo::testing {

TemporaryFolder::TemporaryFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate =
            std::filesystem::temp_directory_path() / ("tallimo-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TemporaryFolder::operator/(std::string_view relative) const {
    return m_path / std::filesystem::path(std::u8string(
                        reinterpret_cast<const char8_t*>(relative.data()), relative.size()));
}

void TemporaryFolder::write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = *this / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TemporaryFolder::read(std::string_view relative) const {
    std::ifstream in(*this / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace tallimo::testing
