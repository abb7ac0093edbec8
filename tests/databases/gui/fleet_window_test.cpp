// The rental fleet window, headless, with a port the test feeds; the scan
// through the decoder simulator is proved by the operator chain test.

#include "databases/gui/fleet_window.h"

#include "decoder/core/decoder_settings.h"
#include "tests/support/chunked_port.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QComboBox>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

using testing::Bytes;
using testing::ChunkedPort;

const std::string kVela2 = "COM7\t1\tTallimoVela2\n";
const std::string kVela1 = "COM7\t1\tTallimo\n";

const std::string kComPortError = "Error : 'COM port' file not found";
const std::string kDatabaseError = "Error : 'Go-karts categories' database file not found";

// Two categories with a free slot between them; "Adultes" has K1, K2 and
// K4 (K3 was removed).
CategoryTable SampleFleet() {
    CategoryTable table;
    table[0].name = "Adultes";
    table[0].karts[0] = {"K1", "000101"};
    table[0].karts[1] = {"K2", "000102"};
    table[0].karts[3] = {"K4", ""};
    table[2].name = "Enfants";
    table[2].karts[0] = {"K201", "000201"};
    return table;
}

class FleetWindowTest : public testing::WindowTest {
protected:
    FleetWindowTest() {
        m_folder.write(decoder::kDecoderSettingsFileName, kVela2);
        EXPECT_TRUE(SaveCategories(SampleFleet(), kCategorySlots, m_folder / kCategoriesFileName));
    }

    std::string fleetFile() const { return m_folder.read(kCategoriesFileName); }
    CategoryTable savedFleet() const {
        CategoryTable table;
        EXPECT_TRUE(LoadCategories(table, m_folder / kCategoriesFileName));
        return table;
    }

    int run(const std::function<void(FleetWindow&)>& body, const std::string& closer = "okButton") {
        FleetWindow window(root(), m_dialogs, m_port, m_ticks);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    static QStringList karts(FleetWindow& window) { return items(window, "kartList"); }
    static void selectKart(FleetWindow& window, const QString& id) {
        auto* list = window.findChild<QListWidget*>("kartList");
        const auto found = list->findItems(id, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << id.toStdString();
        list->setCurrentItem(found.front());
    }
    static void typeTransponder(FleetWindow& window, const QString& typed) {
        auto* edit = window.findChild<QLineEdit*>("transponderEdit");
        edit->setFocus();
        // Typed over the selection, so the field is never empty on the way.
        edit->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, typed);
    }

    std::vector<std::string> texts() const { return m_dialogs.texts(); }

    testing::FakeTickSource m_ticks;
    ChunkedPort m_port;
};

TEST_F(FleetWindowTest, OpensOnTheFirstKartAndReusesARemovedKartsLabel) {
    run([&](FleetWindow& window) {
        EXPECT_EQ(window.findChild<QComboBox*>("categoryList")->itemText(1), "Enfants");
        EXPECT_EQ(karts(window), (QStringList{"K1", "K2", "K4"}));
        EXPECT_EQ(text(window, "transponderEdit"), "000101");
        selectKart(window, "K2");
        EXPECT_EQ(text(window, "positionEdit"), "2");
        click(window, "removeButton");
        EXPECT_EQ(karts(window), (QStringList{"K1", "K4"}));
        EXPECT_EQ(text(window, "kartIdEdit"), "K1");
        EXPECT_EQ(text(window, "positionEdit"), "1");
        click(window, "addButton");
        EXPECT_EQ(text(window, "kartIdEdit"), "K2");
    });
    EXPECT_EQ(texts(), (std::vector<std::string>{"The Kart K2 has been removed",
                                                 "The Kart K2 has been added"}));
    EXPECT_EQ(savedFleet()[0].karts[1], (FleetKart{"K2", ""}));
}

TEST_F(FleetWindowTest, MissingFilesAreReportedAndTheWindowOpensEmpty) {
    std::filesystem::remove(m_folder / decoder::kDecoderSettingsFileName);
    std::filesystem::remove(m_folder / kCategoriesFileName);
    EXPECT_EQ(run([&](FleetWindow& window) { EXPECT_TRUE(karts(window).isEmpty()); }, "escape"),
              QDialog::Rejected);
    EXPECT_EQ(texts(), (std::vector<std::string>{kComPortError, kDatabaseError}));
}

TEST_F(FleetWindowTest, TypedTransponderIsStoredOnlyComplete) {
    const struct {
        const char* typed;
        const char* shown;
        const char* stored;
    } rows[] = {{"12345", "12345", "000102"}, {"12ab3456", "123456", "123456"}, {"", "", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        run([&](FleetWindow& window) {
            selectKart(window, "K2");
            typeTransponder(window, QString::fromUtf8(row.typed));
            EXPECT_EQ(text(window, "transponderEdit"), QString::fromUtf8(row.shown));
        });
        EXPECT_EQ(savedFleet()[0].karts[1].transponder, row.stored);
    }
}

// ---- Scanning from a port the test feeds ----

TEST_F(FleetWindowTest, ScanPutsTheScannedNumberIntoTheSelectedKart) {
    const struct {
        const char* name;
        std::string settings;
        std::vector<std::string> chunks; // each waits until the window has read the one before
        QString shown;
    } cases[] = {
        {"framed record split across ticks",
         kVela2,
         {Bytes({0x00, 0xFF, 0xFF, 0xFF, 0xF0, 0x30}), Bytes({0x39, 1, 2, 3, 4, 5})},
         "012345"},
        {"later passing overwrites", kVela1, {Bytes({0x04, 0xD2}), Bytes({0x00, 0x09})}, "000009"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_folder.write(decoder::kDecoderSettingsFileName, c.settings);
        run([&](FleetWindow& window) {
            selectKart(window, "K4");
            click(window, "scanButton");
            EXPECT_EQ(text(window, "scanStateEdit"), "On");
            EXPECT_TRUE(window.findChild<QLineEdit*>("transponderEdit")->isReadOnly());
            for (const std::string& chunk : c.chunks) {
                m_port.arrive(chunk);
                EXPECT_TRUE(QTest::qWaitFor([&] { return m_port.drained(); }));
            }
            (void)QTest::qWaitFor([&] { return text(window, "transponderEdit") == c.shown; });
            EXPECT_EQ(text(window, "transponderEdit"), c.shown);
        });
        EXPECT_EQ(savedFleet()[0].karts[3], (FleetKart{"K4", c.shown.toStdString()}));
        EXPECT_EQ(savedFleet()[0].karts[0], (FleetKart{"K1", "000101"}));
    }
}

// ---- Closing ----

TEST_F(FleetWindowTest, WritesOnlyOnOk) {
    const struct {
        const char* closer;
        int result;
    } rows[] = {{"okButton", QDialog::Accepted},
                {"cancelButton", QDialog::Rejected},
                {"close box", QDialog::Rejected},
                {"escape", QDialog::Rejected}};
    const std::string before = fleetFile();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.closer);
        EXPECT_EQ(run(
                      [&](FleetWindow& window) {
                          click(window, "addButton");
                          typeTransponder(window, "424242");
                      },
                      row.closer),
                  row.result);
        CategoryTable expected = SampleFleet();
        if (row.result == QDialog::Accepted) {
            expected[0].karts[2] = {"K3", "424242"};
            EXPECT_EQ(savedFleet(), expected);
            m_folder.write(kCategoriesFileName, before);
        } else {
            EXPECT_EQ(fleetFile(), before);
        }
    }
}

TEST_F(FleetWindowTest, FailedSaveKeepsTheWindowOpen) {
    run(
        [&](FleetWindow& window) {
            click(window, "addButton");
            // A folder where the file should be: the write cannot succeed.
            std::filesystem::remove(m_folder / kCategoriesFileName);
            std::filesystem::create_directory(m_folder / kCategoriesFileName);
            click(window, "okButton");
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(window.categories()[0].karts[2].kartId, "K3");
        },
        "escape");
    EXPECT_EQ(texts(), (std::vector<std::string>{"The Kart K3 has been added", kDatabaseError}));
}

} // namespace
} // namespace tallimo::databases
