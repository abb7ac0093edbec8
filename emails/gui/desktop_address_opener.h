#pragma once

#include "emails/core/address_opener.h"

namespace tallimo::emails {

// Hands the address to the desktop's default browser.
class DesktopAddressOpener final : public AddressOpener {
public:
    bool open(const std::string& url) override;
};

} // namespace tallimo::emails
