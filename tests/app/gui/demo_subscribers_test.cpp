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
#include "i18n/core/shipped_translations.h"
#include "printing/gui/freeimage_picture_library.h"
#include "runs/core/run_file_path.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace tallimo::app {
namespace {

class DemoSubscribersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "demo_subscribers_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }

    DemoSubscribersTest() {
        CreateMissingDataFiles(root);
        EXPECT_TRUE(i18n::WriteShippedTranslations(folder / "Translation"));
        EXPECT_TRUE(WriteDemoWorkingFolder(root));
    }

    // Shows `window` modally, runs `body`, then presses `closer`.
    static void runModal(QDialog& window, const std::function<void()>& body, const char* closer) {
        QTimer::singleShot(0, &window, [&] {
            if (QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &window; }))
                body();
            QTest::mouseClick(window.findChild<QPushButton*>(closer), Qt::LeftButton);
            if (window.isVisible())
                window.done(-1);
        });
        window.exec();
    }

    static void type(QWidget& window, const char* name, const QString& text) {
        QTest::keyClicks(window.findChild<QLineEdit*>(name), text);
    }
    static QString text(QWidget& window, const char* name) {
        return window.findChild<QLineEdit*>(name)->text();
    }
    static void choose(QWidget& window, const char* combo, const QString& item) {
        auto* box = window.findChild<QComboBox*>(combo);
        const int index = box->findText(item);
        ASSERT_GE(index, 0) << combo << " " << item.toStdString();
        box->setCurrentIndex(index);
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::ScriptedDialogs dialogs;
    testing::FakeLocalClock clock; // 6 December 2026
    printing::FreeImageSession freeImage;
    printing::FreeImagePictureLibrary pictures;
};

TEST_F(DemoSubscribersTest, AnOperatorRegistersASubscriberWithClubCountryPhotoAndBirthDate) {
    databases::SubscribersWindow window(root, dialogs, pictures, clock);
    const QString portrait = QString::fromStdString(root.path("images/Demo/Pilote3.bmp").string());
    window.setFileChooser([&](QWidget*, bool, const QString&) { return portrait; });
    auto* photo = window.findChild<databases::PictureFrame*>("pictureArea");
    runModal(
        window,
        [&] {
            // The demo's first subscriber, sorted by name, has a portrait.
            EXPECT_EQ(window.findChild<QListWidget*>("subscriberList")->count(), 9);
            EXPECT_GT(photo->drawnSize().width, 0);

            type(window, "newNameEdit", "Garnier");
            type(window, "newFirstNameEdit", "Camille");
            QTest::mouseClick(window.findChild<QPushButton*>("addButton"), Qt::LeftButton);
            EXPECT_EQ(text(window, "subscriberNameEdit"), "Garnier Camille");
            EXPECT_EQ(photo->drawnSize().width, 0);
            choose(window, "countryCombo", "Belgique");
            choose(window, "clubCombo", "ASK Pins");
            choose(window, "yearCombo", "2015");
            window.findChild<QComboBox*>("monthCombo")->setCurrentIndex(2); // March
            choose(window, "dayCombo", "14");
            QTest::mouseClick(window.findChild<QRadioButton*>("womanRadio"), Qt::LeftButton);
            EXPECT_EQ(text(window, "ageCategoryEdit"), "( ENF : Enfants filles )");
            QTest::mouseDClick(photo, Qt::LeftButton);
            EXPECT_GT(photo->drawnSize().width, 0);
        },
        "okButton");
    ASSERT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.asked.empty());

    databases::SubscriberTable saved = databases::MakeSubscriberTable();
    ASSERT_TRUE(databases::LoadSubscribers(saved, root.path(databases::kSubscribersFileName)));
    const auto found = std::find_if(saved.begin(), saved.end(), [](const auto& subscriber) {
        return subscriber.name == "Garnier";
    });
    ASSERT_NE(found, saved.end());
    EXPECT_EQ(found->country, "Belgique");
    EXPECT_EQ(found->club, "ASK Pins");
    EXPECT_EQ(found->photoPath, portrait.toStdString());
    EXPECT_EQ(found->birthYear, 115);
    EXPECT_EQ(found->birthMonth, 2);
    EXPECT_TRUE(std::filesystem::exists(runs::RunFilePath(root, "Garnier", "Camille")));

    // The first names window shows her first name with the calendar's nameday.
    databases::FirstNameTable calendar =
        databases::MakeFirstNameTable(databases::kCalendarFirstNames);
    ASSERT_TRUE(databases::LoadFirstNames(calendar, root.path(databases::kCalendarFileName)));
    const int entry = databases::FindNormalisedFirstName(calendar, "Camille");
    ASSERT_GE(entry, 0);
    const databases::SubscriberFirstName& nameday = calendar[static_cast<std::size_t>(entry)];

    databases::FirstNamesWindow names(root, dialogs);
    runModal(
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
