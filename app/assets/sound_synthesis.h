#pragma once

#include "app/assets/wav_writer.h"

#include <vector>

namespace tallimo::app::assets {

enum class Waveform {
    Sine,
    Saw,    // all harmonics at 1/k
    Square, // odd harmonics at 1/k
};

// One note laid into a mix. Every note has its own attack and release, so it
// starts and ends at zero whatever its waveform: mixes never click.
struct Tone {
    double startSeconds = 0.0;
    double durationSeconds = 0.1;
    double frequency = 440.0;
    // Pitch the note starts from and slides to `frequency` in glideSeconds;
    // 0 means no slide.
    double startFrequency = 0.0;
    double glideSeconds = 0.0;
    double amplitude = 1.0;
    Waveform waveform = Waveform::Sine;
    // Harmonics above this rank are left out (and always those above the
    // Nyquist frequency, so nothing aliases).
    int maxHarmonics = 40;
    double attackSeconds = 0.005;
    double releaseSeconds = 0.03;
};

// A floating-point mix being built; samples are nominally within [-1, 1]
// but are only brought there by toPcm.
class SoundMix {
public:
    SoundMix(std::uint32_t sampleRate, double durationSeconds);

    std::uint32_t sampleRate() const { return m_sampleRate; }
    const std::vector<double>& samples() const { return m_samples; }

    void add(const Tone& tone);
    // Second-order Butterworth low-pass over the whole mix: takes the edge
    // off saw and square timbres.
    void lowPass(double cutoffHz);
    // Raised-cosine fades at both ends, a last guard against clicks.
    void fade(double inSeconds, double outSeconds);
    // Normalised to peakFraction of full scale, with padSeconds of digital
    // silence added at both ends.
    PcmSound toPcm(double peakFraction, double padSeconds) const;

private:
    std::uint32_t m_sampleRate;
    std::vector<double> m_samples;
};

} // namespace tallimo::app::assets
