#pragma once

#include <filesystem>
#include <string_view>

namespace tallimo::common {

// The root under which every data file lives. The core never uses the
// process's current directory: every path is built from this root.
class WorkingFolder {
public:
    explicit WorkingFolder(std::filesystem::path root) : m_root(std::move(root)) {}

    const std::filesystem::path& root() const { return m_root; }

    // `relative` is UTF-8 and may use '/' or '\' between its parts
    // ("Private/Session.rent", "Guides\\Help.pdf").
    std::filesystem::path path(std::string_view relative) const;

private:
    std::filesystem::path m_root;
};

} // namespace tallimo::common
