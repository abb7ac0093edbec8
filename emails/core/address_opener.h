#pragma once

#include <string>

namespace tallimo::emails {

// Hands a web address of the mailing form to whatever shows it: the
// desktop's browser in the program, a recording fake in tests, the output
// in the tool.
class AddressOpener {
public:
    virtual ~AddressOpener() = default;
    // True when the address was accepted (the browser was asked to show it).
    virtual bool open(const std::string& url) = 0;
};

} // namespace tallimo::emails
