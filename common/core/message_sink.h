#pragma once

#include <string>

namespace tallimo::common {

// Where the core reports what the operator must read: a caption ("Error",
// "Tallimo", "Attention", ...) and a text, both Windows-1252.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& caption, const std::string& text) = 0;
};

} // namespace tallimo::common
