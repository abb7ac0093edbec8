// The demo's subscribers as an operator meets them: the shipped portraits
// read through the program's own image library, the age categories and
// clubs of the demo, and a new subscriber registered and found again with
// the nameday of the calendar.

#include "app/core/demo_working_folder.h"
#include "app/core/first_start.h"
#include "databases/core/first_names_file.h"
#include "databases/core/subscribers_file.h"
#include "databases/gui/database_widgets.h"
#include "databases/gui/first_names_window.h"
#include "databases/gui/subscribers_window.h"
#include "printing/gui/freeimage_picture_library.h"
#include "runs/core/run_file_path.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QComboBox>
#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace tallimo::app {
namespace {

class DemoSubscribersTest : public testing::WindowTest {
protected:
    DemoSubscribersTest() {
        CreateMissingDataFiles(root());
        EXPECT_TRUE(WriteDemoWorkingFolder(root(), clock.now()));
    }

    static void choose(QWidget& window, const char* combo, const QString& item) {
        auto* box = window.findChild<QComboBox*>(QLatin1String(combo));
        const int index = box->findText(item);
        ASSERT_GE(index, 0) << combo << " " << item.toStdString();
        box->setCurrentIndex(index);
    }

    testing::FakeLocalClock clock; // 6 December 2026
    // The program's own image library, so the demo's portraits are proved
    // readable by what draws them.
    printing::FreeImageSession freeImage;
    printing::FreeImagePictureLibrary pictures;
};

TEST_F(DemoSubscribersTest, AnOperatorRegistersASubscriberWithClubCountryPhotoAndBirthDate) {
    databases::SubscribersWindow window(root(), m_dialogs, pictures, clock);
    const QString portrait = path("images/Demo/Pilote3.bmp");
    m_chosen = portrait;
    chooseFiles(window);
    auto* photo = window.findChild<databases::PictureFrame*>("pictureArea");
    testing::RunModal(
        window,
        [&] {
            // The demo's first subscriber, sorted by name, has a portrait.
            EXPECT_EQ(window.findChild<QListWidget*>("subscriberList")->count(), 9);
            EXPECT_GT(photo->drawnSize().width, 0);

            type(window, "newNameEdit", "Garnier");
            type(window, "newFirstNameEdit", "Camille");
            click(window, "addButton");
            EXPECT_EQ(text(window, "subscriberNameEdit"), "Garnier Camille");
            EXPECT_EQ(photo->drawnSize().width, 0);
            choose(window, "countryCombo", "Belgique");
            choose(window, "clubCombo", "ASK Pins");
            choose(window, "yearCombo", "2015");
            window.findChild<QComboBox*>("monthCombo")->setCurrentIndex(2); // March
            choose(window, "dayCombo", "14");
            click(window, "womanRadio");
            EXPECT_EQ(text(window, "ageCategoryEdit"), "( ENF : Enfants filles )");
            QTest::mouseDClick(photo, Qt::LeftButton);
            EXPECT_GT(photo->drawnSize().width, 0);
        },
        "okButton");
    ASSERT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(m_dialogs.asked.empty());

    databases::SubscriberTable saved = databases::MakeSubscriberTable();
    ASSERT_TRUE(databases::LoadSubscribers(saved, root().path(databases::kSubscribersFileName)));
    const auto found = std::find_if(saved.begin(), saved.end(), [](const auto& subscriber) {
        return subscriber.name == "Garnier";
    });
    ASSERT_NE(found, saved.end());
    EXPECT_EQ(found->country, "Belgique");
    EXPECT_EQ(found->club, "ASK Pins");
    EXPECT_EQ(found->photoPath, portrait.toStdString());
    EXPECT_EQ(found->birthYear, 115);
    EXPECT_EQ(found->birthMonth, 2);
    EXPECT_TRUE(std::filesystem::exists(runs::RunFilePath(root(), "Garnier", "Camille")));

    // The first names window shows her first name with the calendar's nameday.
    databases::FirstNameTable calendar =
        databases::MakeFirstNameTable(databases::kCalendarFirstNames);
    ASSERT_TRUE(databases::LoadFirstNames(calendar, root().path(databases::kCalendarFileName)));
    const int entry = databases::FindNormalisedFirstName(calendar, "Camille");
    ASSERT_GE(entry, 0);
    const databases::SubscriberFirstName& nameday = calendar[static_cast<std::size_t>(entry)];

    databases::FirstNamesWindow names(root(), m_dialogs);
    testing::RunModal(
        names,
        [&] {
            auto* list = names.findChild<QListWidget*>("nameList");
            const auto items = list->findItems("Camille", Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            list->setCurrentItem(items.front());
            EXPECT_EQ(names.findChild<QComboBox*>("dayCombo")->currentIndex(), nameday.namedayDay);
            EXPECT_EQ(names.findChild<QComboBox*>("monthCombo")->currentIndex(),
                      nameday.namedayMonth);
        },
        "cancelButton");
}

} // namespace
} // namespace tallimo::app
