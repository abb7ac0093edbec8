// The group reservation window, driven like an operator with the message
// boxes answered from a script, on files the core writes.

#include "finances/gui/group_reservation_window.h"

#include "session/core/session_file.h"
#include "tests/finances/booking_fixture.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using common::DialogAnswer;
using File = testing::BookingFixture::File;
using Texts = std::vector<std::string>;

struct Box {
    std::string caption;
    std::string text;
    DialogAnswer answer;
};

// Category 0 of the fixture (30 free karts, 10 minutes at 20, 20 minutes
// at 35), on Anne Martin's birthday.
class GroupWindowTest : public testing::WindowTest {
protected:
    GroupWindowTest() { m_clock.set({2026, 6, 10, 14, 30, 0}); }

    void script(const std::vector<Box>& boxes) {
        m_expected.insert(m_expected.end(), boxes.begin(), boxes.end());
        for (const Box& box : boxes)
            m_dialogs.answers.push_back(box.answer);
    }
    void expectBoxesAsScripted() const {
        ASSERT_EQ(m_dialogs.asked.size(), m_expected.size())
            << ::testing::PrintToString(m_dialogs.texts());
        for (std::size_t i = 0; i < m_expected.size(); ++i) {
            EXPECT_EQ(m_dialogs.asked[i].caption, m_expected[i].caption) << i;
            EXPECT_EQ(m_dialogs.asked[i].text, m_expected[i].text) << i;
        }
    }
    session::RentalSession savedSession() const {
        session::RentalSession rental;
        session::SessionHeader header;
        EXPECT_TRUE(session::LoadSessionFile(root(), rental, header));
        return rental;
    }

    template <typename Widget> static Widget* find(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void choose(QWidget& window, const char* combo, const char* item) {
        auto* box = find<QComboBox>(window, combo);
        const int index = box->findText(QString::fromUtf8(item));
        ASSERT_GE(index, 0) << item;
        box->setCurrentIndex(index);
    }
    static void chooseSubscriber(QWidget& window, const char* item) {
        find<QRadioButton>(window, "subscriberMode")->click();
        choose(window, "subscriberCombo", item);
    }
    static void addWalkIn(QWidget& window, const char* kart, const char* name) {
        choose(window, "kartCombo", kart);
        find<QRadioButton>(window, "walkInMode")->click();
        type(window, "walkInName", QString::fromUtf8(name));
        click(window, "addButton");
    }
    // One "label|driver|price|to pay" a booked kart.
    static Texts bookings(QWidget& window) {
        Texts rows;
        const auto* table = find<QTableWidget>(window, "bookingTable");
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column : {0, 2, 3, 4})
                cells << table->item(row, column)->text();
            rows.push_back(cells.join(QLatin1Char('|')).toStdString());
        }
        return rows;
    }
    static Texts totals(QWidget& window) {
        return {text(window, "normalTotalEdit").toStdString(),
                text(window, "discountedTotalEdit").toStdString(),
                text(window, "amountToPayEdit").toStdString()};
    }

    testing::BookingFixture m_fixture;
    testing::FakeLocalClock m_clock;
    std::vector<Box> m_expected;
};

TEST_F(GroupWindowTest, BooksSubscribersAndAWalkInOnTheFreeKartsWithOneDuration) {
    m_fixture.activateEvent(kBirthdayEvent, "Anniversaire abonn\xE9s", {}, 5);
    m_fixture.rental.kart(0, 1).trackState = session::TrackState::Reserved;
    m_fixture.write(root());
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Réservation karts"));
    EXPECT_EQ(find<QComboBox>(window, "kartCombo")->count(), 30) << "empty item + 29 free";
    EXPECT_EQ(totals(window), (Texts{"0", "0", "0"}));
    EXPECT_FALSE(find<QWidget>(window, "printButton")->isEnabled());

    choose(window, "durationCombo", "10 minutes");
    choose(window, "kartCombo", "K1");
    script({{"Tallimo", "Joyeux anniversaire Anne !\n\n Aujourd'hui, 36 ans (10/06/1990)",
             DialogAnswer::Ok},
            {"Tallimo", "Points fid\xE9lit\xE9 Anne = 120", DialogAnswer::Ok}});
    chooseSubscriber(window, "Martin Anne");
    script({{"Tallimo", "C'est l'anniversaire de Anne !\nApplication Remise (-5\x80) ?",
             DialogAnswer::Yes},
            {"Tallimo",
             "Points fid\xE9lit\xE9 Anne = 120\nLa s\xE9"
             "ance gratuite coute 100 points\nS\xE9"
             "ance gratuite ?",
             DialogAnswer::No}});
    click(window, "addButton");
    choose(window, "kartCombo", "K3");
    EXPECT_EQ(text(window, "transponderEdit"), QStringLiteral("004711")) << "from the fleet";
    script({{"Tallimo", "Points fid\xE9lit\xE9 Paul = 0", DialogAnswer::Ok}});
    chooseSubscriber(window, "Durand Paul");
    click(window, "addButton");
    addWalkIn(window, "K4", "Dupont");

    EXPECT_EQ(bookings(window), (Texts{"K1|Martin Anne|15 €|15 €", "K3|Durand Paul|20 €|20 €",
                                       "K4|Dupont|20 €|20 €"}));
    EXPECT_EQ(totals(window), (Texts{"60", "55", "55"}));
    click(window, "okButton");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    expectBoxesAsScripted();
    const session::RentalSession saved = savedSession();
    EXPECT_EQ(saved.kart(0, 0).loyaltyCode, kBirthdayEvent);
    EXPECT_EQ(saved.kart(0, 2).transponder, "004711");
    EXPECT_EQ(saved.kart(0, 3).durationMinutes, 10);
}

TEST_F(GroupWindowTest, AmountToPayIsTakenOffKartAfterKartAndPaymentCoversTheGroup) {
    PriceRowOf(m_fixture.prices, 0)[0].price = 10;
    m_fixture.write(root());
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    window.show();
    choose(window, "durationCombo", "10 minutes");
    addWalkIn(window, "K1", "Un");
    addWalkIn(window, "K2", "Deux");
    addWalkIn(window, "K3", "Trois");
    type(window, "amountToPayEdit", QStringLiteral("26"));
    EXPECT_EQ(bookings(window), (Texts{"K1|Un|10 €|8 €", "K2|Deux|10 €|9 €", "K3|Trois|10 €|9 €"}));
    auto* amount = find<QLineEdit>(window, "amountToPayEdit");
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Backspace);
    EXPECT_EQ(bookings(window)[0], "K1|Un|10 €|10 €") << "an emptied amount frees nobody";
    type(window, "amountToPayEdit", QStringLiteral("26"));
    click(window, "paidCheck");
    click(window, "okButton");

    expectBoxesAsScripted();
    const session::RentalSession saved = savedSession();
    EXPECT_EQ((Texts{std::to_string(saved.kart(0, 0).price), std::to_string(saved.kart(0, 1).price),
                     std::to_string(saved.kart(0, 2).price)}),
              (Texts{"8", "9", "9"}));
    EXPECT_EQ(saved.kart(0, 2).paid, 1);
    EXPECT_EQ(saved.kart(0, 3).paid, 0);
}

TEST_F(GroupWindowTest, TenKartsAtMostAndANewDurationStartsTheGroupAgain) {
    m_fixture.write(root());
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    window.show();
    choose(window, "durationCombo", "10 minutes");
    addWalkIn(window, "K1", "Pilote 1");
    click(window, "paidCheck");
    for (int kart = 2; kart <= 11; ++kart)
        addWalkIn(window, ("K" + std::to_string(kart)).c_str(),
                  ("Pilote " + std::to_string(kart)).c_str());
    EXPECT_FALSE(find<QCheckBox>(window, "paidCheck")->isChecked())
        << "the payment no longer covers the group";
    EXPECT_EQ(bookings(window).size(), 10u);
    EXPECT_EQ(totals(window), (Texts{"200", "200", "200"}));

    choose(window, "durationCombo", "20 minutes");
    EXPECT_TRUE(bookings(window).empty());
    EXPECT_EQ(totals(window), (Texts{"", "", ""}));
    EXPECT_EQ(text(window, "walkInName"), QString());
    EXPECT_EQ(find<QComboBox>(window, "kartCombo")->currentIndex(), 0);
    type(window, "walkInName", QStringLiteral("Dupont"));
    script({{"Tallimo", kNoKartText, DialogAnswer::Ok}});
    click(window, "addButton");
    click(window, "okButton");
    EXPECT_EQ(savedSession().kart(0, 0).paid, 0);
    EXPECT_TRUE(savedSession().kart(0, 0).driverName.empty());
    expectBoxesAsScripted();
}

class GroupWindowDiscard : public GroupWindowTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(GroupWindowDiscard, LeavesTheSessionFileAsItWas) {
    m_fixture.write(root());
    const std::string before = m_folder.read(session::kSessionFileName);
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    const int result = testing::RunModal(
        window,
        [&] {
            choose(window, "durationCombo", "10 minutes");
            addWalkIn(window, "K1", "Dupont");
        },
        GetParam());
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_folder.read(session::kSessionFileName), before);
}

INSTANTIATE_TEST_SUITE_P(Closers, GroupWindowDiscard,
                         ::testing::Values("escape", "cancelButton", "close box"),
                         [](const auto& row) {
                             return std::string(row.param) == "close box" ? std::string("closeBox")
                                                                          : std::string(row.param);
                         });

TEST_F(GroupWindowTest, MissingPricesAreReportedAndNothingCanBeAddedWithoutADuration) {
    m_fixture.write(root(), {File::Prices});
    script({{"Error", kPricesFileErrorText, DialogAnswer::Ok}});
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    window.show();
    EXPECT_EQ(find<QComboBox>(window, "durationCombo")->count(), 0);
    script({{"Tallimo", kNoDurationText, DialogAnswer::Ok},
            {"Tallimo", kNoDurationText, DialogAnswer::Ok}});
    addWalkIn(window, "K2", "Dupont");
    EXPECT_EQ(find<QComboBox>(window, "kartCombo")->currentIndex(), 0) << "back to empty";
    click(window, "okButton");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(savedSession().kart(0, 1).driverName.empty());
    expectBoxesAsScripted();
}

TEST_F(GroupWindowTest, WithoutASessionFileNothingIsWrittenOnOk) {
    m_fixture.write(root(), {File::Session});
    script({{"Error", session::kSessionFileErrorText, DialogAnswer::Ok}});
    GroupReservationWindow window(root(), m_dialogs, m_clock, 0);
    window.show();
    EXPECT_EQ(find<QComboBox>(window, "kartCombo")->count(), 1) << "the empty item only";
    click(window, "okButton");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(std::filesystem::exists(m_folder / session::kSessionFileName))
        << "an empty session would replace the main window's on reload";
    expectBoxesAsScripted();
}

} // namespace
} // namespace tallimo::finances
