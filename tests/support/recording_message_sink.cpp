#include "tests/support/recording_message_sink.h"

namespace tallimo::testing {

void RecordingMessageSink::show(const std::string& caption, const std::string& text) {
    m_messages.push_back({caption, text});
}

} // namespace tallimo::testing
