#include "decoder/sim/port_link.h"

#include "common/core/working_folder.h"

#include <system_error>

namespace tallimo::decoder::sim {

bool PortLink::isValidPortName(std::string_view name) {
    if (name.size() < 4 || name.size() > 5 || name.substr(0, 3) != "COM")
        return false;
    const std::string_view digits = name.substr(3);
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
    }
    return digits.front() != '0';
}

PortLink::PortLink(const std::filesystem::path& workingFolder, std::string_view portName)
    : m_path(common::WorkingFolder(workingFolder).path("ports/" + std::string(portName))) {}

bool PortLink::pointTo(const std::string& target, std::string& error) const {
    std::error_code ec;
    std::filesystem::create_directories(m_path.parent_path(), ec);
    if (ec) {
        error = "cannot create " + m_path.parent_path().string() + ": " + ec.message();
        return false;
    }
    std::filesystem::path temporary = m_path;
    temporary += ".new";
    std::filesystem::remove(temporary, ec);
    std::filesystem::create_symlink(target, temporary, ec);
    if (!ec)
        std::filesystem::rename(temporary, m_path, ec);
    if (ec) {
        error = "cannot link " + m_path.string() + ": " + ec.message();
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

bool PortLink::exists() const {
    std::error_code ec;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(m_path, ec));
}

bool PortLink::pointsAt(const std::string& target) const {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::read_symlink(m_path, ec);
    return !ec && current == target;
}

void PortLink::remove() const {
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

} // namespace tallimo::decoder::sim
