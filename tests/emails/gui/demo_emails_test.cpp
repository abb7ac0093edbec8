// The demo's working folder as the e-mails window sees it on the day the
// demo starts: something is due, sending hands it over once.

#include "app/core/demo_working_folder.h"
#include "app/core/first_start.h"
#include "emails/gui/emails_window.h"

#include "tests/emails/gui/recording_opener.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QPlainTextEdit>

#include <string>
#include <vector>

namespace tallimo::emails {
namespace {

struct DemoDay {
    const char* name;
    common::LocalDateTime today;
};

class DemoEmailsTest : public tallimo::testing::WindowTest,
                       public ::testing::WithParamInterface<DemoDay> {};

TEST_P(DemoEmailsTest, TheDaysBirthdayAndNamedayAreSentOnce) {
    tallimo::testing::FakeLocalClock clock;
    clock.set(GetParam().today);
    // As the program starts: the demo's files, then those a new folder lacks.
    ASSERT_TRUE(app::WriteDemoWorkingFolder(root(), GetParam().today));
    app::CreateMissingDataFiles(root());
    testing::RecordingOpener opener;
    const auto send = [&](std::deque<common::DialogAnswer> answers) {
        EmailsWindow window(root(), m_dialogs, opener, clock);
        EXPECT_TRUE(m_dialogs.asked.empty()) << m_dialogs.asked.front().text;
        m_dialogs.answers = std::move(answers);
        QString listed;
        tallimo::testing::RunModal(window, [&] {
            listed = window.findChild<QPlainTextEdit*>(QStringLiteral("emailsList"))->toPlainText();
            click(window, "sendEmailsButton");
        });
        return listed;
    };

    const QString listed = send({common::DialogAnswer::Yes, common::DialogAnswer::Yes});
    EXPECT_TRUE(listed.contains(QStringLiteral("- Bernard Hugo"))) << listed.toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("- Lucie ("))) << listed.toStdString();
    EXPECT_TRUE(opener.handed("https://mailing.invalid/emailKartingAnniversaire.php",
                              "hugo.bernard%40example.org"));
    EXPECT_TRUE(opener.handed("https://mailing.invalid/emailKartingFetePrenom.php",
                              "lucie.martin%40example.org"));
    ASSERT_EQ(m_dialogs.asked.size(), 2u);

    // The same day again: both groups say there is nothing to send.
    opener.opened.clear();
    m_dialogs.asked.clear();
    send({});
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_EQ(m_dialogs.asked.size(), 2u);
    for (const auto& asked : m_dialogs.asked)
        EXPECT_EQ(asked.buttons, common::DialogButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(Dates, DemoEmailsTest,
                         ::testing::Values(DemoDay{"AnOrdinaryDay", {2026, 12, 7, 21, 0, 0}},
                                           DemoDay{"NewYearsEve", {2026, 12, 31, 23, 59, 0}},
                                           DemoDay{"NewYearsDay", {2027, 1, 1, 0, 0, 0}},
                                           DemoDay{"LeapDay", {2028, 2, 29, 12, 0, 0}}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace tallimo::emails
