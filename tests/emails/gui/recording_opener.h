#pragma once

#include "emails/core/address_opener.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tallimo::emails::testing {

// Records every address instead of showing it; refuses them all on demand.
class RecordingOpener final : public AddressOpener {
public:
    bool open(const std::string& url) override {
        opened.push_back(url);
        return accepts;
    }
    // Whether an address of `page` went to the subscriber `email` (encoded).
    bool handed(const std::string& page, const std::string& email) const {
        return std::any_of(opened.begin(), opened.end(), [&](const std::string& url) {
            return url.find(page + "?objet=envoiemail&") != std::string::npos &&
                   url.find("&email=" + email + "&") != std::string::npos;
        });
    }
    std::vector<std::string> opened;
    bool accepts = true;
};

} // namespace tallimo::emails::testing
