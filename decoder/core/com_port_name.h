#pragma once

// Settings files and windows name ports "COM1" ... "COM99", as they always
// have. On this platform a name is bound to a device by a symbolic link
// `ports/COMn` in the working folder (to /dev/ttyUSB0, /dev/ttyACM0,
// /dev/rfcomm0, a pseudo-terminal, ...); without a link, COMn means the
// n-th built-in serial line, /dev/ttyS(n-1).

#include "common/core/working_folder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo::decoder {

inline constexpr int kHighestComPort = 99;

// 1..99 for "COM1".."COM99" (no leading zero, exact case); nothing otherwise.
std::optional<int> ComPortNumber(std::string_view portName);

std::string ComPortName(int number);

// The link that binds a port name, whether or not it exists.
std::filesystem::path ComPortLinkPath(const common::WorkingFolder& folder, int number);

// The device to open for `portName`: the link when there is one, else the
// built-in line. Nothing for a name that is not a COM port name.
std::optional<std::filesystem::path> ComPortDevicePath(const common::WorkingFolder& folder,
                                                       std::string_view portName);

} // namespace tallimo::decoder
