// The classification window headless, on a working folder with kart
// categories, subscribers, age categories and a session file: what it
// ranks, how the filters and orders take effect, the ticking, the scroll
// bar, the live updates, the CSV export and the printout.

#include "common/gui/text_conversion.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "printing/gui/report_printer.h"
#include "session/gui/classification_report.h"
#include "session/gui/classification_window.h"
#include "tests/session/gui/session_window_fixture.h"
#include "tests/support/fake_clocks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace tallimo::session {
namespace {

std::vector<std::string> Labels(const ClassificationTable& table) {
    std::vector<std::string> labels;
    for (const ClassificationEntry& entry : table)
        labels.push_back(entry.kartLabel);
    return labels;
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class ClassificationWindowTest : public SessionWindowTest {
protected:
    // Adultes: K1 Martin (10 laps in 5:00.000, best 29.1 s), K2 Durand, a
    // woman (10 laps in 4:59.500, best 29.4 s), K3 Petit, no subscriber,
    // finished (8 laps, best 29.0 s), K4 reserved. Juniors: K101 Roux, a
    // woman. Private: KP1 on its start passing only.
    ClassificationWindowTest() {
        databases::CategoryTable categories;
        databases::ClearCategories(categories);
        categories[0].name = "Adultes";
        categories[1].name = "Juniors";
        EXPECT_TRUE(databases::SaveCategoriesDatabase(root, categories, ignoredMessages));

        databases::SubscriberTable people = databases::MakeSubscriberTable();
        const auto person = [&people](int i, const char* name, const char* first, int sex,
                                      int year) {
            databases::Subscriber& one = people[static_cast<std::size_t>(i)];
            one.name = name;
            one.firstName = first;
            one.club = "Rapides";
            one.sex = sex;
            databases::SetBirthDate(one, {3, 5, year});
        };
        person(0, "Durand", "Julie", 0, 95);
        person(1, "Martin", "Paul", 1, 80);
        person(2, "Roux", "Emma", 0, 110);
        EXPECT_TRUE(databases::SaveSubscribersDatabase(root, people, ignoredMessages));

        databases::AgeCategoryTable ages;
        databases::ClearAgeCategories(ages);
        ages[0] = {"SEN", "Seniors", 1, 0, 50, 11, 99, 50 * 12, 99 * 12 + 11};
        ages[1] = {"DAM", "Dames", 0, 0, 50, 11, 99, 50 * 12, 99 * 12 + 11};
        EXPECT_TRUE(databases::SaveAgeCategoriesDatabase(root, ages, ignoredMessages));

        ClearSession(*session);
        session->categories[0].categoryName = "Adultes";
        session->categories[1].categoryName = "Juniors";
        session->categories[kPrivateCategoryIndex].categoryName = kPrivateCategoryName;
        kart(0, 0, "Martin", "Paul", TrackState::Timing, 10, 300000, 29100);
        kart(0, 1, "Durand", "Julie", TrackState::Timing, 10, 299500, 29400);
        kart(0, 2, "Petit", "Luc", TrackState::Finished, 8, 250000, 29000);
        kart(0, 3, "Blanc", "Marc", TrackState::Reserved, 0, 0, 0);
        kart(1, 0, "Roux", "Emma", TrackState::Timing, 5, 150000, 29800);
        kart(kPrivateCategoryIndex, 0, "Noir", "Jean", TrackState::Timing, 0, 0, 0);
        header.trackName = "Piste nord";
        saveSession();
    }

    ~ClassificationWindowTest() override { delete window.data(); }

    SessionKart& kart(int category, int slot, const char* name, const char* first, TrackState state,
                      int laps, std::int32_t total, std::int32_t best) {
        SessionKart& one = session->kart(category, slot);
        one.kartLabel = KartLabelFor(category, slot);
        one.driverName = name;
        one.driverFirstName = first;
        one.usage = KartUsage::InSession;
        one.trackState = state;
        one.lapCount = laps;
        one.totalTime = total;
        one.bestLap = best;
        return one;
    }

    ClassificationWindow& open(int category, const printing::ReportPrinter* printer = nullptr) {
        window = new ClassificationWindow(root, dialogs, clock, category, printer);
        return *window;
    }

    void click(const char* button) {
        QTest::mouseClick(child<QAbstractButton>(*window, button), Qt::LeftButton);
    }
    void choose(const char* combo, const char* text) {
        auto* list = child<QComboBox>(*window, combo);
        const int item = list->findText(common::FromCp1252(text));
        ASSERT_GE(item, 0) << text;
        list->setCurrentIndex(item);
    }
    ClassificationView& view() {
        auto* found = dynamic_cast<ClassificationView*>(
            window->findChild<QWidget*>(QStringLiteral("rankingView")));
        EXPECT_NE(found, nullptr);
        return *found;
    }
    std::string title() const { return common::ToCp1252(window->titleText()); }

    testing::FakeLocalClock clock;
    QPointer<ClassificationWindow> window;
};

TEST_F(ClassificationWindowTest, OpensOnTheTrophysCategoryRankedByLapsAndTime) {
    open(0);
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.texts().front();
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K2", "K1", "K3"}))
        << "reserved karts are not ranked";
    EXPECT_EQ(title(), "Classement de la s\xE9"
                       "ance : Adultes");
    auto* kartList = child<QComboBox>(*window, "kartCategoryCombo");
    EXPECT_EQ(kartList->currentText(), QStringLiteral("Adultes"));
    EXPECT_EQ(kartList->count(), 4) << "Toutes, two categories, private karts";
    auto* ageList = child<QComboBox>(*window, "ageCategoryCombo");
    EXPECT_EQ(ageList->itemText(2), QStringLiteral("DAM (Dames)"));
    EXPECT_FALSE(child<QPushButton>(*window, "printButton")->isEnabled()) << "no printer";
}

TEST_F(ClassificationWindowTest, FiltersTakeEffectAtTheUpdateOnly) {
    struct Case {
        const char* name;
        const char* kartCategory;
        const char* ageCategory;
        bool men;
        bool women;
        std::vector<std::string> labels;
        std::string title;
    };
    const Case cases[] = {
        {"every category",
         "Toutes",
         "Toutes",
         true,
         true,
         {"K2", "K1", "K3", "K101", "KP1"},
         "Classement de la s\xE9"
         "ance"},
        {"an age category",
         "Toutes",
         "DAM (Dames)",
         true,
         true,
         {"K2"},
         "Classement de la s\xE9"
         "ance : DAM (Dames)"},
        {"men of a category, non-subscribers counting as men",
         "Adultes",
         "Toutes",
         true,
         false,
         {"K1", "K3"},
         "Classement de la s\xE9"
         "ance : Adultes / Hommes"},
        {"women",
         "Toutes",
         "Toutes",
         false,
         true,
         {"K2", "K101"},
         "Classement de la s\xE9"
         "ance / Femmes"},
        {"no sex ticked", "Toutes", "Toutes", false, false, {}, kNoSexSelectedText},
    };
    open(0);
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        const ClassificationTable before = window->shown();
        choose("kartCategoryCombo", one.kartCategory);
        choose("ageCategoryCombo", one.ageCategory);
        child<QCheckBox>(*window, "menCheck")->setChecked(one.men);
        child<QCheckBox>(*window, "womenCheck")->setChecked(one.women);
        EXPECT_EQ(window->shown(), before) << "choosing alone changes nothing";
        click("updateButton");
        EXPECT_EQ(Labels(window->shown()), one.labels);
        EXPECT_EQ(title(), one.title);
    }
    EXPECT_EQ(window->printJob().pageCount, 0) << "nothing to print without rows";
}

TEST_F(ClassificationWindowTest, TheModeOrdersAtTheNextUpdateOrLap) {
    open(0);
    click("modeBestRadio");
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K2", "K1", "K3"}));
    click("updateButton");
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K3", "K1", "K2"}));
    click("modeLapsRadio");
    SessionKart lap = session->kart(0, 0);
    lap.lapCount = 11;
    lap.totalTime = 330000;
    window->liveUpdate(lap);
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K1", "K2", "K3"}));
    EXPECT_EQ(window->shown()[0].laps, 11);
}

TEST_F(ClassificationWindowTest, RemovedDriversStayOutThroughLapsUntilTheUpdate) {
    open(0);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, view().boxCentre(1));
    ASSERT_EQ(window->shown()[1].kartLabel, "K1");
    EXPECT_FALSE(window->shown()[1].selected);
    EXPECT_TRUE(window->shown()[0].selected);

    // A lap before the removal keeps the box unticked.
    SessionKart lap = session->kart(0, 2);
    lap.lapCount = 12;
    window->liveUpdate(lap);
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K3", "K2", "K1"}));
    EXPECT_FALSE(window->shown()[2].selected);

    QTest::mouseClick(&view(), Qt::LeftButton, {}, view().removeButtonCentre());
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K3", "K2"}));
    lap.lapCount = 13;
    window->liveUpdate(lap);
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K3", "K2"}));

    click("updateButton");
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K3", "K2", "K1"}));
}

TEST_F(ClassificationWindowTest, LapsOfKartsBookedAfterOpeningBringThemIn) {
    open(0);
    SessionKart started = session->kart(0, 3);
    started.trackState = TrackState::Timing;
    started.lapCount = 11;
    started.totalTime = 200000;
    window->liveUpdate(started);
    EXPECT_EQ(Labels(window->shown()), (std::vector<std::string>{"K4", "K2", "K1", "K3"}));
    EXPECT_EQ(LoadSessionFile(root, *session, header), true);
    EXPECT_EQ(session->kart(0, 3).trackState, TrackState::Reserved) << "the file is never written";
}

TEST_F(ClassificationWindowTest, TheScrollBarShowsBeyondEighteenRowsAndHoldsThroughLaps) {
    for (int slot = 4; slot < 20; ++slot)
        kart(0, slot, "Vert", "Eric", TrackState::Timing, 3, 90000 + slot, 29900);
    saveSession();
    open(0);
    ASSERT_EQ(window->shown().size(), 19u);
    EXPECT_EQ(window->scrollRange(), 1);
    auto* bar = child<QScrollBar>(*window, "scrollBar");
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bar->value(), 1) << "a click below the thumb goes to the last rows";
    window->liveUpdate(session->kart(0, 5));
    EXPECT_EQ(bar->value(), 1);
    click("updateButton");
    EXPECT_EQ(bar->value(), 0);

    // Unticking on a scrolled view unticks the row shown there.
    bar->setValue(1);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, view().boxCentre(0));
    EXPECT_FALSE(window->shown()[1].selected);

    choose("kartCategoryCombo", "Juniors");
    click("updateButton");
    EXPECT_EQ(window->scrollRange(), 0);
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(ClassificationWindowTest, ExportWritesTheShownRankingOrSaysWhyNot) {
    open(0);
    QString proposed;
    std::filesystem::path target = folder / "out.csv";
    window->setExportChooser([&](QWidget*, const QString& offer) {
        proposed = offer;
        return common::PathText(target);
    });
    click("exportButton");
    EXPECT_EQ(proposed, common::PathText(folder / "Classement.csv"));
    EXPECT_EQ(folder.read("out.csv"), ClassificationCsv(window->shown()));
    EXPECT_TRUE(dialogs.asked.empty());

    target = folder / "missing" / "out.csv";
    click("exportButton");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].caption, "Error");
    EXPECT_NE(dialogs.asked[0].text.find("out.csv"), std::string::npos);
}

TEST_F(ClassificationWindowTest, AMissingSessionFileGivesItsMessageAndAnEmptyRanking) {
    std::filesystem::remove(root.path(kSessionFileName));
    open(0);
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{kSessionFileErrorText});
    EXPECT_TRUE(window->shown().empty());
}

TEST_F(ClassificationWindowTest, ThePrintoutHasThirtyRowsAPage) {
    testing::QtPictures pictures;
    const printing::ReportPrinter printer(root, pictures);
    open(0, &printer);
    EXPECT_TRUE(child<QPushButton>(*window, "printButton")->isEnabled());
    EXPECT_EQ(window->printJob().pageCount, 1);

    ClassificationTable rows(31, window->shown()[0]);
    for (const auto& [count, pages] : {std::pair{30, 1}, std::pair{31, 2}}) {
        SCOPED_TRACE(count);
        rows.resize(static_cast<std::size_t>(count));
        const printing::ReportJob job =
            MakeClassificationJob(rows,
                                  "Classement de la S\xE9"
                                  "ance",
                                  "Piste : Piste nord", "Date : 06 / 12 / 2026  (14:30:00)");
        ASSERT_TRUE(printer.writePdf(folder / "ranking.pdf", job));
        EXPECT_EQ(CountOf(folder.read("ranking.pdf"), "/Type /Page\n"), pages);
    }
}

} // namespace
} // namespace tallimo::session
