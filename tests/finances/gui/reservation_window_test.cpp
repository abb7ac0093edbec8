// The single reservation window driven like an operator, the message boxes
// answered from a script, on files the core writes.

#include "finances/gui/reservation_window.h"

#include "common/gui/text_conversion.h"
#include "session/core/session_file.h"
#include "tests/finances/booking_fixture.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using common::DialogAnswer;
using common::DialogIcon;
using File = testing::BookingFixture::File;

const std::string kFreeSession = "Points fid\xE9lit\xE9 Anne = 120\nLa s\xE9"
                                 "ance gratuite coute 100 points\nS\xE9"
                                 "ance gratuite ?";

struct Box {
    std::string text;
    DialogAnswer answer = DialogAnswer::Ok;
    DialogIcon icon = DialogIcon::Exclamation;
};

// 10 June 2026, Anne Martin's 36th birthday.
class ReservationWindowTest : public testing::WindowTest {
protected:
    ReservationWindowTest() { m_clock.set({2026, 6, 10, 14, 30, 0}); }

    void script(const std::vector<Box>& boxes) {
        m_expected.insert(m_expected.end(), boxes.begin(), boxes.end());
        for (const Box& box : boxes)
            m_dialogs.answers.push_back(box.answer);
    }
    void expectScriptedBoxes() const {
        ASSERT_EQ(m_dialogs.texts().size(), m_expected.size());
        for (std::size_t i = 0; i < m_expected.size(); ++i) {
            EXPECT_EQ(m_dialogs.asked[i].text, m_expected[i].text);
            EXPECT_EQ(m_dialogs.asked[i].icon, m_expected[i].icon) << m_expected[i].text;
        }
    }
    session::SessionKart savedKart() const {
        session::RentalSession rental;
        session::SessionHeader header;
        EXPECT_TRUE(session::LoadSessionFile(root(), rental, header));
        return rental.kart(0, 0);
    }
    template <typename Widget = QWidget> static Widget* find(QWidget& window, const char* name) {
        return window.findChild<Widget*>(QLatin1String(name));
    }
    // On the round indicator: a radio stretched by its layout ignores
    // clicks beside its text.
    static void chooseMode(QWidget& window, const char* radio) {
        auto* button = find<QRadioButton>(window, radio);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
        EXPECT_TRUE(button->isChecked()) << radio;
    }

    testing::BookingFixture m_fixture;
    testing::FakeLocalClock m_clock;
    std::vector<Box> m_expected;
};

struct OfferCase {
    const char* name;
    bool walkIn; // "Martin" typed, else Anne Martin chosen
    bool birthdayActive;
    bool eventActive; // "la fête du circuit", 25 % off, from 3 days before
    std::vector<Box> offers;
    int price;
    int loyaltyCode;
};

class DurationOffers : public ReservationWindowTest,
                       public ::testing::WithParamInterface<OfferCase> {};

TEST_P(DurationOffers, ShowAndBookThePriceTheOperatorAccepts) {
    const OfferCase& row = GetParam();
    m_fixture.discounts.discountMode = 1;
    if (row.birthdayActive)
        m_fixture.activateEvent(kBirthdayEvent, "Anniversaire abonn\xE9s", {}, 5);
    if (row.eventActive)
        m_fixture.activateEvent(kFirstDatedEvent, "la f\xEAte du circuit", {12, 5, 0}, 25, 3);
    m_fixture.write(root());
    ReservationWindow window(root(), m_dialogs, m_clock, "K1");
    window.show();
    if (row.walkIn) {
        chooseMode(window, "walkInMode");
        QTest::keyClicks(find<QLineEdit>(window, "walkInName"), QStringLiteral("Martin"));
    } else {
        if (row.birthdayActive)
            script({{"Joyeux anniversaire Anne !\n\n Aujourd'hui, 36 ans (10/06/1990)"}});
        script({{"Points fid\xE9lit\xE9 Anne = 120"}});
        chooseMode(window, "subscriberMode");
        auto* subscribers = find<QComboBox>(window, "subscriberCombo");
        subscribers->setCurrentIndex(subscribers->findText(QStringLiteral("Martin Anne")));
    }
    script(row.offers);
    find<QComboBox>(window, "duration")->setCurrentIndex(0);

    expectScriptedBoxes();
    EXPECT_EQ(text(window, "normalPrice"), common::FromCp1252("( 20 \x80 )"));
    EXPECT_EQ(text(window, "price"), QString::number(row.price));
    const bool paidWithPoints = row.loyaltyCode >= kFreeSessionCodeBase;
    EXPECT_EQ(find<QCheckBox>(window, "paid")->isChecked(), paidWithPoints);
    click(window, "okButton");
    const session::SessionKart kart = savedKart();
    EXPECT_EQ(kart.durationMinutes, 10);
    EXPECT_EQ(kart.price, row.price);
    EXPECT_EQ(kart.loyaltyCode, row.loyaltyCode);
    EXPECT_EQ(kart.paid, paidWithPoints ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DurationOffers,
    ::testing::Values(OfferCase{"subscriber on her birthday takes the discount",
                                false,
                                true,
                                false,
                                {{"C'est l'anniversaire de Anne !\nApplication Remise (-5%) ?",
                                  DialogAnswer::Yes, DialogIcon::Question},
                                 {kFreeSession, DialogAnswer::No, DialogIcon::Question}},
                                19,
                                kBirthdayEvent},
                      OfferCase{"walk-in gets the event but no birthday or free session",
                                true,
                                true,
                                true,
                                {{"C'est la f\xEAte du circuit !\nApplication Remise (-25%) ?",
                                  DialogAnswer::Yes, DialogIcon::Question}},
                                15,
                                kFirstDatedEvent},
                      OfferCase{"free session paid with points",
                                false,
                                false,
                                false,
                                {{kFreeSession, DialogAnswer::Yes, DialogIcon::Question},
                                 {"Il restera 20 points fid\xE9lit\xE9"}},
                                0,
                                kFreeSessionCodeBase + 100}),
    [](const auto& row) {
        std::string name = row.param.name;
        std::erase(name, '-');
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

class FreeingAFinishedRun : public ReservationWindowTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(FreeingAFinishedRun, StoresTheRunAndThePointsOnlyOnOk) {
    session::SessionKart& finished = m_fixture.rental.kart(0, 0);
    finished.driverName = "Martin";
    finished.driverFirstName = "Anne";
    finished.durationMinutes = 10;
    finished.trackState = session::TrackState::Finished;
    finished.lastLapIndex = 2;
    finished.passingTimes = {0, 61000, 122500};
    m_fixture.write(root());
    const std::string before =
        m_folder.read(kBalancesFileName) + m_folder.read("Private/Session.rent");
    script({{"Souhaitez-vous lib\xE9rer la kart ?", DialogAnswer::Yes},
            {"15 points de fid\xE9lit\xE9 ont \xE9t\xE9 gagn\xE9s par Anne.\n Il poss\xE8"
             "de maintenant 135 points fid\xE9lit\xE9."}});

    ReservationWindow window(root(), m_dialogs, m_clock, "K1");
    const int result = testing::RunModal(
        window,
        [&] {
            EXPECT_EQ(find<QComboBox>(window, "subscriberCombo")->currentText(),
                      QStringLiteral("Martin Anne"));
            click(window, "freeKartButton");
            EXPECT_EQ(find<QComboBox>(window, "subscriberCombo")->currentIndex(), 0);
        },
        GetParam());
    expectScriptedBoxes();

    const std::string runFile = m_folder.read("Runs/Martin_Anne.bdr");
    if (result != QDialog::Accepted) {
        EXPECT_EQ(runFile, "1\t0\t\n");
        EXPECT_EQ(m_folder.read(kBalancesFileName) + m_folder.read("Private/Session.rent"), before);
        return;
    }
    EXPECT_NE(runFile.find("Run 2026 / 06 / 10  (14:30:00)"), std::string::npos);
    EXPECT_NE(m_folder.read(kBalancesFileName).find("Martin\tAnne\t135\t\n"), std::string::npos);
    EXPECT_TRUE(savedKart().driverName.empty());
}

INSTANTIATE_TEST_SUITE_P(Closers, FreeingAFinishedRun,
                         ::testing::Values("okButton", "escape", "close box"), [](const auto& row) {
                             return std::string(row.param) == "close box" ? std::string("closeBox")
                                                                          : std::string(row.param);
                         });

struct StateCase {
    const char* name;
    session::TrackState state;
    bool locked;
    QColor banner;
    bool picture = false;
};

bool Shows(QWidget* banner, const QColor& colour) {
    const QImage image = banner->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

class KartStates : public ReservationWindowTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(KartStates, LockTheBookingUntilCtrlRightClickAndPaintTheBanner) {
    const StateCase& row = GetParam();
    m_fixture.rental.kart(0, 0).trackState = row.state;
    m_fixture.write(root());
    if (row.picture) {
        QImage picture(30, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        std::filesystem::create_directories(m_folder / "images");
        ASSERT_TRUE(picture.save(path("images/warningChrono.bmp"), "BMP"));
    }
    ReservationWindow window(root(), m_dialogs, m_clock, "K1");
    window.show();
    const char* const booking[] = {"subscriberMode", "walkInMode", "subscriberCombo",
                                   "walkInName",     "duration",   "normalPrice",
                                   "price"};
    for (const char* name : booking)
        EXPECT_EQ(find(window, name)->isEnabled(), !row.locked) << name;
    EXPECT_TRUE(find(window, "freeKartButton")->isEnabled());
    EXPECT_FALSE(find(window, "printButton")->isEnabled());
    EXPECT_TRUE(Shows(find(window, "stateBanner"), row.banner));
    EXPECT_EQ(Shows(find(window, "stateBanner"), Qt::blue), row.picture);

    QTest::mouseClick(&window, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(find(window, "duration")->isEnabled(), !row.locked);
    QTest::mouseClick(&window, Qt::RightButton, Qt::ControlModifier, QPoint(2, 2));
    for (const char* name : booking)
        EXPECT_TRUE(find(window, name)->isEnabled()) << name;
    EXPECT_TRUE(m_dialogs.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KartStates,
    ::testing::Values(
        StateCase{"RunFinished", session::TrackState::Finished, true, {240, 0, 0}},
        StateCase{"Free", session::TrackState::Free, false, {0, 240, 0}},
        StateCase{"Reserved", session::TrackState::Reserved, false, {255, 255, 0}},
        StateCase{"Timing", session::TrackState::Timing, true, {255, 220, 0}, true},
        StateCase{"TimingWithoutPicture", session::TrackState::Timing, true, {255, 220, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ReservationWindowTest, MissingTablesAreReportedInOrderAndTheWindowStillBooks) {
    m_fixture.write(root(), {File::Categories, File::Subscribers, File::FirstNames, File::Prices,
                             File::Discounts, File::Balances, File::SessionPoints});
    ReservationWindow window(root(), m_dialogs, m_clock, "K1");
    window.show();
    EXPECT_EQ(m_dialogs.texts(), (std::vector<std::string>{
                                     "Error : 'Go-karts categories' database file not found",
                                     "Error : 'Subscribers' database file not found",
                                     "Error : 'Subscribers first names' database file not found",
                                     "Error : 'Sessions prices' database file not found",
                                     "Error : 'Sessions discounts' database file not found",
                                     "Error : 'Subscribers loyalty points' database file not found",
                                     "Error : 'Sessions loyalty points' database file not found"}));
    EXPECT_EQ(find<QComboBox>(window, "duration")->count(), 0);
    chooseMode(window, "walkInMode");
    QTest::keyClicks(find<QLineEdit>(window, "walkInName"), QStringLiteral("Dupont"));
    type(window, "transponder", QStringLiteral("004242"));
    type(window, "transponder", QStringLiteral("123"));
    click(window, "okButton");
    EXPECT_EQ(savedKart().driverName, "Dupont");
    EXPECT_EQ(savedKart().transponder, "004242") << "six digits or none are kept";
}

TEST_F(ReservationWindowTest, WithoutTheSessionNothingCanBeBookedOrWritten) {
    m_fixture.write(root(), {File::Session});
    std::filesystem::remove(m_folder / "Translation/FenetreTarifs.trans");
    ReservationWindow window(root(), m_dialogs, m_clock, "K1");
    window.show();
    ASSERT_EQ(m_dialogs.texts().size(), 2u);
    EXPECT_NE(m_dialogs.texts()[0].find("'FenetreTarifs.trans'"), std::string::npos);
    EXPECT_EQ(m_dialogs.texts()[1], "Error: 'Rental session' file not found");
    EXPECT_FALSE(find(window, "duration")->isEnabled());
    EXPECT_FALSE(find(window, "freeKartButton")->isEnabled());
    click(window, "okButton");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "Private/Session.rent"));
}

TEST_F(ReservationWindowTest, ShowsTheBookingInTheInterfaceLanguageAndKeepsTheLastDriverMode) {
    setLanguages(i18n::LanguageCode::German);
    session::SessionKart& booked = m_fixture.rental.kart(0, 1);
    booked.driverName = "Dupont";
    booked.durationMinutes = 20;
    booked.price = 30;
    booked.paid = 1;
    booked.trackState = session::TrackState::Reserved;
    m_fixture.write(root());
    {
        ReservationWindow window(root(), m_dialogs, m_clock, "K2");
        window.show();
        auto* duration = find<QComboBox>(window, "duration");
        EXPECT_EQ(duration->currentText(), QStringLiteral("20 Minuten"));
        EXPECT_EQ(text(window, "normalPrice"), common::FromCp1252("( 35 \x80 )"));
        EXPECT_EQ(text(window, "price"), QStringLiteral("30"));
        EXPECT_TRUE(find<QCheckBox>(window, "paid")->isChecked());
        EXPECT_EQ(text(window, "walkInName"), QStringLiteral("Dupont"));

        // The hidden walk-in name does not stay booked behind the empty item.
        script({{"Aucun pilote n'a pour l'instant \xE9t\xE9 s\xE9lectionn\xE9 !"}});
        chooseMode(window, "subscriberMode");
        EXPECT_TRUE(text(window, "price").isEmpty());
        duration->setCurrentIndex(1);
        EXPECT_EQ(duration->currentIndex(), -1);
        click(window, "cancelButton");
    }
    for (const char* mode : {"walkInMode", "subscriberMode"}) {
        {
            ReservationWindow window(root(), m_dialogs, m_clock, "K5");
            window.show();
            chooseMode(window, mode);
            click(window, "cancelButton");
        }
        ReservationWindow window(root(), m_dialogs, m_clock, "K5");
        EXPECT_TRUE(find<QRadioButton>(window, mode)->isChecked()) << mode;
    }
    expectScriptedBoxes();
}

} // namespace
} // namespace tallimo::finances
