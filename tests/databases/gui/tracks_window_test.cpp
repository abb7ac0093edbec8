#include "databases/gui/tracks_window.h"

#include "tests/support/gui/modal_window.h"

#include <QListWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallimo::databases {
namespace {

// Near enough for a JPEG's compression.
bool IsRed(const QColor& color) {
    return color.red() > 200 && color.green() < 60 && color.blue() < 60;
}

std::string Line(const std::string& name, const std::string& rest = "\t\t\t0\t\t\t\t") {
    return name + "\t" + rest + "\t\n";
}

std::string Lines(const QStringList& names) {
    std::string bytes;
    for (const QString& name : names)
        bytes += Line(name.toStdString());
    return bytes;
}

class TracksWindowTest : public testing::WindowTest {
protected:
    TracksWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        std::filesystem::create_directories(m_folder / "images");
        writeRedPicture("wide.bmp");
        writeRedPicture("wide.jpg");
        m_folder.write("broken.bmp", "not a picture");
    }

    void writeTracks(const std::string& bytes) const { m_folder.write(kFile, bytes); }
    std::string tracksFile() const { return m_folder.read(kFile); }

    int run(const std::function<void(TracksWindow&)>& body,
            const std::string& closer = "okButton") {
        TracksWindow window(root(), m_dialogs, m_pictures);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }
    static bool shown(QWidget& window, const char* name) {
        return !window.findChild<QWidget*>(QLatin1String(name))->isHidden();
    }

    const char* kFile = "BaseDonn\xC3\xA9"
                        "esPistes.bd1";
};

QStringList Numbered(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString("P%1").arg(i, 2, 10, QChar('0'));
    return names;
}

TEST_F(TracksWindowTest, AddListsWhatTheRulesAccept) {
    const struct {
        const char* name;
        QStringList typed, listed;
    } rows[] = {{"sorted ignoring case", {"b", "A", "c"}, {"A", "b", "c"}},
                {"eleventh track refused", Numbered(11), Numbered(10)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeTracks("");
        EXPECT_EQ(run([&](TracksWindow& window) {
                      for (const QString& one : row.typed) {
                          type(window, "newNameEdit", one);
                          click(window, "addButton");
                      }
                      EXPECT_EQ(items(window, "trackList"), row.listed);
                      QStringList numbers;
                      for (int i = 1; i <= row.listed.size(); ++i)
                          numbers << QString::number(i);
                      EXPECT_EQ(items(window, "numberList"), numbers);
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(tracksFile(), Lines(row.listed));
    }
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(TracksWindowTest, DeletingTheMiddleTrackKeepsTheOthersInOrder) {
    writeTracks(Line("A") + Line("B") + Line("C"));
    EXPECT_EQ(run([&](TracksWindow& window) {
                  window.findChild<QListWidget*>("trackList")->setCurrentRow(1);
                  EXPECT_EQ(text(window, "trackNameEdit"), "B");
                  click(window, "deleteButton");
                  EXPECT_EQ(items(window, "numberList"), (QStringList{"1", "2"}));
              }),
              QDialog::Accepted);
    EXPECT_EQ(tracksFile(), Line("A") + Line("C"));
}

TEST_F(TracksWindowTest, OnlyOkWritesTheEdits) {
    const struct {
        const char* closer;
        std::string file;
    } rows[] = {{"okButton", Line("Anneau") + Line("Lac", "1250\t456\t\t0\t\t\t\t")},
                {"cancelButton", Line("Anneau") + Line("Lac")},
                {"close box", Line("Anneau") + Line("Lac")}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.closer);
        writeTracks(Line("Anneau") + Line("Lac"));
        run(
            [&](TracksWindow& window) {
                window.findChild<QListWidget*>("numberList")->setCurrentRow(1);
                type(window, "lengthEdit", "12a50x");
                type(window, "protectionEdit", "4567");
                EXPECT_EQ(text(window, "lengthEdit"), "1250") << "digits only, at most four";
            },
            row.closer);
        EXPECT_EQ(tracksFile(), row.file);
    }
}

TEST_F(TracksWindowTest, MissingFileIsReportedAndOkCreatesIt) {
    EXPECT_EQ(run([&](TracksWindow& window) {
                  EXPECT_TRUE(items(window, "trackList").isEmpty());
                  type(window, "lengthEdit", "99"); // no track selected: nowhere to go
                  type(window, "newNameEdit", "Mornay");
                  click(window, "addButton");
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(),
              std::vector<std::string>{"Error: 'Race tracks' database file not found"});
    EXPECT_EQ(tracksFile(), Line("Mornay"));
}

TEST_F(TracksWindowTest, ClearingTheRecordShowsTheNoRecordText) {
    writeTracks(Line("Lac", "800\t20\t1:02.345\t62345\tDupont\tJean\t12/05/2023\t"));
    EXPECT_EQ(run([&](TracksWindow& window) {
                  EXPECT_EQ(text(window, "recordHolderEdit"), "Jean Dupont");
                  EXPECT_FALSE(shown(window, "noRecordLabel"));
                  click(window, "clearRecordButton");
                  EXPECT_FALSE(shown(window, "recordTimeEdit"));
                  EXPECT_TRUE(shown(window, "noRecordLabel"));
              }),
              QDialog::Accepted);
    EXPECT_EQ(tracksFile(), Line("Lac", "800\t20\t\t0\t\t\t\t"));
}

TEST_F(TracksWindowTest, ImportNeedsAReadableFileAndExportAFolder) {
    writeTracks(Line("Anneau"));
    m_folder.write("club.bdt2", Line("Zolder") + Line("Aix"));
    run([&](TracksWindow& window) {
        m_chosen = path("absent.bdt2");
        click(window, "importButton");
        EXPECT_EQ(items(window, "trackList"), QStringList{"Anneau"});
        m_chosen = path("club.bdt2");
        click(window, "importButton");
        EXPECT_EQ(items(window, "trackList"), (QStringList{"Zolder", "Aix"})) << "in file order";
        EXPECT_EQ(text(window, "trackNameEdit"), "Zolder");
        for (const char* name : {"sauvegarde", "copie.bdt2", "absent/sauvegarde"}) {
            m_chosen = path(name);
            click(window, "exportButton");
        }
    });
    EXPECT_EQ(m_filters, (QStringList{"open BD Pistes (*.bdt2)", "open BD Pistes (*.bdt2)",
                                      "save BD Pistes (*.bdt2)", "save BD Pistes (*.bdt2)",
                                      "save BD Pistes (*.bdt2)"}));
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{"Error : Import file 'Race Tracks' not found",
                                        "Error : Export file 'Race tracks' not found"}));
    EXPECT_EQ(m_folder.read("sauvegarde.bdt2"), Line("Zolder") + Line("Aix"));
    EXPECT_EQ(m_folder.read("copie.bdt2"), Line("Zolder") + Line("Aix"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "copie.bdt2.bdt2"));
    EXPECT_EQ(tracksFile(), Line("Zolder") + Line("Aix")) << "Ok writes what the list shows";
}

TEST_F(TracksWindowTest, DoubleClicksChooseAndForgetThePicture) {
    const struct {
        const char* chosen; // with a left double-click, and kept
        bool drawn;
        int conversions;
    } cases[] = {
        {"wide.bmp", true, 0}, {"wide.jpg", true, 1}, {"broken.bmp", false, 0}, {"", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        writeTracks(Line("Lac"));
        m_pictures.converted.clear();
        std::filesystem::remove(m_folder / "images/ConvertionJPEG.bmp");
        m_chosen = c.chosen[0] ? path(c.chosen) : QString();
        run([&](TracksWindow& window) {
            auto* area = window.findChild<QWidget*>("pictureArea");
            QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 20));
            EXPECT_EQ(window.tracks()[0].picture, m_chosen.toStdString());
            EXPECT_EQ(shown(window, "picturePlaceholder"), m_chosen.isEmpty());
            const QImage painted = area->grab().toImage();
            // 100 x 50 fits the box at full width, 348 x 174.
            EXPECT_EQ(IsRed(painted.pixelColor(340, 170)), c.drawn);
            EXPECT_FALSE(IsRed(painted.pixelColor(340, 180)));
            QTest::mouseDClick(area, Qt::RightButton, {}, QPoint(20, 20));
            EXPECT_TRUE(shown(window, "picturePlaceholder"));
        });
        EXPECT_EQ(tracksFile(), Line("Lac"));
        EXPECT_EQ(static_cast<int>(m_pictures.converted.size()), c.conversions);
        EXPECT_EQ(std::filesystem::exists(m_folder / "images/ConvertionJPEG.bmp"),
                  c.conversions > 0);
    }
}

TEST_F(TracksWindowTest, TextsFollowTheInterfaceLanguageOrStayWithoutTheirFile) {
    writeTracks("");
    std::filesystem::remove(m_folder / "Translation/BasePistes.trans");
    run([&](TracksWindow& window) {
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Base de données Pistes"));
    });
    EXPECT_EQ(m_dialogs.texts(),
              std::vector<std::string>{
                  "Error: The translation file 'BasePistes.trans' has not been found"});
    EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation"));
    setLanguages(i18n::LanguageCode::English);
    run([&](TracksWindow& window) { EXPECT_EQ(window.windowTitle(), "Database Race tracks"); });
}

} // namespace
} // namespace tallimo::databases
