#include "databases/gui/tracks_window.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallimo::databases {
namespace {

// Reads and converts pictures with Qt, so the window's drawing can be
// checked on real files; every conversion is recorded.
class QtPictures final : public printing::PictureLibrary {
public:
    std::optional<printing::PictureSize> measure(const std::filesystem::path& picture) override {
        const QImage image(QString::fromStdString(picture.string()));
        if (image.isNull())
            return std::nullopt;
        return printing::PictureSize{image.width(), image.height()};
    }
    bool convertJpegToBmp(const std::filesystem::path& jpeg,
                          const std::filesystem::path& bmp) override {
        converted.push_back(jpeg);
        const QImage image(QString::fromStdString(jpeg.string()));
        return !image.isNull() && image.save(QString::fromStdString(bmp.string()), "BMP");
    }
    std::vector<std::filesystem::path> converted;
};

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

class TracksWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Several window test files share one executable and one application.
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "tracks_window_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    TracksWindowTest() {
        EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation"));
        EXPECT_TRUE(
            i18n::WriteLanguageSettings(common::WorkingFolder(m_folder.path()),
                                        {i18n::LanguageCode::French, i18n::LanguageCode::French}));
        std::filesystem::create_directories(m_folder / "images");
        QImage red(100, 50, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(path("wide.bmp"), "BMP");
        red.save(path("wide.jpg"), "JPG");
        m_folder.write("broken.bmp", "not a picture");
    }

    QString path(const char* name) const {
        return QString::fromStdString((m_folder / name).string());
    }
    void writeTracks(const std::string& bytes) const { m_folder.write(kFile, bytes); }
    std::string tracksFile() const { return m_folder.read(kFile); }

    // Runs `body` while the window is shown modally, then closes it with
    // `closer` (a button name or "close box").
    int run(const std::function<void(TracksWindow&)>& body,
            const std::string& closer = "okButton") {
        TracksWindow window(common::WorkingFolder(m_folder.path()), m_dialogs, m_pictures);
        window.setFileChooser([this](QWidget*, bool save, const QString& filter) {
            m_filters.push_back((save ? "save " : "open ") + filter);
            return m_chosen;
        });
        QTimer::singleShot(0, &window, [&] {
            const bool shown =
                QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &window; });
            EXPECT_TRUE(shown);
            if (shown)
                body(window);
            if (closer == "close box")
                window.close();
            else
                QTest::mouseClick(window.findChild<QPushButton*>(closer.c_str()), Qt::LeftButton);
            if (window.isVisible())
                window.done(-1); // not closed: the caller's check on the result reports it
        });
        return window.exec();
    }

    static void click(TracksWindow& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    static void type(TracksWindow& window, const char* name, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static QStringList items(TracksWindow& window, const char* list) {
        QStringList texts;
        auto* widget = window.findChild<QListWidget*>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
    static QString text(TracksWindow& window, const char* edit) {
        return window.findChild<QLineEdit*>(edit)->text();
    }
    static bool shown(TracksWindow& window, const char* name) {
        return !window.findChild<QWidget*>(name)->isHidden();
    }

    const char* kFile = "BaseDonn\xC3\xA9"
                        "esPistes.bd1";
    testing::TemporaryFolder m_folder;
    testing::ScriptedDialogs m_dialogs;
    QtPictures m_pictures;
    QString m_chosen;
    QStringList m_filters;
};

// (case, names typed one after the other, list afterwards)
using AddCase = std::tuple<const char*, QStringList, QStringList>;
class TracksAddTest : public TracksWindowTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(TracksAddTest, ListsWhatTheRulesAccept) {
    const auto& [name, typed, listed] = GetParam();
    writeTracks("");
    EXPECT_EQ(run([&](TracksWindow& window) {
                  for (const QString& one : typed) {
                      type(window, "newNameEdit", one);
                      click(window, "addButton");
                  }
                  EXPECT_EQ(items(window, "trackList"), listed);
                  QStringList numbers;
                  for (int i = 1; i <= listed.size(); ++i)
                      numbers << QString::number(i);
                  EXPECT_EQ(items(window, "numberList"), numbers);
              }),
              QDialog::Accepted);
    EXPECT_EQ(tracksFile(), Lines(listed));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

QStringList Numbered(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString("P%1").arg(i, 2, 10, QChar('0'));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Names, TracksAddTest,
    ::testing::Values(AddCase{"HyphensBecomeUnderscores", {"Val-de-Loire"}, {"Val_de_Loire"}},
                      AddCase{"SortedIgnoringCase", {"b", "A", "c"}, {"A", "b", "c"}},
                      AddCase{"SameNameInOtherCaseRefused", {"Mornay", "MORNAY"}, {"Mornay"}},
                      AddCase{"BlankLedOrEmptyRefused", {" Lac", ""}, {}},
                      AddCase{"EleventhTrackRefused", Numbered(11), Numbered(10)}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(TracksWindowTest, DeletingTheMiddleTrackKeepsTheOthersInOrder) {
    writeTracks(Line("A") + Line("B") + Line("C"));
    EXPECT_EQ(run([&](TracksWindow& window) {
                  window.findChild<QListWidget*>("trackList")->setCurrentRow(1);
                  EXPECT_EQ(text(window, "trackNameEdit"), "B");
                  click(window, "deleteButton");
                  EXPECT_EQ(items(window, "trackList"), (QStringList{"A", "C"}));
                  EXPECT_EQ(items(window, "numberList"), (QStringList{"1", "2"}));
              }),
              QDialog::Accepted);
    EXPECT_EQ(tracksFile(), Line("A") + Line("C"));
}

// (case, how the window is left, tracks file afterwards)
using CloseCase = std::tuple<const char*, const char*, std::string>;
class TracksCloseTest : public TracksWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(TracksCloseTest, OnlyOkWritesTheEdits) {
    const auto& [name, closer, expected] = GetParam();
    writeTracks(Line("Anneau") + Line("Lac"));
    run(
        [&](TracksWindow& window) {
            window.findChild<QListWidget*>("numberList")->setCurrentRow(1);
            type(window, "lengthEdit", "12a50x");
            type(window, "protectionEdit", "4567");
            EXPECT_EQ(text(window, "lengthEdit"), "1250") << "digits only, at most four";
        },
        closer);
    EXPECT_EQ(tracksFile(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Closers, TracksCloseTest,
    ::testing::Values(CloseCase{"Ok", "okButton",
                                Line("Anneau") + Line("Lac", "1250\t456\t\t0\t\t\t\t")},
                      CloseCase{"Echap", "cancelButton", Line("Anneau") + Line("Lac")},
                      CloseCase{"CloseBox", "close box", Line("Anneau") + Line("Lac")}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

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
                  EXPECT_TRUE(shown(window, "recordTimeEdit"));
                  EXPECT_FALSE(shown(window, "noRecordLabel"));
                  EXPECT_EQ(text(window, "recordHolderEdit"), "Jean Dupont");
                  EXPECT_EQ(window.findChild<QLabel*>("recordHolderWord")->text(), "par");
                  click(window, "clearRecordButton");
                  EXPECT_FALSE(shown(window, "recordTimeEdit"));
                  EXPECT_TRUE(shown(window, "noRecordLabel"));
                  EXPECT_EQ(window.findChild<QLabel*>("noRecordLabel")->text(),
                            QString::fromUtf8("Aucun record enregistré pour cette piste"));
              }),
              QDialog::Accepted);
    EXPECT_EQ(tracksFile(), Line("Lac", "800\t20\t\t0\t\t\t\t"));
}

// (case, file to import, its bytes or nullptr for none, list afterwards, messages)
using ImportCase =
    std::tuple<const char*, const char*, const char*, QStringList, std::vector<std::string>>;
class TracksImportTest : public TracksWindowTest,
                         public ::testing::WithParamInterface<ImportCase> {};

TEST_P(TracksImportTest, ReplacesTheTableOnlyWithAReadableFile) {
    const auto& [name, file, bytes, listed, messages] = GetParam();
    writeTracks(Line("Anneau"));
    if (bytes)
        m_folder.write(file, bytes);
    m_chosen = path(file);
    run([&](TracksWindow& window) {
        click(window, "importButton");
        EXPECT_EQ(items(window, "trackList"), listed);
        EXPECT_EQ(text(window, "trackNameEdit"), listed.front());
    });
    EXPECT_EQ(m_filters, QStringList{"open BD Pistes (*.bdt2)"});
    EXPECT_EQ(m_dialogs.texts(), messages);
    EXPECT_EQ(tracksFile(), Lines(listed)) << "Ok writes what the list shows";
}

INSTANTIATE_TEST_SUITE_P(
    Files, TracksImportTest,
    ::testing::Values(ImportCase{"KeptInFileOrder",
                                 "club.bdt2",
                                 "Zolder\t\t\t\t0\t\t\t\t\t\nAix\t\t\t\t0\t\t\t\t\t\n",
                                 {"Zolder", "Aix"},
                                 {}},
                      ImportCase{"MissingFileKeepsTheTable",
                                 "absent.bdt2",
                                 nullptr,
                                 {"Anneau"},
                                 {"Error : Import file 'Race Tracks' not found"}}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, name chosen, file written or nullptr, messages)
using ExportCase = std::tuple<const char*, const char*, const char*, std::vector<std::string>>;
class TracksExportTest : public TracksWindowTest,
                         public ::testing::WithParamInterface<ExportCase> {};

TEST_P(TracksExportTest, WritesTheListedTracks) {
    const auto& [name, chosen, written, messages] = GetParam();
    writeTracks(Line("Anneau") + Line("Lac"));
    m_chosen = path(chosen);
    run([&](TracksWindow& window) { click(window, "exportButton"); });
    EXPECT_EQ(m_filters, QStringList{"save BD Pistes (*.bdt2)"});
    if (written) {
        EXPECT_EQ(m_folder.read(written), Line("Anneau") + Line("Lac"));
    }
    EXPECT_FALSE(std::filesystem::exists(m_folder / "sauvegarde.bdt2.bdt2"));
    EXPECT_EQ(m_dialogs.texts(), messages);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TracksExportTest,
    ::testing::Values(ExportCase{"ExtensionAppended", "sauvegarde", "sauvegarde.bdt2", {}},
                      ExportCase{"ExtensionKept", "sauvegarde.bdt2", "sauvegarde.bdt2", {}},
                      ExportCase{"FolderMissing",
                                 "absent/sauvegarde",
                                 nullptr,
                                 {"Error : Export file 'Race tracks' not found"}}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, picture chosen with a left double-click, path kept, red drawn, conversions)
using PictureCase = std::tuple<const char*, const char*, const char*, bool, int>;
class TracksPictureTest : public TracksWindowTest,
                          public ::testing::WithParamInterface<PictureCase> {};

TEST_P(TracksPictureTest, DoubleClicksChooseAndForgetThePicture) {
    const auto& [name, chosen, stored, drawn, conversions] = GetParam();
    writeTracks(Line("Lac"));
    m_chosen = chosen[0] ? path(chosen) : QString();
    const std::string storedPath = stored[0] ? path(stored).toStdString() : "";
    run([&](TracksWindow& window) {
        auto* area = window.findChild<QWidget*>("pictureArea");
        EXPECT_TRUE(shown(window, "picturePlaceholder"));
        QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(window.tracks()[0].picture, storedPath);
        EXPECT_EQ(shown(window, "picturePlaceholder"), storedPath.empty());
        const QImage painted = area->grab().toImage();
        // 100 x 50 fits the box at full width, 348 x 174.
        EXPECT_EQ(IsRed(painted.pixelColor(340, 170)), drawn);
        EXPECT_FALSE(IsRed(painted.pixelColor(340, 180)));
        QTest::mouseDClick(area, Qt::RightButton, {}, QPoint(20, 20));
        EXPECT_TRUE(shown(window, "picturePlaceholder"));
    });
    EXPECT_EQ(tracksFile(), Line("Lac"));
    EXPECT_EQ(static_cast<int>(m_pictures.converted.size()), conversions);
    EXPECT_EQ(std::filesystem::exists(m_folder / "images/ConvertionJPEG.bmp"), conversions > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, TracksPictureTest,
    ::testing::Values(PictureCase{"Bitmap", "wide.bmp", "wide.bmp", true, 0},
                      PictureCase{"JpegThroughConvertedBitmap", "wide.jpg", "wide.jpg", true, 1},
                      PictureCase{"UnreadableDrawsNothing", "broken.bmp", "broken.bmp", false, 0},
                      PictureCase{"ChooserCancelled", "", "", false, 0}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// (case, language code or -1 for a missing labels file, title, list caption, messages)
using TextsCase = std::tuple<const char*, int, const char*, const char*, std::vector<std::string>>;
class TracksTextsTest : public TracksWindowTest, public ::testing::WithParamInterface<TextsCase> {};

TEST_P(TracksTextsTest, LabelsFollowTheInterfaceLanguage) {
    const auto& [name, code, title, caption, messages] = GetParam();
    writeTracks("");
    if (code < 0)
        std::filesystem::remove(m_folder / "Translation/BasePistes.trans");
    else
        i18n::WriteLanguageSettings(
            common::WorkingFolder(m_folder.path()),
            {static_cast<i18n::LanguageCode>(code), i18n::LanguageCode::French});
    run([&](TracksWindow& window) {
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(title));
        EXPECT_EQ(window.findChild<QLabel*>("trackListLabel")->text(), QString::fromUtf8(caption));
    });
    EXPECT_EQ(m_dialogs.texts(), messages);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, TracksTextsTest,
    ::testing::Values(TextsCase{"English", 0, "Database Race tracks", "Tracks  (10 max)", {}},
                      TextsCase{
                          "MissingLabelsKeepTemplateTexts",
                          -1,
                          "Base de données Pistes",
                          "Pistes  (10 max)",
                          {"Error: The translation file 'BasePistes.trans' has not been found"}}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

} // namespace
} // namespace tallimo::databases
