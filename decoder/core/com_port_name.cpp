#include "decoder/core/com_port_name.h"

#include <system_error>

namespace tallimo::decoder {

std::optional<int> ComPortNumber(std::string_view portName) {
    if (portName.size() < 4 || portName.size() > 5 || portName.substr(0, 3) != "COM")
        return std::nullopt;
    int number = 0;
    for (const char c : portName.substr(3)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (portName[3] == '0' || number < 1 || number > kHighestComPort)
        return std::nullopt;
    return number;
}

std::string ComPortName(int number) {
    return "COM" + std::to_string(number);
}

std::filesystem::path ComPortLinkPath(const common::WorkingFolder& folder, int number) {
    return folder.path("ports/" + ComPortName(number));
}

std::optional<std::filesystem::path> ComPortDevicePath(const common::WorkingFolder& folder,
                                                       std::string_view portName) {
    const std::optional<int> number = ComPortNumber(portName);
    if (!number)
        return std::nullopt;
    std::filesystem::path link = ComPortLinkPath(folder, *number);
    std::error_code error;
    // A dangling link still binds the name: the device has gone, and opening
    // it must fail rather than fall back to another line.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error)) ||
        std::filesystem::exists(link, error))
        return link;
    return std::filesystem::path("/dev/ttyS" + std::to_string(*number - 1));
}

} // namespace tallimo::decoder
