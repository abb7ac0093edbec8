// The session track window, headless: opened on a prepared tracks database
// and session file, driven through its track list and protection field, and
// checked by what it shows and what reaches the session file.

#include "common/gui/text_conversion.h"
#include "databases/core/tracks_file.h"
#include "session/gui/session_track_window.h"
#include "tests/session/gui/session_window_fixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

namespace tallimo::session {
namespace {

class SessionTrackWindowTest : public SessionWindowTest {
protected:
    void SetUp() override {
        folder.write("Translation/FenetrePrincipale.trans", "1\t1\t\n"); // French
        const std::filesystem::path picture = folder / "lac.bmp";
        QImage image(400, 100, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(QString::fromStdString(picture.string()), "BMP"));

        databases::TrackTable tracks;
        databases::ClearTracks(tracks);
        tracks[0] = {"Circuit du lac", "850",  "5",          "0:41.250",
                     "Durand",         "Marc", "12/05/2023", picture.string()};
        tracks[1].name = "Piste nord";
        ASSERT_TRUE(databases::SaveTracksDatabase(root, tracks, ignoredMessages));
    }

    void writeSessionOnTrack(const char* track, int minLapSeconds) {
        writeFleetAndSession(900);
        header.trackName = track;
        header.minLapSeconds = minLapSeconds;
        header.boardFrozen = 1;
        saveSession();
    }

    std::unique_ptr<SessionTrackWindow> open() {
        auto window = std::make_unique<SessionTrackWindow>(root, dialogs, pictures);
        window->show();
        return window;
    }

    QString text(const QWidget& window, const char* field) {
        return child<QLineEdit>(window, field)->text();
    }

    void chooseItem(const QWidget& window, int item) {
        child<QComboBox>(window, "trackList")->setCurrentIndex(item);
    }

    void typeProtection(const QWidget& window, const char* typed) {
        QLineEdit* field = child<QLineEdit>(window, "protection");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QString::fromUtf8(typed));
        // As when the operator leaves the field.
        emit field->editingFinished();
    }

    testing::QtPictures pictures;
};

TEST_F(SessionTrackWindowTest, OpensOnTheSessionsTrackWithItsRecordAndPicture) {
    writeSessionOnTrack("Circuit du lac", 9);
    const auto window = open();
    QComboBox* list = child<QComboBox>(*window, "trackList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(text(*window, "trackName"), "Circuit du lac");
    EXPECT_EQ(text(*window, "trackLength"), "850");
    EXPECT_EQ(text(*window, "recordLine"), "0:41.250 par Marc Durand 12/05/2023");
    EXPECT_EQ(text(*window, "protection"), "9");
    const QPixmap shown = child<QLabel>(*window, "trackPicture")->pixmap();
    EXPECT_EQ(shown.size(), QSize(348, 87));
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(SessionTrackWindowTest, TrackDeletedFromTheDatabaseIsForgottenOnValider) {
    writeSessionOnTrack("Ancienne piste", 1);
    const auto window = open();
    EXPECT_EQ(child<QComboBox>(*window, "trackList")->currentIndex(), 0);
    EXPECT_EQ(text(*window, "trackName"), "");
    EXPECT_EQ(text(*window, "protection"), "2");
    QTest::mouseClick(child<QPushButton>(*window, "okButton"), Qt::LeftButton);

    SessionHeader saved;
    savedSession(&saved);
    EXPECT_EQ(saved.trackName, "");
    EXPECT_EQ(saved.minLapSeconds, 2);
    EXPECT_EQ(saved.boardFrozen, 1);
    EXPECT_EQ(saved.selectedTreeItem, 900);
}

struct ChoiceRow {
    const char* name;
    const char* openOn;
    int item;
    const char* typed; // nullptr: nothing typed after choosing
    const char* shownProtection;
    const char* savedTrack;
    int savedSeconds;
    const char* recordLine;
};

class SessionTrackChoiceTest : public SessionTrackWindowTest,
                               public ::testing::WithParamInterface<ChoiceRow> {};

TEST_P(SessionTrackChoiceTest, SetsTrackAndProtection) {
    const ChoiceRow& row = GetParam();
    writeSessionOnTrack(row.openOn, 9);
    const auto window = open();
    chooseItem(*window, row.item);
    if (row.typed != nullptr)
        typeProtection(*window, row.typed);
    EXPECT_EQ(text(*window, "protection"), QString::fromUtf8(row.shownProtection));
    EXPECT_EQ(common::ToCp1252(text(*window, "recordLine")), row.recordLine);
    QTest::mouseClick(child<QPushButton>(*window, "okButton"), Qt::LeftButton);

    SessionHeader saved;
    savedSession(&saved);
    EXPECT_EQ(saved.trackName, row.savedTrack);
    EXPECT_EQ(saved.minLapSeconds, row.savedSeconds);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SessionTrackChoiceTest,
    ::testing::Values(ChoiceRow{"TrackWithItsProtection", "", 1, nullptr, "5", "Circuit du lac", 5,
                                "0:41.250 par Marc Durand 12/05/2023"},
                      ChoiceRow{"TwelveTyped", "Piste nord", 1, "12", "12", "Circuit du lac", 12,
                                "0:41.250 par Marc Durand 12/05/2023"},
                      ChoiceRow{"EmptyItemResetsToTwo", "Piste nord", 0, nullptr, "2", "", 2, ""},
                      ChoiceRow{"TrackWithoutRecordOrProtection", "Circuit du lac", 2, nullptr, "2",
                                "Piste nord", 2, "Aucun record enregistr\xE9 pour cette piste"}),
    [](const ::testing::TestParamInfo<ChoiceRow>& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::session
