#pragma once

#include <array>
#include <string_view>

// What the program looks for in its working folder, written out here by
// hand so that a renamed or dropped resource fails a test.
namespace tallimo::app::assets::testing {

struct ExpectedPicture {
    std::string_view fileName;
    int width;
    int height;
};

inline constexpr std::array<ExpectedPicture, 23> kExpectedPictures = {{
    {"logo.bmp", 392, 100},          {"logoBis.bmp", 240, 75},
    {"drapeauArrivee.bmp", 32, 32},  {"transpondeur.bmp", 32, 32},
    {"warningChrono.bmp", 30, 30},   {"trophee.bmp", 20, 18},
    {"voyantRouge.bmp", 40, 39},     {"voyantVert.bmp", 40, 39},
    {"casevide.bmp", 16, 16},        {"casecochee.bmp", 16, 16},
    {"casebouton.bmp", 16, 16},      {"impression.bmp", 32, 32},
    {"vueEmail.bmp", 32, 32},        {"envoiEmail.bmp", 32, 32},
    {"voyantScanPuce1.bmp", 40, 39}, {"voyantScanPuce2.bmp", 40, 39},
    {"voyantScanPuce3.bmp", 40, 39}, {"voyantScanPuce4.bmp", 40, 39},
    {"Kart1.bmp", 250, 155},         {"Kart2.bmp", 250, 155},
    {"Kart3.bmp", 250, 155},         {"Kart4.bmp", 250, 155},
    {"Kart5.bmp", 250, 155},
}};

struct ExpectedSound {
    std::string_view fileName;
    double minSeconds;
    double maxSeconds;
};

// Bounds on length: the start sound is played synchronously by the program
// and the lap sounds follow each other closely, so none may drag on.
inline constexpr std::array<ExpectedSound, 6> kExpectedSounds = {{
    {"beep1.wav", 0.08, 0.4},
    {"buzz.wav", 0.2, 0.8},
    {"youpi.wav", 0.4, 1.5},
    {"nokia-sms.wav", 0.3, 1.2},
    {"truckhorn.wav", 0.6, 2.0},
    {"foghorn.wav", 1.0, 3.0},
}};

inline constexpr std::string_view kGuideFile = "Guides/HelpLocationKartingFR.pdf";
inline constexpr int kGuidePages = 5;

} // namespace tallimo::app::assets::testing
