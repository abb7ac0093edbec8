// The promotional e-mails window driven like an operator, on files the core
// writes, with a browser that records what it is handed.

#include "emails/gui/emails_window.h"

#include "common/core/program_settings.h"
#include "emails/core/email_texts.h"
#include "tests/emails/email_fixture.h"
#include "tests/emails/gui/recording_opener.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"
#include "tests/support/recording_message_sink.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include <string>
#include <vector>

namespace tallimo::emails {
namespace {

using common::DialogAnswer;
using testing::AddSubscriber;
using testing::Date;

constexpr const char* kFormBase = "https://mailing.invalid/";

std::vector<std::string> Pages(const std::vector<std::string>& urls) {
    std::vector<std::string> pages;
    for (const std::string& url : urls)
        pages.push_back(url.substr(0, url.find('?')));
    return pages;
}

// Today is 6 December 2026. Hugo Bernard (8 December) and Léa Petit
// (12 December) have their birthday e-mail due with 7 days' notice; Paul
// Durand (born in June) has nothing due.
class EmailsWindowTest : public tallimo::testing::WindowTest {
protected:
    EmailsWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        EmailSources seed = testing::FrenchSources();
        AddSubscriber(seed, "Bernard", "Hugo", "hugo.bernard@example.org", Date(1990, 12, 8));
        AddSubscriber(seed, "Durand", "Paul", "paul.durand@example.org", Date(1985, 6, 1));
        AddSubscriber(seed, "Petit", "Léa", "lea.petit@example.org", Date(2001, 12, 12));
        tallimo::testing::RecordingMessageSink sink;
        EXPECT_TRUE(databases::SaveSubscribersDatabase(root(), seed.subscribers, sink));
        EXPECT_TRUE(finances::SaveDiscountsDatabase(root(), seed.discounts, sink));
        EXPECT_TRUE(SaveClubContactDatabase(root(), seed.contact, sink));
        setFormBase(kFormBase);
    }

    void setFormBase(const std::string& base) const {
        common::ProgramSettings settings;
        settings.setValue(common::kMailingFormBaseKey, base);
        EXPECT_TRUE(common::SaveProgramSettings(root(), settings));
    }

    // Runs the window; the messages of the files the test leaves out are
    // dropped once it is open, and `answers` then answer the questions.
    int run(const std::function<void(EmailsWindow&)>& body, std::deque<DialogAnswer> answers = {},
            const std::string& closer = "okButton") {
        EmailsWindow window(root(), m_dialogs, m_opener, m_clock);
        m_dialogs.asked.clear();
        m_dialogs.answers = std::move(answers);
        return tallimo::testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    static QString listText(QWidget& window) {
        return window.findChild<QPlainTextEdit*>(QStringLiteral("emailsList"))->toPlainText();
    }
    static void choosePreview(QWidget& window, const char* action) {
        click(window, "viewEmailsButton");
        window.findChild<QMenu*>(QStringLiteral("previewMenu"))
            ->findChild<QAction*>(QLatin1String(action))
            ->trigger();
    }

    std::vector<int> birthdayMarkers() const {
        databases::SubscriberTable table = databases::MakeSubscriberTable();
        tallimo::testing::RecordingMessageSink sink;
        EXPECT_TRUE(databases::LoadSubscribersDatabase(root(), table, sink));
        return {table[0].extra1, table[1].extra1, table[2].extra1};
    }
    ClubContact savedContact() const {
        ClubContact contact;
        EXPECT_TRUE(LoadClubContact(contact, m_folder / kClubContactFileName));
        return contact;
    }

    testing::RecordingOpener m_opener;
    tallimo::testing::FakeLocalClock m_clock;
};

TEST_F(EmailsWindowTest, OpeningListsTheDueBirthdaysOnly) {
    QString shown;
    run([&](EmailsWindow& window) { shown = listText(window); });
    EXPECT_TRUE(shown.contains(QStringLiteral("- Bernard Hugo")));
    EXPECT_TRUE(shown.contains(QString::fromUtf8("- Petit Léa")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Durand")));
    EXPECT_TRUE(m_opener.opened.empty());
}

TEST_F(EmailsWindowTest, SendingHandsTheDueAddressesAndASecondSendOffersNothing) {
    const std::vector<int> before = birthdayMarkers();
    QString after;
    EXPECT_EQ(run(
                  [&](EmailsWindow& window) {
                      click(window, "sendEmailsButton");
                      after = listText(window);
                  },
                  {DialogAnswer::Yes}),
              QDialog::Accepted);
    ASSERT_EQ(m_opener.opened.size(), 2u);
    const std::string page = std::string(kFormBase) + "emailKartingAnniversaire.php";
    EXPECT_TRUE(m_opener.handed(page, "hugo.bernard%40example.org"));
    EXPECT_NE(m_opener.opened[1].find("&name=Petit&firstname=L%C3%A9a&"), std::string::npos);
    // The question first, then the namedays with nothing due.
    ASSERT_EQ(m_dialogs.asked.size(), 2u);
    EXPECT_EQ(m_dialogs.asked[0].buttons, common::DialogButtons::YesNo);
    EXPECT_NE(m_dialogs.asked[0].text.find("Bernard Hugo"), std::string::npos);
    const std::vector<int> markers = birthdayMarkers();
    EXPECT_GT(markers[0], before[0]);
    EXPECT_EQ(markers[1], before[1]);
    EXPECT_GT(markers[2], before[2]);
    EXPECT_FALSE(after.contains(QStringLiteral("Bernard")));

    // Reopened the same day: nothing is offered, nothing handed over.
    m_opener.opened.clear();
    run([&](EmailsWindow& window) { click(window, "sendEmailsButton"); });
    EXPECT_TRUE(m_opener.opened.empty());
    ASSERT_EQ(m_dialogs.asked.size(), 2u);
    EXPECT_NE(m_dialogs.asked[0].buttons, common::DialogButtons::YesNo);
    EXPECT_EQ(birthdayMarkers(), markers);
}

TEST_F(EmailsWindowTest, QuestionAnsweredNoSendsNothing) {
    run([&](EmailsWindow& window) { click(window, "sendEmailsButton"); }, {DialogAnswer::No});
    EXPECT_TRUE(m_opener.opened.empty());
    EXPECT_EQ(birthdayMarkers(), (std::vector<int>{0, 0, 0}));
}

TEST_F(EmailsWindowTest, RefusedAddressStopsSendingWithoutMarker) {
    m_opener.accepts = false;
    run([&](EmailsWindow& window) { click(window, "sendEmailsButton"); }, {DialogAnswer::Yes});
    EXPECT_EQ(m_opener.opened.size(), 1u);
    // The question, then the refusal; the namedays are not reached.
    ASSERT_EQ(m_dialogs.asked.size(), 2u);
    EXPECT_EQ(m_dialogs.asked[1].text, AddressRefusedText(i18n::LanguageCode::French));
    EXPECT_EQ(birthdayMarkers(), (std::vector<int>{0, 0, 0}));
}

TEST_F(EmailsWindowTest, PreviewMenuOpensTheFourExamples) {
    run([&](EmailsWindow& window) {
        for (const char* action : {"birthdayPreviewAction", "namedayPreviewAction",
                                   "eventPreviewAction", "loyaltyPreviewAction"})
            choosePreview(window, action);
    });
    const std::string base = kFormBase;
    EXPECT_EQ(Pages(m_opener.opened),
              (std::vector<std::string>{
                  base + "emailKartingAnniversaire.php", base + "emailKartingFetePrenom.php",
                  base + "emailKartingEvenement.php", base + "emailKartingFidelite.php"}));
    for (const std::string& url : m_opener.opened)
        EXPECT_NE(url.find("?objet=vueemail&"), std::string::npos) << url;
    EXPECT_TRUE(m_dialogs.asked.empty());
    EXPECT_EQ(birthdayMarkers(), (std::vector<int>{0, 0, 0}));
}

// What stops "Envoi Emails" and "Vue Emails" before any address is handed
// over: one message, nothing opened, nothing marked.
struct Refusal {
    const char* name;
    const char* formBase;
    const char* clubEmail;
    bool previewStopped;
    const char* expected; // UTF-8; empty: the no-form text
};

class EmailsRefusalTest : public EmailsWindowTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(EmailsRefusalTest, OneMessageAndNothingHandedOver) {
    const Refusal& refusal = GetParam();
    setFormBase(refusal.formBase);
    run([&](EmailsWindow& window) {
        type(window, "clubEmailEdit", QString::fromUtf8(refusal.clubEmail));
        click(window, "sendEmailsButton");
        choosePreview(window, "birthdayPreviewAction");
    });
    const std::string expected = *refusal.expected ? testing::Cp(refusal.expected)
                                                   : NoMailingFormText(i18n::LanguageCode::French);
    ASSERT_EQ(m_dialogs.asked.size(), refusal.previewStopped ? 2u : 1u);
    for (const auto& asked : m_dialogs.asked) {
        EXPECT_EQ(asked.caption, "Tallimo");
        EXPECT_EQ(asked.buttons, common::DialogButtons::Ok);
    }
    EXPECT_EQ(m_dialogs.asked[0].text, expected);
    EXPECT_EQ(m_opener.opened.size(), refusal.previewStopped ? 0u : 1u);
    EXPECT_EQ(birthdayMarkers(), (std::vector<int>{0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmailsRefusalTest,
    ::testing::Values(Refusal{"NoMailingForm", "", "club@kart.fr", true, ""},
                      Refusal{"ClubAddressWithoutAt", kFormBase, "club.kart.fr", false,
                              "Erreur, l'adresse Email du club doit contenir un caractères '@'"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EmailsWindowTest, OkWritesTheContactAndEscapeDiscardsIt) {
    const ClubContact before = savedContact();
    EXPECT_EQ(run(
                  [&](EmailsWindow& window) {
                      type(window, "clubNameEdit", QStringLiteral("Kart Ouest"));
                  },
                  {}, "escape"),
              QDialog::Rejected);
    EXPECT_EQ(savedContact(), before);

    EXPECT_EQ(run([&](EmailsWindow& window) {
                  // Pasted: a TAB cannot be typed into an edit.
                  auto* edit = window.findChild<QLineEdit*>(QStringLiteral("clubNameEdit"));
                  edit->selectAll();
                  edit->insert(QString::fromUtf8("Kart\tOuest été"));
              }),
              QDialog::Accepted);
    ClubContact expected = before;
    expected.contactName = testing::Cp("Kart Ouest été");
    EXPECT_EQ(savedContact(), expected);
}

} // namespace
} // namespace tallimo::emails
