#include "databases/gui/kart_categories_window.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

// The five slot names of a table, "A||C||" for A in slot 1 and C in slot 3.
std::array<std::string, kCategorySlots> SlotNames(const char* joined) {
    std::array<std::string, kCategorySlots> names;
    std::size_t slot = 0;
    for (const char* c = joined; *c; ++c) {
        if (*c == '|')
            ++slot;
        else
            names.at(slot) += *c;
    }
    return names;
}

const QRgb kSlotColours[kCategorySlots] = {0xffff0000, 0xff00ff00, 0xff0000ff, 0xffffff00,
                                           0xff00ffff};

class QImagePictures final : public printing::PictureLibrary {
public:
    std::optional<printing::PictureSize> measure(const std::filesystem::path& picture) override {
        const QImage image(QString::fromStdString(picture.string()));
        if (image.isNull())
            return std::nullopt;
        return printing::PictureSize{image.width(), image.height()};
    }
    bool convertJpegToBmp(const std::filesystem::path&, const std::filesystem::path&) override {
        return false;
    }
};

class KartCategoriesWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "kart_categories_window_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }

    KartCategoriesWindowTest() {
        EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation"));
        for (int slot = 0; slot < kCategorySlots; ++slot) {
            QImage picture(100, 62, QImage::Format_RGB32);
            picture.fill(kSlotColours[slot]);
            std::filesystem::create_directories(m_folder / "images");
            const auto file = m_folder / ("images/Kart" + std::to_string(slot + 1) + ".bmp");
            EXPECT_TRUE(picture.save(QString::fromStdString(file.string()), "BMP"));
        }
    }

    // Each named slot gets a description and one kart, so that a cleared
    // slot or a moved category shows in the file.
    CategoryTable seed(const char* joined) {
        CategoryTable table{};
        const auto names = SlotNames(joined);
        for (int slot = 0; slot < kCategorySlots; ++slot) {
            if (names[slot].empty())
                continue;
            table[slot].name = names[slot];
            table[slot].description = "about " + names[slot];
            table[slot].karts[0] = {"K" + std::to_string(100 * slot + 1),
                                    "00042" + std::to_string(slot)};
        }
        m_folder.write(kCategoriesFileName, FormatCategoriesFile(table, kCategorySlots));
        return table;
    }

    CategoryTable saved() const {
        CategoryTable table{};
        ParseCategoriesFile(m_folder.read(kCategoriesFileName), table);
        return table;
    }

    // Runs `body` while the window is shown modally, then presses `closer`
    // ("okButton", "cancelButton") or, when empty, the close box.
    int run(const std::function<void(KartCategoriesWindow&)>& body,
            const char* closer = "okButton") {
        KartCategoriesWindow window(common::WorkingFolder(m_folder.path()), m_dialogs, m_pictures);
        window.setFileChooser([this](QWidget*, bool save, const QString& filter) {
            m_chooserCalls.push_back({save, filter});
            return m_chosenPath;
        });
        QTimer::singleShot(0, &window, [&] {
            const bool shown =
                QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &window; });
            EXPECT_TRUE(shown);
            if (shown)
                body(window);
            if (*closer)
                QTest::mouseClick(window.findChild<QPushButton*>(closer), Qt::LeftButton);
            else
                window.close();
            if (window.isVisible())
                window.reject(); // the expected result code below reports it
        });
        return window.exec();
    }

    static void click(QWidget& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    static void select(QWidget& window, int row) {
        auto* list = window.findChild<QListWidget*>("categoryList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    static void add(QWidget& window, const char* typed) {
        auto* edit = window.findChild<QLineEdit*>("newNameEdit");
        edit->clear();
        QTest::keyClicks(edit, typed);
        click(window, "addButton");
    }
    static std::vector<std::string> listedFrom(const char* joined) {
        std::vector<std::string> rows;
        for (const std::string& name : SlotNames(joined)) {
            if (!name.empty())
                rows.push_back(std::to_string(rows.size() + 1) + " " + name);
        }
        return rows;
    }
    static std::vector<std::string> listed(QWidget& window) {
        std::vector<std::string> rows;
        auto* list = window.findChild<QListWidget*>("categoryList");
        auto* numbers = window.findChild<QListWidget*>("numberList");
        for (int row = 0; row < list->count(); ++row)
            rows.push_back(numbers->item(row)->text().toStdString() + " " +
                           list->item(row)->text().toStdString());
        return rows;
    }
    static QRgb pictureColour(QWidget& window) {
        const QPixmap shown = window.findChild<QLabel*>("pictureBox")->pixmap();
        return shown.isNull() ? 0 : shown.toImage().pixel(10, 10);
    }

    testing::TemporaryFolder m_folder;
    testing::ScriptedDialogs m_dialogs;
    QImagePictures m_pictures;
    QString m_chosenPath;
    std::vector<std::pair<bool, QString>> m_chooserCalls;
};

// (case, seeded slots, "+typed name" to add or "-row" to delete, slots afterwards)
using ListCase = std::tuple<const char*, const char*, const char*, const char*>;
class CategoriesListTest : public KartCategoriesWindowTest,
                           public ::testing::WithParamInterface<ListCase> {};

TEST_P(CategoriesListTest, CategoriesKeepTheirSlots) {
    const auto& [name, seeded, action, after] = GetParam();
    CategoryTable expected = seed(seeded);
    const auto names = SlotNames(after);
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        // A deleted category takes its karts with it; an added one starts bare.
        if (expected[slot].name != names[slot]) {
            expected[slot] = KartCategory{};
            expected[slot].name = names[slot];
        }
    }
    EXPECT_EQ(run([&](KartCategoriesWindow& window) {
                  if (*action == '+') {
                      add(window, action + 1);
                  } else {
                      select(window, std::atoi(action + 1));
                      click(window, "deleteButton");
                  }
                  EXPECT_EQ(listed(window), listedFrom(after));
              }),
              QDialog::Accepted);
    EXPECT_EQ(saved(), expected);
    EXPECT_TRUE(m_dialogs.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, CategoriesListTest,
    ::testing::Values(ListCase{"AddToEmptyTable", "", "+Adultes", "Adultes"},
                      ListCase{"AddCutToFourteen", "", "+Abcdefghijklmnopq", "Abcdefghijklmn"},
                      ListCase{"AddDuplicateIgnoringCase", "Adultes", "+ADULTES", "Adultes"},
                      ListCase{"AddSixthRefused", "A|B|C|D|E", "+F", "A|B|C|D|E"},
                      ListCase{"AddTakesLowestFreeSlot", "A||C||E", "+Neuf", "A|Neuf|C||E"},
                      ListCase{"DeleteMiddleListed", "A||B|C", "-1", "A|||C"},
                      ListCase{"DeleteLastListed", "A||B|C", "-2", "A||B"}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(KartCategoriesWindowTest, CategoryAddedAfterADeleteShowsThePictureOfItsSlot) {
    seed("A|B|C");
    run([&](KartCategoriesWindow& window) {
        EXPECT_EQ(pictureColour(window), kSlotColours[0]);
        select(window, 1);
        click(window, "deleteButton");
        add(window, "D");
        EXPECT_EQ(window.findChild<QLineEdit*>("categoryNameEdit")->text(), "D");
        EXPECT_EQ(pictureColour(window), kSlotColours[1]);
        std::filesystem::remove(m_folder / "images/Kart3.bmp");
        select(window, 2);
        EXPECT_EQ(pictureColour(window), 0u);
    });
}

// (case, field edited, typed text with '\n' for Return, what the second category stores)
using EditCase = std::tuple<const char*, const char*, QString, std::string>;
class CategoriesEditTest : public KartCategoriesWindowTest,
                           public ::testing::WithParamInterface<EditCase> {};

TEST_P(CategoriesEditTest, TypedTextLandsInTheSelectedCategoryOnly) {
    const auto& [name, field, typed, stored] = GetParam();
    CategoryTable expected = seed("A|B|C");
    (std::string(field) == "description" ? expected[1].description : expected[1].characteristics) =
        stored;
    run([&](KartCategoriesWindow& window) {
        select(window, 1);
        auto* edit = window.findChild<QWidget*>(QString(field) + "Edit");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        for (const QChar character : typed) {
            if (character == '\n')
                QTest::keyClick(edit, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character),
                                    Qt::NoModifier);
        }
        select(window, 0);
        EXPECT_EQ(window.findChild<QLineEdit*>("descriptionEdit")->text(), "about A");
    });
    EXPECT_EQ(saved(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CategoriesEditTest,
    ::testing::Values(EditCase{"AccentedDescription", "description",
                               QString::fromUtf8("390 cm³ été"), "390 cm\xB3 \xE9t\xE9"},
                      EditCase{"ThreeLines", "characteristics", "L1\nL2\nL3", "L1\r\nL2\r\nL3"},
                      EditCase{"NoHalfLineBreakAtTheLimit", "characteristics",
                               QString(397, 'c') + '\n', std::string(397, 'c')}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, closing button or "" for the close box, result, file written)
using CloseCase = std::tuple<const char*, const char*, int, bool>;
class CategoriesCloseTest : public KartCategoriesWindowTest,
                            public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CategoriesCloseTest, OnlyOkWritesTheFile) {
    const auto& [name, closer, result, written] = GetParam();
    const CategoryTable before = seed("A");
    EXPECT_EQ(run([&](KartCategoriesWindow& window) { add(window, "Nouveau"); }, closer), result);
    EXPECT_EQ(saved()[1].name, written ? "Nouveau" : "");
    EXPECT_EQ(saved()[0], before[0]);
}

INSTANTIATE_TEST_SUITE_P(Buttons, CategoriesCloseTest,
                         ::testing::Values(CloseCase{"Ok", "okButton", QDialog::Accepted, true},
                                           CloseCase{"Echap", "cancelButton", QDialog::Rejected,
                                                     false},
                                           CloseCase{"CloseBox", "", QDialog::Rejected, false}),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, chosen file, whether it exists, names listed, messages)
using ImportCase =
    std::tuple<const char*, const char*, bool, std::vector<std::string>, std::vector<std::string>>;
class CategoriesImportTest : public KartCategoriesWindowTest,
                             public ::testing::WithParamInterface<ImportCase> {};

TEST_P(CategoriesImportTest, ReplacesTheTableOnlyFromAReadableFile) {
    const auto& [name, chosen, exists, rows, messages] = GetParam();
    CategoryTable imported{};
    imported[3].name = "Seniors";
    if (exists)
        m_folder.write(chosen, FormatCategoriesFile(imported, kCategorySlots));
    const CategoryTable before = seed("A|B");
    m_chosenPath = *chosen ? QString::fromStdString((m_folder / chosen).string()) : QString();
    run([&](KartCategoriesWindow& window) {
        click(window, "importButton");
        EXPECT_EQ(listed(window), rows);
    });
    EXPECT_EQ(saved(), exists ? imported : before);
    EXPECT_EQ(m_dialogs.texts(), messages);
    ASSERT_EQ(m_chooserCalls.size(), 1u);
    EXPECT_FALSE(m_chooserCalls[0].first);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CategoriesImportTest,
    ::testing::Values(ImportCase{"ReadableFile", "in.bds2", true, {"1 Seniors"}, {}},
                      ImportCase{"MissingFileKeepsTable",
                                 "missing.bds2",
                                 false,
                                 {"1 A", "2 B"},
                                 {kCategoriesImportErrorText}},
                      ImportCase{"CancelledDialog", "", false, {"1 A", "2 B"}, {}}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, chosen name, file written, messages)
using ExportCase = std::tuple<const char*, const char*, const char*, std::vector<std::string>>;
class CategoriesExportTest : public KartCategoriesWindowTest,
                             public ::testing::WithParamInterface<ExportCase> {};

TEST_P(CategoriesExportTest, WritesAllFiveSlotsUnderTheExportExtension) {
    const auto& [name, chosen, written, messages] = GetParam();
    const CategoryTable table = seed("|B");
    m_chosenPath = QString::fromStdString((m_folder / chosen).string());
    run([&](KartCategoriesWindow& window) { click(window, "exportButton"); }, "cancelButton");
    if (*written) {
        EXPECT_EQ(m_folder.read(written), FormatCategoriesFile(table, kCategorySlots));
    }
    EXPECT_EQ(m_dialogs.texts(), messages);
    ASSERT_EQ(m_chooserCalls.size(), 1u);
    EXPECT_TRUE(m_chooserCalls[0].first);
}

INSTANTIATE_TEST_SUITE_P(Names, CategoriesExportTest,
                         ::testing::Values(ExportCase{"ExtensionAppended", "out", "out.bds2", {}},
                                           ExportCase{"ExtensionKept", "out.bds2", "out.bds2", {}},
                                           ExportCase{"MissingFolderReported",
                                                      "none/out",
                                                      "",
                                                      {kCategoriesExportErrorText}}),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(KartCategoriesWindowTest, MissingFilesAreEachReportedAndOkCreatesAnEmptyTable) {
    std::filesystem::remove(m_folder / "Translation/BaseCategoriesKarts.trans");
    std::filesystem::remove(m_folder / "Translation/BaseCategoriesAge.trans");
    EXPECT_EQ(run([](KartCategoriesWindow& window) { EXPECT_TRUE(listed(window).empty()); }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{
                  "Error: The translation file 'BaseCategoriesKarts.trans' has not been found",
                  "Error: The translation file 'BaseCategoriesAge.trans' has not been found",
                  kCategoriesFileErrorText}));
    std::string fiveFreeSlots;
    for (int line = 0; line < kCategorySlots; ++line)
        fiveFreeSlots += std::string(63, '\t') + "\n";
    EXPECT_EQ(m_folder.read(kCategoriesFileName), fiveFreeSlots);
}

TEST_F(KartCategoriesWindowTest, FrenchInterfaceChoosesTitleLabelsAndFilter) {
    seed("A");
    ASSERT_TRUE(
        i18n::WriteLanguageSettings(common::WorkingFolder(m_folder.path()),
                                    {i18n::LanguageCode::French, i18n::LanguageCode::English}));
    run(
        [&](KartCategoriesWindow& window) {
            EXPECT_EQ(window.windowTitle(),
                      QString::fromUtf8("Base de données Catégories de karts"));
            EXPECT_EQ(window.findChild<QPushButton*>("addButton")->text(), "Ajouter");
            EXPECT_EQ(window.findChild<QPushButton*>("cancelButton")->text(), "Echap");
            EXPECT_EQ(window.findChild<QLabel*>("descriptionLabel")->text(),
                      "Rapide description :");
            click(window, "exportButton");
        },
        "cancelButton");
    ASSERT_EQ(m_chooserCalls.size(), 1u);
    EXPECT_TRUE(
        m_chooserCalls[0].second.startsWith(QString::fromUtf8("BD Catégories Karts (.bds2)")));
    EXPECT_TRUE(m_chooserCalls[0].second.endsWith("(*.bds2)"));
}

} // namespace
} // namespace tallimo::databases
