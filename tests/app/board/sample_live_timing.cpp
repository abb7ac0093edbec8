#include "tests/app/board/sample_live_timing.h"

#include <QImage>
#include <QPainter>

#include <iterator>
#include <string>

namespace tallimo::testing {
namespace {

using session::SessionKart;

void Book(SessionKart& kart, const char* name, const char* firstName, int minutes) {
    kart.usage = session::KartUsage::InSession;
    kart.trackState = session::TrackState::Reserved;
    kart.driverName = name;
    kart.driverFirstName = firstName;
    kart.durationMinutes = minutes;
}

void Time(SessionKart& kart, int laps, std::int32_t firstLap, std::int32_t step) {
    kart.trackState = session::TrackState::Timing;
    kart.lapCount = kart.lastLapIndex = laps;
    std::int32_t total = 0;
    kart.bestLap = 0;
    for (int i = 1; i <= laps; ++i) {
        const std::int32_t lap = firstLap + ((i * 7919) % 5) * step - (i % 3) * step / 2;
        kart.lapTimes[static_cast<std::size_t>(i)] = lap;
        total += lap;
        kart.passingTimes[static_cast<std::size_t>(i)] = total;
        if (kart.bestLap == 0 || lap < kart.bestLap)
            kart.bestLap = lap;
    }
    kart.totalTime = total;
    kart.elapsedMinutes = total / 60000;
}

void Label(session::RentalSession& session) {
    for (int c = 0; c < session::kCategoryCount; ++c)
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            SessionKart& kart = session.kart(c, k);
            kart.kartLabel = session::KartLabelFor(c, k);
            kart.transponder = std::to_string(100000 + 1000 * c + k * 37).substr(0, 6);
        }
}

// Drivers for the board, a long double-barrelled name among them; a full
// category takes them in turn.
const char* const kNames[][2] = {
    {"ROBERT", "Hugo"},
    {"RICHARD", "Zo\xE9"},
    {"PETIT", "Gabriel"},
    {"DURAND", "Manon"},
    {"LEROY", "Rapha\xEBl"},
    {"MOREAU", "In\xE8s"},
    {"DUPONT-ARAGON", "Maximilien"},
    {"LAURENT", "Camille"},
};
constexpr int kNameCount = static_cast<int>(std::size(kNames));

} // namespace

void FillSampleSession(session::LiveTiming& live) {
    session::ClearSession(live.session);
    session::RentalSession& s = live.session;
    Label(s);
    s.categories[0].categoryName = "Enfants";
    s.categories[1].categoryName = "Adultes 270cc";
    s.categories[2].categoryName = "Biplaces";
    s.categories[5].categoryName = session::kPrivateCategoryName;

    // Enfants: one reserved, two timing (K102 has just lapped), one finished.
    Book(s.kart(0, 0), "MARTIN", "Lucas", 10);
    Book(s.kart(0, 1), "BERNARD", "Emmanuelle", 10);
    Time(s.kart(0, 1), 7, 41250, 380);
    s.kart(0, 1).runtime.lapJustDone = 1;
    Book(s.kart(0, 2), "DUBOIS", "Nathan", 15);
    Time(s.kart(0, 2), 9, 39870, 420);
    Book(s.kart(0, 3), "THOMAS", "Chlo\xE9", 10);
    Time(s.kart(0, 3), 14, 40110, 300);
    s.kart(0, 3).trackState = session::TrackState::Finished;

    // Adultes: eight karts, more than one slot holds.
    for (int k = 0; k < 8; ++k) {
        Book(s.kart(1, k), kNames[k][0], kNames[k][1], k % 2 ? 15 : 20);
        if (k >= 2)
            Time(s.kart(1, k), 3 + k, 33000 + 250 * k, 510);
    }
    s.kart(1, 7).trackState = session::TrackState::Finished;

    // Biplaces: named but nobody booked yet (heading only), then private karts.
    s.kart(2, 0).usage = session::KartUsage::InSession;
    s.kart(2, 0).trackState = session::TrackState::Free;
    Book(s.kart(5, 0), "LEROY", "Rapha\xEBl", 30);
    Time(s.kart(5, 0), 21, 31040, 260);
    Book(s.kart(5, 1), "MOREAU", "In\xE8s", 30);
    Time(s.kart(5, 1), 19, 31980, 240);
    live.rebuildBoardRows();
}

void FillFullBoard(session::LiveTiming& live) {
    session::ClearSession(live.session);
    Label(live.session);
    for (int c = 0; c < session::kCategoryCount; ++c) {
        live.session.categories[static_cast<std::size_t>(c)].categoryName =
            c == 5 ? session::kPrivateCategoryName : "Cat\xE9gorie " + std::to_string(c + 1);
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            SessionKart& kart = live.session.kart(c, k);
            Book(kart, kNames[k % kNameCount][0], kNames[k % kNameCount][1], 10 + 5 * (k % 3));
            if (k % 4 != 0)
                Time(kart, 5 + k % 11, 35000 + 97 * k, 400);
            kart.runtime.lapJustDone = k % 7 == 0;
        }
    }
    live.rebuildBoardRows();
}

app::CategoryNames SampleCategoryNames() {
    return {"Enfants", "Adultes 270cc", "Biplaces", "", ""};
}

void WriteBoardPictures(const std::filesystem::path& root) {
    std::filesystem::create_directories(root / "images");
    QImage trophy(40, 36, QImage::Format_RGB32);
    trophy.fill(QColor(255, 255, 255));
    QPainter(&trophy).fillRect(9, 3, 22, 30, QColor(235, 180, 30));
    trophy.save(QString::fromStdU16String((root / "images" / "trophee.bmp").u16string()), "BMP");
    QImage flag(32, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            flag.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    flag.save(QString::fromStdU16String((root / "images" / "drapeauArrivee.bmp").u16string()),
              "BMP");
}

} // namespace tallimo::testing
