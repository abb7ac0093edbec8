#pragma once

// ports/COMn in a working folder: the name the program opens, a symbolic link
// to the pseudo-terminal that currently plays the decoder.

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::decoder::sim {

class PortLink {
public:
    // "COM1" to "COM99".
    static bool isValidPortName(std::string_view name);

    PortLink(const std::filesystem::path& workingFolder, std::string_view portName);

    const std::filesystem::path& path() const { return m_path; }

    // Creates the link or moves it to `target` in one rename, so the program
    // never finds the name missing while it changes. False with `error`.
    bool pointTo(const std::string& target, std::string& error) const;
    bool exists() const;
    bool pointsAt(const std::string& target) const;
    void remove() const;

private:
    std::filesystem::path m_path;
};

} // namespace tallimo::decoder::sim
