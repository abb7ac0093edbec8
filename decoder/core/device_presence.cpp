#include "decoder/core/device_presence.h"

#include <sys/stat.h>

#include <system_error>

namespace tallimo::decoder {

DeviceIdentity FileSystemDevicePresence::identify(const std::filesystem::path& device) const {
    DeviceIdentity identity;
    std::error_code error;
    // Fails for a dangling link as for a missing device.
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error)
        return identity;
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0)
        return identity;
    identity.present = true;
    identity.target = target.string();
    identity.fileSystem = static_cast<std::uint64_t>(status.st_dev);
    identity.node = static_cast<std::uint64_t>(status.st_ino);
    return identity;
}

} // namespace tallimo::decoder
