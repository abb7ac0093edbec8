#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::testing {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view relative) const;

    void write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;

private:
    std::filesystem::path m_path;
};

} // namespace tallimo::testing
