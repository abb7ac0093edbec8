#include "app/assets/sound_synthesis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tallimo::app::assets {
namespace {

constexpr std::uint32_t kRate = 22050;

double rms(const std::vector<double>& samples, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += samples[i] * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

int zeroCrossings(const std::vector<double>& samples, std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        if ((samples[i - 1] < 0.0) != (samples[i] < 0.0))
            ++count;
    return count;
}

TEST(Tone, IsSilentOutsideItsSpanAndStartsAndEndsAtZero) {
    const std::pair<Waveform, double> rows[] = {
        {Waveform::Sine, 440.0}, {Waveform::Saw, 110.0}, {Waveform::Square, 1760.0}};
    for (const auto& [waveform, frequency] : rows) {
        SCOPED_TRACE(frequency);
        SoundMix mix(kRate, 0.5);
        mix.add({.startSeconds = 0.1,
                 .durationSeconds = 0.2,
                 .frequency = frequency,
                 .waveform = waveform});
        const auto& s = mix.samples();
        const std::size_t first = static_cast<std::size_t>(0.1 * kRate);
        const std::size_t last = first + static_cast<std::size_t>(0.2 * kRate) - 1;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (i < first || i > last) {
                ASSERT_EQ(s[i], 0.0) << i;
            }
        }
        EXPECT_LT(std::abs(s[first]), 1e-6);
        EXPECT_LT(std::abs(s[last]), 0.01);
        EXPECT_GT(rms(s, first, last), 0.2);
    }
}

TEST(LowPass, PassesBelowTheCutoffIsThreeDbDownAtItAndCutsAbove) {
    const struct {
        double frequency, cutoff, minDb, maxDb;
    } rows[] = {
        {200.0, 2000.0, -0.5, 0.2}, {1000.0, 1000.0, -3.6, -2.4}, {8000.0, 1000.0, -200.0, -30.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.frequency);
        SoundMix mix(kRate, 1.0);
        mix.add({.durationSeconds = 1.0,
                 .frequency = row.frequency,
                 .attackSeconds = 0.0,
                 .releaseSeconds = 0.0});
        const double before = rms(mix.samples(), kRate / 4, kRate * 3 / 4);
        mix.lowPass(row.cutoff);
        const double gainDb =
            20.0 * std::log10(rms(mix.samples(), kRate / 4, kRate * 3 / 4) / before);
        EXPECT_GE(gainDb, row.minDb);
        EXPECT_LE(gainDb, row.maxDb);
    }
}

TEST(ToneGlide, PitchRisesFromStartFrequencyToFrequency) {
    SoundMix mix(kRate, 1.0);
    mix.add({.durationSeconds = 1.0,
             .frequency = 800.0,
             .startFrequency = 400.0,
             .glideSeconds = 1.0,
             .attackSeconds = 0.0,
             .releaseSeconds = 0.0});
    // Over a tenth of a second a tone of f Hz crosses zero about f/5 times.
    const int early = zeroCrossings(mix.samples(), 0, kRate / 10);
    const int late = zeroCrossings(mix.samples(), kRate * 9 / 10, kRate);
    EXPECT_NEAR(early, 84, 6);
    EXPECT_NEAR(late, 156, 6);
}

TEST(ToPcm, NormalisesToThePeakPadsWithSilenceAndKeepsASilentMixSilent) {
    SoundMix mix(kRate, 0.2);
    mix.add({.durationSeconds = 0.2, .frequency = 300.0, .amplitude = 3.0});
    const PcmSound sound = mix.toPcm(0.5, 0.01);
    const std::size_t pad = static_cast<std::size_t>(std::lround(0.01 * kRate));
    ASSERT_EQ(sound.samples.size(), mix.samples().size() + 2 * pad);
    EXPECT_EQ(sound.sampleRate, kRate);
    for (std::size_t i = 0; i < pad; ++i) {
        EXPECT_EQ(sound.samples[i], 0);
        EXPECT_EQ(sound.samples[sound.samples.size() - 1 - i], 0);
    }
    int peak = 0;
    for (std::int16_t sample : sound.samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_EQ(peak, std::lround(0.5 * 32767.0));

    const PcmSound silent = SoundMix(kRate, 0.05).toPcm(0.9, 0.0);
    EXPECT_TRUE(std::all_of(silent.samples.begin(), silent.samples.end(), [](std::int16_t s) {
        return s == 0;
    })) << "a silent mix must not be divided by a zero peak";
}

} // namespace
} // namespace tallimo::app::assets
