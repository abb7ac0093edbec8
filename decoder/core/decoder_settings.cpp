#include "decoder/core/decoder_settings.h"

#include "common/core/data_file.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace tallimo::decoder {
namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Scans tokens the way a formatted reader does: blanks skipped, a token runs
// to the next blank.
class TokenScanner {
public:
    explicit TokenScanner(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<std::string_view> word() {
        skipBlanks();
        const std::size_t start = m_at;
        while (m_at < m_bytes.size() && !isBlank(m_bytes[m_at]))
            ++m_at;
        if (m_at == start)
            return std::nullopt;
        return m_bytes.substr(start, m_at - start);
    }

    std::optional<int> integer() {
        skipBlanks();
        std::size_t at = m_at;
        bool negative = false;
        if (at < m_bytes.size() && (m_bytes[at] == '-' || m_bytes[at] == '+'))
            negative = m_bytes[at++] == '-';
        long long value = 0;
        const std::size_t digitsStart = at;
        while (at < m_bytes.size() && std::isdigit(static_cast<unsigned char>(m_bytes[at]))) {
            if (value < 1000000000)
                value = value * 10 + (m_bytes[at] - '0');
            ++at;
        }
        if (at == digitsStart)
            return std::nullopt;
        m_at = at;
        return static_cast<int>(negative ? -value : value);
    }

private:
    void skipBlanks() {
        while (m_at < m_bytes.size() && isBlank(m_bytes[m_at]))
            ++m_at;
    }

    std::string_view m_bytes;
    std::size_t m_at = 0;
};

std::string cut(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity - 1));
}

} // namespace

std::string FormatDecoderSettings(const DecoderSettings& settings) {
    return settings.comPort + '\t' + std::to_string(settings.connected) + '\t' +
           settings.decoderModel + '\n';
}

void ParseDecoderSettings(std::string_view bytes, DecoderSettings& settings) {
    // The program writes its three fields TAB-separated; read that line by
    // its fields, so that a file saved with no port chosen (an empty first
    // field) reads back as it was written rather than shifted by one.
    const std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (std::count(line.begin(), line.end(), '\t') == 2 && line.front() == '\t') {
        const std::size_t second = line.find('\t', 1);
        settings.comPort.clear();
        TokenScanner connected(line.substr(1, second - 1));
        const auto value = connected.integer();
        if (!value)
            return;
        settings.connected = *value;
        TokenScanner model(line.substr(second + 1));
        settings.decoderModel =
            cut(model.word().value_or(std::string_view()), kDecoderModelCapacity);
        return;
    }
    TokenScanner scanner(bytes);
    const auto port = scanner.word();
    if (!port)
        return;
    settings.comPort = cut(*port, kComPortCapacity);
    const auto connected = scanner.integer();
    if (!connected)
        return;
    settings.connected = *connected;
    if (const auto model = scanner.word())
        settings.decoderModel = cut(*model, kDecoderModelCapacity);
}

bool LoadDecoderSettings(const common::WorkingFolder& folder, DecoderSettings& settings) {
    std::string bytes;
    if (!common::ReadWholeFile(folder.path(kDecoderSettingsFileName), bytes))
        return false;
    ParseDecoderSettings(bytes, settings);
    return true;
}

bool SaveDecoderSettings(const common::WorkingFolder& folder, const DecoderSettings& settings) {
    return common::WriteFileAtomically(folder.path(kDecoderSettingsFileName),
                                       FormatDecoderSettings(settings));
}

} // namespace tallimo::decoder
