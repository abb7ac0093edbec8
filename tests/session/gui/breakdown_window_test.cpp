// The breakdown window, headless: opened on a prepared session and sheets
// file, driven through its fields and "Kart réparé", and checked by what
// reaches the two files.

#include "common/gui/text_conversion.h"
#include "session/core/breakdown_file.h"
#include "session/gui/breakdown_window.h"
#include "tests/session/gui/session_window_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace tallimo::session {
namespace {

// K3 (slot 2 of "Adultes") is the broken-down kart.
constexpr int kK3BreakdownItem = 1003;
const char* const kSheets = "K1\tMoteur\t\t\nK3\tCha\xEEne\tCommande\r\nen cours\t\n";

class BreakdownWindowTest : public SessionWindowTest {
protected:
    void SetUp() override { folder.write(kBreakdownFileName, kSheets); }

    std::unique_ptr<BreakdownWindow> open() {
        auto window = std::make_unique<BreakdownWindow>(root, dialogs);
        window->show();
        return window;
    }

    void click(const QWidget& window, const char* button) {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }

    // On the box itself: the check box may be wider than its text.
    void tick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        EXPECT_TRUE(box->isChecked());
    }

    void typeInto(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
};

TEST_F(BreakdownWindowTest, RepairedKartIsFreeInTheSessionAndItsSheetIsRemoved) {
    writeFleetAndSession(kK3BreakdownItem);
    const auto window = open();
    EXPECT_EQ(child<QLineEdit>(*window, "kartLabel")->text(), "K3");
    EXPECT_EQ(child<QLineEdit>(*window, "categoryName")->text(), "Adultes");
    EXPECT_EQ(child<QPlainTextEdit>(*window, "action")->toPlainText(), "Commande\nen cours");
    tick(child<QCheckBox>(*window, "repairedCheck"));
    click(*window, "okButton");

    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(folder.read(kBreakdownFileName), "K1\tMoteur\t\t\n");
    const auto saved = savedSession();
    EXPECT_EQ(saved->kart(0, 2).usage, KartUsage::InSession);
    EXPECT_EQ(saved->kart(0, 2).trackState, TrackState::Free);
}

TEST_F(BreakdownWindowTest, DeclaredKartGetsANewSheetWithALongActionOfSeveralLines) {
    writeFleetAndSession(2); // the kart as it sits in its category
    session->kart(0, 1).usage = KartUsage::BrokenDown;
    saveSession();
    const auto window = open();
    window->setDeclaredKart(0, 1);
    ASSERT_EQ(child<QLineEdit>(*window, "kartLabel")->text(), "K2");
    EXPECT_EQ(child<QLineEdit>(*window, "cause")->text(), "");

    typeInto(child<QLineEdit>(*window, "cause"), QString(60, u'c'));
    QPlainTextEdit* action = child<QPlainTextEdit>(*window, "action");
    typeInto(action, QStringLiteral("Pignon"));
    QTest::keyClick(action, Qt::Key_Return);
    typeInto(action, QString(200, u'a'));
    click(*window, "okButton");

    // The cause stops at 48 characters, the action at 198 with its CR LF.
    const std::string expected = std::string("K2\t") + std::string(48, 'c') + "\tPignon\r\n" +
                                 std::string(190, 'a') + "\t\n";
    EXPECT_EQ(folder.read(kBreakdownFileName), std::string(kSheets) + expected);
    EXPECT_EQ(action->toPlainText(), QStringLiteral("Pignon\n") + QString(190, u'a'));
    EXPECT_EQ(savedSession()->kart(0, 1).usage, KartUsage::BrokenDown);
}

TEST_F(BreakdownWindowTest, EchapWritesNothingEvenWhenRepairedIsTicked) {
    writeFleetAndSession(kK3BreakdownItem);
    const std::string sessionBefore = sessionBytes();
    BreakdownWindow window(root, dialogs);
    const int result = testing::RunModal(
        window,
        [&] {
            typeInto(child<QLineEdit>(window, "cause"), QStringLiteral(" et pignon"));
            tick(child<QCheckBox>(window, "repairedCheck"));
        },
        "cancelButton");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(folder.read(kBreakdownFileName), kSheets);
    EXPECT_EQ(sessionBytes(), sessionBefore);
}

} // namespace
} // namespace tallimo::session
