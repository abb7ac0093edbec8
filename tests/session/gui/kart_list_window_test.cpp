// The kart list windows, headless: opened on a prepared working folder,
// driven through their lists and buttons, and checked by the messages asked,
// the sounds played and what reaches the session file.

#include "common/gui/text_conversion.h"
#include "session/gui/kart_list_window.h"
#include "tests/session/gui/session_window_fixture.h"
#include "tests/support/recording_sound_player.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace tallimo::session {
namespace {

using testing::RecordingSoundPlayer;

const std::string kInUse = "ne peut \xEAtre supprim\xE9, car il est actuellement utilis\xE9";

std::vector<std::string> Items(const QListWidget* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back(common::ToCp1252(list->item(i)->text()));
    return items;
}

class KartListWindowTest : public SessionWindowTest {
protected:
    std::unique_ptr<KartListWindow> open(int category) {
        auto window = std::make_unique<KartListWindow>(root, dialogs, sounds, category);
        window->show();
        return window;
    }

    void select(QListWidget* list, const char* text) {
        const auto found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list->setCurrentItem(found.front());
    }

    void click(const QWidget& window, const char* button) {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }

    RecordingSoundPlayer sounds;
};

struct AddRow {
    const char* name;
    const char* kartId;
    std::vector<std::string> messages;
    std::vector<std::string> used;
};

class KartListAddTest : public KartListWindowTest, public ::testing::WithParamInterface<AddRow> {};

TEST_P(KartListAddTest, AddsOrRefusesWithItsMessage) {
    const AddRow& row = GetParam();
    writeFleetAndSession(0);
    const auto window = open(0);
    select(child<QListWidget>(*window, "databaseList"), row.kartId);
    click(*window, "addButton");

    EXPECT_EQ(dialogs.texts(), row.messages);
    for (const auto& asked : dialogs.asked) {
        EXPECT_EQ(asked.caption, "Error");
        EXPECT_EQ(asked.icon, common::DialogIcon::Stop);
    }
    EXPECT_EQ(Items(child<QListWidget>(*window, "usedList")), row.used);
    EXPECT_EQ(sounds.files().size(), row.messages.empty() ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KartListAddTest,
    ::testing::Values(
        AddRow{"UsedKartIsRefused",
               "K4",
               {"Le kart K4 est d\xE9j\xE0 dans la liste des karts utilis\xE9s"},
               {"K1", "K4", "K5"}},
        AddRow{"BrokenDownKartIsRefused",
               "K3",
               {"Le kart K3 est en panne, il ne peut pas \xEAtre ajout\xE9 \xE0 liste des karts "
                "utilis\xE9s"},
               {"K1", "K4", "K5"}}),
    [](const ::testing::TestParamInfo<AddRow>& test) { return std::string(test.param.name); });

struct RemoveRow {
    const char* name;
    int category;
    const char* label;
    bool refused;
    std::vector<std::string> used;
};

class KartListRemoveTest : public KartListWindowTest,
                           public ::testing::WithParamInterface<RemoveRow> {};

TEST_P(KartListRemoveTest, RemovesOnlyAFreeKart) {
    const RemoveRow& row = GetParam();
    writeFleetAndSession(row.category * 100);
    const auto window = open(row.category);
    select(child<QListWidget>(*window, "usedList"), row.label);
    click(*window, "removeButton");

    if (row.refused)
        EXPECT_EQ(dialogs.texts(),
                  (std::vector<std::string>{"Le kart " + std::string(row.label) + " " + kInUse}));
    else
        EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(Items(child<QListWidget>(*window, "usedList")), row.used);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KartListRemoveTest,
    ::testing::Values(RemoveRow{"ReservedRentalKart", 0, "K4", true, {"K1", "K4", "K5"}},
                      RemoveRow{"FreePrivateKart", 5, "KP1", false, {"KP2"}},
                      RemoveRow{"TimingPrivateKart", 5, "KP2", true, {"KP1", "KP2"}}),
    [](const ::testing::TestParamInfo<RemoveRow>& test) { return std::string(test.param.name); });

TEST_F(KartListWindowTest, ValiderWritesTheAddedKartWithItsFleetTransponder) {
    writeFleetAndSession(0);
    const auto window = open(0);
    EXPECT_EQ(Items(child<QListWidget>(*window, "databaseList")),
              (std::vector<std::string>{"K1", "K2", "K3", "K4", "K5"}));
    select(child<QListWidget>(*window, "databaseList"), "K2");
    click(*window, "addButton");
    select(child<QListWidget>(*window, "usedList"), "K1");
    click(*window, "removeButton");
    EXPECT_EQ(child<QLabel>(*window, "kartCount")->text(), "( 3 Karts )");
    click(*window, "okButton");

    EXPECT_EQ(window->result(), QDialog::Accepted);
    SessionHeader savedHeader;
    const auto saved = savedSession(&savedHeader);
    EXPECT_EQ(saved->kart(0, 1).usage, KartUsage::InSession);
    EXPECT_EQ(saved->kart(0, 1).trackState, TrackState::Free);
    EXPECT_EQ(saved->kart(0, 1).transponder, "000102");
    EXPECT_EQ(saved->kart(0, 0).usage, KartUsage::NotInSession);
    EXPECT_EQ(saved->kart(0, 0).transponder, "");
    EXPECT_EQ(savedHeader.trackName, "Piste nord");
    EXPECT_EQ(savedHeader.minLapSeconds, 7);
}

TEST_F(KartListWindowTest, EchapAfterChangesLeavesTheSessionFileAsItWas) {
    writeFleetAndSession(0);
    const std::string before = sessionBytes();
    const auto window = open(0);
    select(child<QListWidget>(*window, "databaseList"), "K2");
    click(*window, "addButton");
    select(child<QListWidget>(*window, "usedList"), "K1");
    click(*window, "removeButton");
    click(*window, "cancelButton");
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(sessionBytes(), before);
}

TEST_F(KartListWindowTest, PrivateKartIsOpenedWithAnEmptyTransponderThroughTheModalWindow) {
    writeFleetAndSession(500);
    session->kart(kPrivateCategoryIndex, 2).transponder = "004242";
    saveSession();
    KartListWindow window(root, dialogs, sounds, kPrivateCategoryIndex);
    EXPECT_EQ(testing::RunModal(window,
                                [&] {
                                    click(window, "addButton");
                                    click(window, "addButton");
                                }),
              QDialog::Accepted);

    EXPECT_EQ(child<QLabel>(window, "kartCount")->text(), "( 4 Karts )");
    EXPECT_EQ(Items(child<QListWidget>(window, "usedList")),
              (std::vector<std::string>{"KP1", "KP2", "KP3", "KP4"}));
    const auto saved = savedSession();
    EXPECT_EQ(saved->kart(kPrivateCategoryIndex, 2).usage, KartUsage::InSession);
    EXPECT_EQ(saved->kart(kPrivateCategoryIndex, 2).trackState, TrackState::Free);
    EXPECT_EQ(saved->kart(kPrivateCategoryIndex, 2).transponder, "");
    EXPECT_EQ(sounds.files(), (std::vector<std::string>{kKartListSound, kKartListSound}));
}

} // namespace
} // namespace tallimo::session
