#pragma once

#include "common/core/message_sink.h"

#include <string>
#include <vector>

namespace tallimo::testing {

struct RecordedMessage {
    std::string caption;
    std::string text;
    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

// Records every message; tests assert on exactly the messages expected, so
// an unexpected message fails the test.
class RecordingMessageSink final : public common::MessageSink {
public:
    void show(const std::string& caption, const std::string& text) override;
    const std::vector<RecordedMessage>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    std::vector<RecordedMessage> m_messages;
};

} // namespace tallimo::testing
