#include "databases/gui/kart_categories_window.h"

#include "tests/support/gui/modal_window.h"

#include <QListWidget>

#include <array>
#include <cstdlib>
#include <filesystem>
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

class KartCategoriesWindowTest : public testing::WindowTest {
protected:
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

    int run(const std::function<void(KartCategoriesWindow&)>& body,
            const char* closer = "okButton") {
        KartCategoriesWindow window(root(), m_dialogs, m_pictures);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    static void select(QWidget& window, int row) {
        auto* list = window.findChild<QListWidget*>("categoryList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    static void add(QWidget& window, const char* typed) {
        type(window, "newNameEdit", QString::fromUtf8(typed));
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
};

TEST_F(KartCategoriesWindowTest, CategoriesKeepTheirSlots) {
    const struct {
        const char* seeded;
        const char* action; // "+typed name" to add or "-row" to delete
        const char* after;
    } cases[] = {{"", "+Adultes", "Adultes"},
                 {"A|B|C|D|E", "+F", "A|B|C|D|E"},
                 {"A||C||E", "+Neuf", "A|Neuf|C||E"},
                 {"A||B|C", "-1", "A|||C"},
                 {"A||B|C", "-2", "A||B"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.seeded) + " " + c.action);
        CategoryTable expected = seed(c.seeded);
        const auto names = SlotNames(c.after);
        for (int slot = 0; slot < kCategorySlots; ++slot) {
            // A deleted category takes its karts with it; an added one starts bare.
            if (expected[slot].name != names[slot]) {
                expected[slot] = KartCategory{};
                expected[slot].name = names[slot];
            }
        }
        EXPECT_EQ(run([&](KartCategoriesWindow& window) {
                      if (*c.action == '+') {
                          add(window, c.action + 1);
                      } else {
                          select(window, std::atoi(c.action + 1));
                          click(window, "deleteButton");
                      }
                      EXPECT_EQ(listed(window), listedFrom(c.after));
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(saved(), expected);
    }
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(KartCategoriesWindowTest, TypedTextLandsInTheSelectedCategoryOnly) {
    const struct {
        const char* field;
        QString typed; // '\n' for Return
        std::string stored;
    } cases[] = {{"description", QString::fromUtf8("390 cm³ été"), "390 cm\xB3 \xE9t\xE9"},
                 {"characteristics", "L1\nL2\nL3", "L1\r\nL2\r\nL3"},
                 // No half line break at the limit.
                 {"characteristics", QString(397, 'c') + '\n', std::string(397, 'c')}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        CategoryTable expected = seed("A|B|C");
        (std::string(c.field) == "description" ? expected[1].description
                                               : expected[1].characteristics) = c.stored;
        run([&](KartCategoriesWindow& window) {
            select(window, 1);
            auto* edit =
                window.findChild<QWidget*>(QString::fromUtf8(c.field) + QStringLiteral("Edit"));
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            for (const QChar character : c.typed) {
                if (character == '\n')
                    QTest::keyClick(edit, Qt::Key_Return);
                else
                    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character),
                                        Qt::NoModifier);
            }
            select(window, 0);
            EXPECT_EQ(text(window, "descriptionEdit"), "about A");
        });
        EXPECT_EQ(saved(), expected);
    }
}

TEST_F(KartCategoriesWindowTest, OnlyOkWritesTheFile) {
    const struct {
        const char* closer;
        int result;
        const char* added;
    } rows[] = {{"okButton", QDialog::Accepted, "Nouveau"},
                {"cancelButton", QDialog::Rejected, ""},
                {"close box", QDialog::Rejected, ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.closer);
        const CategoryTable before = seed("A");
        EXPECT_EQ(run([&](KartCategoriesWindow& window) { add(window, "Nouveau"); }, row.closer),
                  row.result);
        EXPECT_EQ(saved()[1].name, row.added);
        EXPECT_EQ(saved()[0], before[0]);
    }
}

TEST_F(KartCategoriesWindowTest, ImportNeedsAReadableFileAndExportAFolder) {
    CategoryTable imported{};
    imported[3].name = "Seniors";
    m_folder.write("in.bds2", FormatCategoriesFile(imported, kCategorySlots));
    const CategoryTable before = seed("|B");
    run(
        [&](KartCategoriesWindow& window) {
            for (const char* chosen : {"", "missing.bds2"}) {
                m_chosen = *chosen ? path(chosen) : QString();
                click(window, "importButton");
                EXPECT_EQ(listed(window), std::vector<std::string>{"1 B"}) << chosen;
            }
            for (const char* chosen : {"out", "kept.bds2", "none/out"}) {
                m_chosen = path(chosen);
                click(window, "exportButton");
            }
            m_chosen = path("in.bds2");
            click(window, "importButton");
            EXPECT_EQ(listed(window), std::vector<std::string>{"1 Seniors"});
        },
        "okButton");
    // The export after the failed imports holds every slot as it was.
    EXPECT_EQ(m_folder.read("out.bds2"), FormatCategoriesFile(before, kCategorySlots));
    EXPECT_EQ(m_folder.read("kept.bds2"), FormatCategoriesFile(before, kCategorySlots));
    EXPECT_EQ(saved(), imported);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{kCategoriesImportErrorText, kCategoriesExportErrorText}));
    ASSERT_EQ(m_filters.size(), 6);
    EXPECT_TRUE(m_filters[0].startsWith("open ") && m_filters[2].startsWith("save ") &&
                m_filters[5].startsWith("open "));
}

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

} // namespace
} // namespace tallimo::databases
