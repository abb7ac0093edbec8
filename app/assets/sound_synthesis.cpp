#include "app/assets/sound_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tallimo::app::assets {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Raised cosine from 0 to 1 over [0, 1]: no corner where the envelope bends.
double smoothStep(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t);
}

double envelope(const Tone& tone, double t) {
    double level = 1.0;
    if (tone.attackSeconds > 0.0)
        level *= smoothStep(t / tone.attackSeconds);
    if (tone.releaseSeconds > 0.0)
        level *= smoothStep((tone.durationSeconds - t) / tone.releaseSeconds);
    return level;
}

double frequencyAt(const Tone& tone, double t) {
    if (tone.startFrequency <= 0.0 || tone.glideSeconds <= 0.0 || t >= tone.glideSeconds)
        return tone.frequency;
    const double x = t / tone.glideSeconds;
    return tone.startFrequency + (tone.frequency - tone.startFrequency) * x;
}

// Band-limited additive waveform at the given phase (in cycles).
double waveAt(const Tone& tone, double phase, int harmonics) {
    switch (tone.waveform) {
    case Waveform::Sine:
        return std::sin(kTwoPi * phase);
    case Waveform::Saw: {
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k)
            sum += std::sin(kTwoPi * k * phase) / k;
        return sum * 0.55;
    }
    case Waveform::Square: {
        double sum = 0.0;
        for (int k = 1; k <= harmonics; k += 2)
            sum += std::sin(kTwoPi * k * phase) / k;
        return sum * 0.9;
    }
    }
    return 0.0;
}

} // namespace

SoundMix::SoundMix(std::uint32_t sampleRate, double durationSeconds)
    : m_sampleRate(sampleRate),
      m_samples(static_cast<std::size_t>(std::lround(durationSeconds * sampleRate)), 0.0) {}

void SoundMix::add(const Tone& tone) {
    const double rate = m_sampleRate;
    const auto first = static_cast<std::size_t>(std::lround(tone.startSeconds * rate));
    const auto count = static_cast<std::size_t>(std::lround(tone.durationSeconds * rate));
    const double highest = std::max(tone.frequency, tone.startFrequency);
    const int harmonics =
        std::max(1, std::min(tone.maxHarmonics, static_cast<int>(0.45 * rate / highest)));

    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        m_samples[first + i] += tone.amplitude * envelope(tone, t) * waveAt(tone, phase, harmonics);
        phase += frequencyAt(tone, t) / rate;
        phase -= std::floor(phase);
    }
}

void SoundMix::lowPass(double cutoffHz) {
    // RBJ cookbook biquad, Q = 1/sqrt(2).
    const double w0 = kTwoPi * cutoffHz / m_sampleRate;
    const double alpha = std::sin(w0) / std::numbers::sqrt2;
    const double cosW0 = std::cos(w0);
    const double a0 = 1.0 + alpha;
    const double b0 = (1.0 - cosW0) / 2.0 / a0;
    const double b1 = (1.0 - cosW0) / a0;
    const double b2 = b0;
    const double a1 = -2.0 * cosW0 / a0;
    const double a2 = (1.0 - alpha) / a0;

    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double& sample : m_samples) {
        const double x0 = sample;
        const double y0 = b0 * x0 + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x0;
        y2 = y1;
        y1 = y0;
        sample = y0;
    }
}

void SoundMix::fade(double inSeconds, double outSeconds) {
    const std::size_t size = m_samples.size();
    const auto inCount = static_cast<std::size_t>(inSeconds * m_sampleRate);
    const auto outCount = static_cast<std::size_t>(outSeconds * m_sampleRate);
    for (std::size_t i = 0; i < size; ++i) {
        double level = 1.0;
        if (i < inCount)
            level *= smoothStep(static_cast<double>(i) / static_cast<double>(inCount));
        if (size - 1 - i < outCount)
            level *= smoothStep(static_cast<double>(size - 1 - i) / static_cast<double>(outCount));
        m_samples[i] *= level;
    }
}

PcmSound SoundMix::toPcm(double peakFraction, double padSeconds) const {
    double peak = 0.0;
    for (double sample : m_samples)
        peak = std::max(peak, std::abs(sample));
    const double gain = peak > 0.0 ? peakFraction * 32767.0 / peak : 0.0;
    const auto pad = static_cast<std::size_t>(std::lround(padSeconds * m_sampleRate));

    PcmSound sound;
    sound.sampleRate = m_sampleRate;
    sound.samples.assign(pad, 0);
    for (double sample : m_samples) {
        const long value = std::lround(sample * gain);
        sound.samples.push_back(static_cast<std::int16_t>(std::clamp(value, -32767L, 32767L)));
    }
    sound.samples.insert(sound.samples.end(), pad, 0);
    return sound;
}

} // namespace tallimo::app::assets
