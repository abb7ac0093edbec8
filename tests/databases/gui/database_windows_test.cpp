// What every database window shares: the texts it keeps when its
// translation files are missing, and the export dialog with its proposal,
// its kept proposal and its overwrite question.

#include "databases/gui/age_categories_window.h"
#include "databases/gui/clubs_window.h"
#include "databases/gui/first_names_window.h"
#include "databases/gui/fleet_window.h"
#include "databases/gui/kart_categories_window.h"
#include "databases/gui/subscribers_window.h"
#include "databases/gui/tracks_window.h"

#include "tests/support/chunked_port.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tallimo::databases {
namespace {

enum class Kind { Tracks, KartCategories, Fleet, Subscribers, AgeCategories, Clubs, FirstNames };

struct ExportingWindow {
    Kind kind;
    std::string extension;
};

const ExportingWindow kExportingWindows[] = {
    {Kind::Tracks, ".bdt2"},        {Kind::KartCategories, ".bds2"}, {Kind::Subscribers, ".bdp4"},
    {Kind::AgeCategories, ".bda2"}, {Kind::Clubs, ".bdc2"},          {Kind::FirstNames, ".bdpr2"}};

std::string Missing(const char* file) {
    return std::string("Error: The translation file '") + file + "' has not been found";
}

QString ShownText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return "(not a captioned widget)";
}

class DatabaseWindowsTest : public testing::WindowTest {
protected:
    DatabaseWindowsTest() { setLanguages(i18n::LanguageCode::French); }

    // The window of `kind`, asking the test for its files when `scripted`,
    // the system's file dialog otherwise.
    std::unique_ptr<QDialog> open(Kind kind, bool scripted = true) {
        switch (kind) {
        case Kind::Tracks:
            return make<TracksWindow>(scripted, m_pictures);
        case Kind::KartCategories:
            return make<KartCategoriesWindow>(scripted, m_pictures);
        case Kind::Fleet:
            return std::make_unique<FleetWindow>(root(), m_dialogs, m_port, m_ticks);
        case Kind::Subscribers:
            return make<SubscribersWindow>(scripted, m_pictures, m_clock);
        case Kind::AgeCategories:
            return make<AgeCategoriesWindow>(scripted, m_clock);
        case Kind::Clubs:
            return make<ClubsWindow>(scripted, m_pictures);
        case Kind::FirstNames:
            return make<FirstNamesWindow>(scripted);
        }
        return nullptr;
    }

    // Opens the window, forgets what its opening reported, and runs `body`;
    // "Echap" closes it, so that only the export writes.
    void run(const ExportingWindow& row, const std::function<void(QDialog&)>& body,
             bool scripted = true) {
        const std::unique_ptr<QDialog> window = open(row.kind, scripted);
        m_dialogs.asked.clear();
        testing::RunModal(
            *window, [&] { body(*window); }, "cancelButton");
    }

    std::vector<std::string> translationMessages() const {
        std::vector<std::string> texts;
        for (const std::string& text : m_dialogs.texts())
            if (text.starts_with("Error: The translation file"))
                texts.push_back(text);
        return texts;
    }

private:
    template <typename Window, typename... Extra>
    std::unique_ptr<QDialog> make(bool scripted, Extra&... extra) {
        auto window = std::make_unique<Window>(root(), m_dialogs, extra...);
        if (scripted)
            chooseFiles(*window);
        return window;
    }

    testing::FakeLocalClock m_clock;
    testing::FakeTickSource m_ticks;
    testing::ChunkedPort m_port;
};

TEST_F(DatabaseWindowsTest, WithoutTranslationFilesEachWindowKeepsItsBuiltInTexts) {
    const struct {
        Kind kind;
        std::vector<std::string> missing;
        std::vector<std::pair<const char*, QString>> shown;
    } rows[] = {
        {Kind::KartCategories,
         {Missing("BaseCategoriesKarts.trans"), Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des catégories de karts")},
          {"categoriesLabel", QString::fromUtf8("Catégories  (5 max)")},
          {"descriptionLabel", "Rapide description :"},
          {"characteristicsLabel", QString::fromUtf8("Caractéristiques :")},
          {"newLabel", "Nouvelle"},
          {"numberHeader", QString::fromUtf8("N°ID")},
          {"deleteButton", "Supprimer"},
          {"exportButton", "Exporter"},
          {"cancelButton", "Echap"}}},
        {Kind::Fleet,
         {Missing("BaseParcKarts.trans"), Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", "Parc des karts de location"},
          {"categoryLabel", QString::fromUtf8("Catégorie :")},
          {"kartsGroup", QString::fromUtf8("Catégorie : ")},
          {"kartsLabel", "Karts (30 max)"},
          {"scanButton", "Scan."},
          {"positionLabel", QString::fromUtf8("N°ID")},
          {"addButton", "Ajouter"},
          {"okButton", "Ok"}}},
        // The window's own file is the shared vocabulary: one message.
        {Kind::AgeCategories,
         {Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des catégories d'age")},
          {"addButton", "Ajouter"},
          {"cancelButton", "Echap"}}},
        {Kind::Tracks,
         {Missing("BasePistes.trans"), Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des pistes")}}},
        {Kind::Clubs,
         {Missing("BaseClubs.trans"), Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des clubs/teams")}}},
        {Kind::Subscribers,
         {Missing("BaseAbonnes.trans"), Missing("BaseClubs.trans"),
          Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des abonnés")}}},
        {Kind::FirstNames,
         {Missing("BasePrenoms.trans"), Missing("BaseAbonnes.trans"),
          Missing("BaseCategoriesAge.trans")},
         {{"headingLabel", QString::fromUtf8("Base de données : Liste des prénoms")}}},
    };
    // The language settings stay: only the label files are gone.
    for (const auto& entry : std::filesystem::directory_iterator(m_folder / "Translation"))
        if (entry.path().extension() == ".trans" &&
            entry.path().filename() != "FenetrePrincipale.trans")
            std::filesystem::remove(entry.path());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.missing.front());
        m_dialogs.asked.clear();
        const std::unique_ptr<QDialog> window = open(row.kind);
        EXPECT_EQ(translationMessages(), row.missing);
        for (const auto& [name, text] : row.shown) {
            const auto* widget = window->findChild<QWidget*>(QLatin1String(name));
            ASSERT_NE(widget, nullptr) << name;
            EXPECT_EQ(ShownText(widget).toStdString(), text.toStdString()) << name;
        }
        for (const QPushButton* button : window->findChildren<QPushButton*>())
            EXPECT_FALSE(button->text().isEmpty()) << button->objectName().toStdString();
    }
}

TEST_F(DatabaseWindowsTest, ExportProposesTheFormatsWildcardInTheWorkingFolder) {
    for (const ExportingWindow& row : kExportingWindows) {
        SCOPED_TRACE(row.extension);
        QString proposedFolder;
        QStringList proposed;
        run(
            row,
            [&](QDialog& window) {
                QTimer::singleShot(0, &window, [&] {
                    QFileDialog* dialog = nullptr;
                    (void)QTest::qWaitFor([&] {
                        dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                        return dialog != nullptr;
                    });
                    if (dialog == nullptr) {
                        // Whatever else came up must not leave the test waiting.
                        if (QWidget* other = QApplication::activeModalWidget(); other != &window)
                            other->close();
                        return;
                    }
                    proposedFolder = QDir(dialog->directory()).canonicalPath();
                    proposed = dialog->selectedFiles();
                    dialog->reject();
                });
                click(window, "exportButton");
            },
            false);
        EXPECT_EQ(proposedFolder.toStdString(), QDir(path("")).canonicalPath().toStdString());
        ASSERT_EQ(proposed.size(), 1);
        EXPECT_EQ(QFileInfo(proposed.front()).fileName().toStdString(), "*" + row.extension);
        EXPECT_TRUE(m_dialogs.asked.empty());
    }
}

TEST_F(DatabaseWindowsTest, KeepingTheProposalWritesNothing) {
    for (const ExportingWindow& row : kExportingWindows) {
        SCOPED_TRACE(row.extension);
        m_chosen = path("*" + row.extension);
        run(row, [&](QDialog& window) { click(window, "exportButton"); });
        EXPECT_FALSE(std::filesystem::exists(m_folder / ("*" + row.extension)));
        EXPECT_TRUE(m_dialogs.asked.empty());
    }
}

TEST_F(DatabaseWindowsTest, AnExistingFileNamedByTheAppendedExtensionIsReplacedOnlyOnYes) {
    const struct {
        const char* typed; // the dialog asked about this name, not the one written
        common::DialogAnswer answer;
        bool replaced;
    } cases[] = {{"old", common::DialogAnswer::No, false},
                 {"old", common::DialogAnswer::Yes, true},
                 {"old.txt", common::DialogAnswer::No, false},
                 {"old.txt", common::DialogAnswer::Yes, true}};
    for (const ExportingWindow& row : kExportingWindows) {
        for (const auto& c : cases) {
            const std::string written = c.typed + row.extension;
            SCOPED_TRACE(written + (c.replaced ? " replaced" : " kept"));
            m_folder.write(written, "old");
            m_chosen = path(c.typed);
            run(row, [&](QDialog& window) {
                m_dialogs.answers = {c.answer};
                click(window, "exportButton");
            });
            EXPECT_EQ(m_dialogs.texts(),
                      std::vector<std::string>{written +
                                               " existe d\xE9j\xE0.\nVoulez-vous le remplacer ?"});
            if (!m_dialogs.asked.empty()) {
                EXPECT_EQ(m_dialogs.asked[0].caption, "Attention");
                EXPECT_EQ(m_dialogs.asked[0].buttons, common::DialogButtons::YesNo);
            }
            EXPECT_EQ(m_folder.read(written) != "old", c.replaced);
        }
    }
}

} // namespace
} // namespace tallimo::databases
