#include "app/assets/shipped_sounds.h"

#include "app/assets/sound_synthesis.h"

#include <cmath>

namespace tallimo::app::assets {
namespace {

// 22050 Hz is plenty for these sounds and keeps the files small.
constexpr std::uint32_t kRate = 22050;
// -1 dBFS: loud on the track's speakers without touching full scale.
constexpr double kPeak = 0.89;
constexpr double kPad = 0.010;

double cents(double frequency, double amount) {
    return frequency * std::pow(2.0, amount / 1200.0);
}

// A passing was counted: short and bright, so it does not mask the next one.
PcmSound beep() {
    SoundMix mix(kRate, 0.16);
    mix.add({.durationSeconds = 0.16, .frequency = 1568.0, .releaseSeconds = 0.06});
    mix.add(
        {.durationSeconds = 0.16, .frequency = 3136.0, .amplitude = 0.18, .releaseSeconds = 0.04});
    return mix.toPcm(kPeak, kPad);
}

// A passing came too soon: low, rough, unmistakably "no".
PcmSound buzz() {
    SoundMix mix(kRate, 0.38);
    for (double detune : {-9.0, 0.0, 9.0}) {
        mix.add({.durationSeconds = 0.38,
                 .frequency = cents(174.6, detune),
                 .amplitude = 0.6,
                 .waveform = Waveform::Square,
                 .maxHarmonics = 31,
                 .attackSeconds = 0.008,
                 .releaseSeconds = 0.05});
    }
    mix.lowPass(2600.0);
    mix.fade(0.004, 0.01);
    return mix.toPcm(kPeak, kPad);
}

// A personal best: a rising C major arpeggio that lands on a held chord.
PcmSound youpi() {
    SoundMix mix(kRate, 0.95);
    const double notes[] = {523.25, 659.25, 783.99, 1046.50};
    for (int i = 0; i < 4; ++i) {
        const double start = 0.085 * i;
        const double length = 0.95 - start;
        mix.add({.startSeconds = start,
                 .durationSeconds = length,
                 .frequency = notes[i],
                 .amplitude = 0.5,
                 .releaseSeconds = 0.35});
        mix.add({.startSeconds = start,
                 .durationSeconds = length,
                 .frequency = notes[i] * 2.0,
                 .amplitude = 0.12,
                 .releaseSeconds = 0.25});
        mix.add({.startSeconds = start,
                 .durationSeconds = length,
                 .frequency = notes[i] * 3.0,
                 .amplitude = 0.05,
                 .releaseSeconds = 0.2});
    }
    // A little sparkle on the top note.
    mix.add({.startSeconds = 0.255,
             .durationSeconds = 0.45,
             .frequency = 2093.0,
             .startFrequency = 1975.5,
             .glideSeconds = 0.04,
             .amplitude = 0.12,
             .releaseSeconds = 0.3});
    return mix.toPcm(kPeak, kPad);
}

// The run is over: two pairs of quick upward chirps, like a phone's message tone.
PcmSound messageChirps() {
    SoundMix mix(kRate, 0.62);
    const double starts[] = {0.0, 0.11, 0.34, 0.45};
    for (double start : starts) {
        mix.add({.startSeconds = start,
                 .durationSeconds = 0.08,
                 .frequency = 2350.0,
                 .startFrequency = 1750.0,
                 .glideSeconds = 0.05,
                 .amplitude = 0.8,
                 .waveform = Waveform::Square,
                 .maxHarmonics = 5,
                 .attackSeconds = 0.004,
                 .releaseSeconds = 0.02});
    }
    mix.lowPass(5500.0);
    mix.fade(0.003, 0.01);
    return mix.toPcm(kPeak, kPad);
}

// Detuned saws through a low-pass: the body of an air horn.
void addHornNote(SoundMix& mix, double start, double length, double frequency, double amplitude,
                 double attack, double release) {
    for (double detune : {-7.0, 0.0, 6.0}) {
        mix.add({.startSeconds = start,
                 .durationSeconds = length,
                 .frequency = cents(frequency, detune),
                 .startFrequency = cents(frequency, detune - 60.0),
                 .glideSeconds = attack * 1.5,
                 .amplitude = amplitude,
                 .waveform = Waveform::Saw,
                 .maxHarmonics = 40,
                 .attackSeconds = attack,
                 .releaseSeconds = release});
    }
}

// The session is paused: a two-tone truck horn, shorter and higher than the start horn.
PcmSound truckHorn() {
    SoundMix mix(kRate, 1.1);
    addHornNote(mix, 0.0, 1.1, 233.1, 0.5, 0.03, 0.14);
    addHornNote(mix, 0.0, 1.1, 293.7, 0.4, 0.03, 0.14);
    mix.lowPass(1900.0);
    mix.fade(0.005, 0.02);
    return mix.toPcm(kPeak, kPad);
}

// The session starts or its time is up: a long, deep horn heard across the paddock.
PcmSound fogHorn() {
    SoundMix mix(kRate, 2.0);
    addHornNote(mix, 0.0, 2.0, 87.3, 0.6, 0.15, 0.45);
    addHornNote(mix, 0.0, 2.0, 130.8, 0.35, 0.15, 0.45);
    mix.lowPass(750.0);
    mix.fade(0.01, 0.05);
    return mix.toPcm(kPeak, kPad);
}

} // namespace

const std::vector<SoundAsset>& shippedSounds() {
    static const std::vector<SoundAsset> sounds = {
        {"beep1.wav", "passing counted, kart added or removed", beep},
        {"buzz.wav", "passing too soon after the last lap", buzz},
        {"youpi.wav", "new personal best lap", youpi},
        {"nokia-sms.wav", "run over, passing after the end of the run", messageChirps},
        {"truckhorn.wav", "session paused", truckHorn},
        {"foghorn.wav", "session started, session time used up", fogHorn},
    };
    return sounds;
}

} // namespace tallimo::app::assets
