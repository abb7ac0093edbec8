// The controls several database windows build from one piece: the row that
// names a new record above the list, and the sex choice with its captions
// from the shared vocabulary.

#include "databases/gui/age_categories_window.h"
#include "databases/gui/clubs_window.h"
#include "databases/gui/kart_categories_window.h"
#include "databases/gui/subscribers_window.h"

#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QLabel>
#include <QRadioButton>
#include <QRect>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace tallimo::databases {
namespace {

enum class Kind { Clubs, KartCategories, AgeCategories, Subscribers };

class RecordControlsTest : public testing::WindowTest {
protected:
    std::unique_ptr<QDialog> open(Kind kind) {
        switch (kind) {
        case Kind::Clubs:
            return std::make_unique<ClubsWindow>(root(), m_dialogs, m_pictures);
        case Kind::KartCategories:
            return std::make_unique<KartCategoriesWindow>(root(), m_dialogs, m_pictures);
        case Kind::AgeCategories:
            return std::make_unique<AgeCategoriesWindow>(root(), m_dialogs, m_clock);
        case Kind::Subscribers:
            return std::make_unique<SubscribersWindow>(root(), m_dialogs, m_pictures, m_clock);
        }
        return nullptr;
    }

    void removeLabelFiles() const {
        // The language settings stay: only the label files go.
        for (const auto& entry : std::filesystem::directory_iterator(m_folder / "Translation"))
            if (entry.path().extension() == ".trans" &&
                entry.path().filename() != "FenetrePrincipale.trans")
                std::filesystem::remove(entry.path());
    }

private:
    testing::FakeLocalClock m_clock;
};

// Where `name` sits in `window`, once laid out.
QRect Placed(QWidget& window, const char* name) {
    const auto* widget = window.findChild<QWidget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget ? QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()) : QRect();
}

TEST_F(RecordControlsTest, TheNewRecordRowReadsLeftToRightAboveTheList) {
    const struct {
        Kind kind;
        const char* typed;
        const char* list;
    } rows[] = {{Kind::Clubs, "newNameEdit", "clubList"},
                {Kind::KartCategories, "newNameEdit", "categoryList"},
                {Kind::AgeCategories, "newCodeEdit", "categoryList"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        const std::unique_ptr<QDialog> window = open(row.kind);
        window->show();
        const QRect caption = Placed(*window, "newLabel");
        const QRect typed = Placed(*window, row.typed);
        const QRect add = Placed(*window, "addButton");
        const QRect list = Placed(*window, row.list);
        EXPECT_LT(caption.right(), typed.left());
        EXPECT_LT(typed.right(), add.left());
        // One row: each control spans the others' middle height.
        for (const QRect& control : {caption, typed})
            EXPECT_TRUE(control.top() <= add.center().y() && add.center().y() <= control.bottom());
        EXPECT_LT(std::max({caption.bottom(), typed.bottom(), add.bottom()}), list.top());
        window->hide();
    }
}

TEST_F(RecordControlsTest, SexCaptionsComeFromTheSharedVocabulary) {
    // German shows the vocabulary's rows; without the files, the built-in
    // French texts stay.
    const struct {
        Kind kind;
        bool filesPresent;
        std::string sex, man, woman;
    } rows[] = {
        {Kind::AgeCategories, true, "Geschlecht :", "Mann", "Frau"},
        {Kind::Subscribers, true, "Geschlecht :", "Mann", "Frau"},
        {Kind::AgeCategories, false, "Sexe :", "Homme", "Femme"},
        {Kind::Subscribers, false, "Sexe :", "Homme", "Femme"},
    };
    setLanguages(i18n::LanguageCode::German);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind == Kind::Subscribers ? "subscribers" : "age categories");
        SCOPED_TRACE(row.filesPresent ? "translated" : "no files");
        if (!row.filesPresent)
            removeLabelFiles();
        const std::unique_ptr<QDialog> window = open(row.kind);
        const auto* label = window->findChild<QLabel*>(QStringLiteral("sexLabel"));
        const auto* man = window->findChild<QRadioButton*>(QStringLiteral("manRadio"));
        const auto* woman = window->findChild<QRadioButton*>(QStringLiteral("womanRadio"));
        ASSERT_TRUE(label && man && woman);
        EXPECT_EQ(label->text().toStdString(), row.sex);
        EXPECT_EQ(man->text().toStdString(), row.man);
        EXPECT_EQ(woman->text().toStdString(), row.woman);
    }
}

} // namespace
} // namespace tallimo::databases
