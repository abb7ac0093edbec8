#pragma once

// Whether the device behind a port name is there, and which one it is. A
// decoder unplugged and plugged back shows up as a device that exists again
// or as the `ports/COMn` link now leading to another device; the poller looks
// for either while the connection is lost.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tallimo::decoder {

struct DeviceIdentity {
    bool present = false;
    // Where the path leads once every link is followed.
    std::string target;
    std::uint64_t fileSystem = 0;
    std::uint64_t node = 0;

    bool operator==(const DeviceIdentity&) const = default;
};

class DevicePresence {
public:
    virtual ~DevicePresence() = default;
    virtual DeviceIdentity identify(const std::filesystem::path& device) const = 0;
};

// A few system calls per look, cheap enough for a 10 ms tick.
class FileSystemDevicePresence final : public DevicePresence {
public:
    DeviceIdentity identify(const std::filesystem::path& device) const override;
};

} // namespace tallimo::decoder
