#include "databases/gui/subscriber_printouts.h"

#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/gui/subscribers_window.h"
#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/report_preview.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"
#include "tests/support/recording_message_sink.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// One subscriber line of the database file, the photo path last.
std::string SubscriberLine(const std::string& name, const std::string& firstName,
                           const std::string& photo) {
    return "1\t0\t0\t" + name + "\t" + firstName +
           "\t3 rue Haute\t\t40200\tMimizan\tFrance\t0102030405\tpilote@example.invalid\t"
           "4\t1\t88\t\t\t012345\t" +
           photo + "\t\n";
}

class SubscriberPrintoutsTest : public testing::WindowTest {
protected:
    SubscriberPrintoutsTest() {
        setLanguages(i18n::LanguageCode::French);
        std::filesystem::create_directories(m_folder / "images");
    }

    // The photo lives in a folder with an accented name, stored as the
    // file holds it (Windows-1252).
    std::string writePhoto(const char* format) const {
        std::filesystem::create_directories(m_folder / "Photos \xC3\xA9t\xC3\xA9");
        const std::string file = std::string("Photos \xC3\xA9t\xC3\xA9/pilote.") + format;
        QImage photo(120, 160, QImage::Format_RGB32);
        photo.fill(qRgb(30, 90, 160));
        EXPECT_TRUE(photo.save(path(file), format));
        return (m_folder.path() / "Photos \xE9t\xE9").string() + "/pilote." + format;
    }

    std::string pdfOf(const printing::ReportJob& job) const {
        EXPECT_TRUE(m_printer.writePdf(m_folder / "out.pdf", job));
        return m_folder.read("out.pdf");
    }
    static int pages(const std::string& pdf) { return CountOf(pdf, "/Type /Page\n"); }
    static int images(const std::string& pdf) { return CountOf(pdf, "/Subtype /Image"); }

    printing::FreeImageSession m_session;
    printing::FreeImagePictureLibrary m_freeImage;
    printing::ReportPrinter m_printer{root(), m_freeImage};
    testing::RecordingMessageSink m_messages;
};

TEST_F(SubscriberPrintoutsTest, TheSheetPrintsOnePageWithThePhotoWhenItCanBeRead) {
    struct Case {
        const char* what;
        std::string photo;
        int images;
    };
    const std::vector<Case> cases = {
        {"bitmap", writePhoto("bmp"), 1},
        {"jpeg", writePhoto("jpg"), 1},
        {"no photo", "", 0},
        {"missing file", (m_folder.path() / "absent.bmp").string(), 0},
        {"not a picture", (m_folder.path() / "notes.jpeg").string(), 0},
    };
    m_folder.write("notes.jpeg", "these are words, not a picture");
    const SubscriberPrintoutTexts texts = LoadSubscriberPrintoutTexts(root(), m_messages);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Subscriber subscriber;
        subscriber.name = "Lef\xE8vre";
        subscriber.firstName = "Ren\xE9";
        subscriber.photoPath = c.photo;
        const printing::ReportJob job = MakeInformationSheetJob(subscriber, texts, m_printer);
        EXPECT_EQ(job.document, printing::ReportDocument::InformationSheet);
        const std::string pdf = pdfOf(job);
        EXPECT_EQ(pages(pdf), 1);
        EXPECT_EQ(images(pdf), c.images);
    }
    EXPECT_TRUE(std::filesystem::exists(m_folder / "images/ConvertionJPEG.bmp"));
    EXPECT_TRUE(m_messages.messages().empty());
}

TEST_F(SubscriberPrintoutsTest, TheToolsJobsComeFromTheFolderOrSayWhyNot) {
    EXPECT_FALSE(InformationSheetJobFromFolder(root(), "Dupont", "Jean", m_messages));
    EXPECT_EQ(m_messages.messages(),
              (std::vector<testing::RecordedMessage>{
                  {"Error", "Error : 'Subscribers' database file not found"}}));

    m_messages.clear();
    m_folder.write(kSubscribersFileName, SubscriberLine("Dupont", "Jean", writePhoto("jpg")));
    EXPECT_FALSE(InformationSheetJobFromFolder(root(), "Durand", "Jean", m_messages));
    EXPECT_EQ(m_messages.messages(),
              (std::vector<testing::RecordedMessage>{
                  {"Error",
                   "Error : Subscriber 'Durand Jean' not found in the 'Subscribers' database"}}));

    // The job outlives everything that made it, photo drawing included.
    m_messages.clear();
    std::optional<printing::ReportJob> sheet =
        InformationSheetJobFromFolder(root(), "DUPONT", "jean", m_messages);
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(m_messages.messages().empty());
    const std::string pdf = pdfOf(*sheet);
    EXPECT_EQ(pages(pdf), 1);
    EXPECT_EQ(images(pdf), 1);

    // The form comes out once per copy.
    const auto form = RegistrationFormJobFromFolder(root(), 2, m_messages);
    ASSERT_TRUE(form);
    EXPECT_EQ(pages(pdfOf(*form)), 2);
    EXPECT_EQ(MakeRegistrationFormJob({}, 0).copies, 1);
}

class SubscribersPrintMenuTest : public testing::WindowTest {
protected:
    SubscribersPrintMenuTest() {
        setLanguages(i18n::LanguageCode::French);
        m_folder.write(kCountriesFileName, "France\n");
        m_folder.write(kClubsFileName, "");
        m_folder.write(kAgeCategoriesFileName, "");
        std::filesystem::create_directories(m_folder / "FirstNames");
        m_folder.write(kSubscriberFirstNamesFileName, "");
        m_folder.write(kCalendarFileName, "");
        m_folder.write(kSubscribersFileName,
                       SubscriberLine("Dupont", "Jean", "") + SubscriberLine("Martin", "Paul", ""));
    }

    // Opens the preview `action` leads to and hands it to `check`.
    void openPreview(SubscribersWindow& window, const char* action,
                     const std::function<void(printing::ReportPreviewWindow&)>& check) {
        bool seen = false;
        QTimer::singleShot(0, &window, [&] {
            printing::ReportPreviewWindow* preview = nullptr;
            seen = QTest::qWaitFor([&] {
                preview =
                    qobject_cast<printing::ReportPreviewWindow*>(QApplication::activeModalWidget());
                return preview != nullptr;
            });
            if (!preview)
                return;
            check(*preview);
            click(*preview, "escapeButton");
        });
        window.findChild<QAction*>(QLatin1String(action))->trigger();
        EXPECT_TRUE(seen) << action;
    }

    printing::FreeImageSession m_session;
    printing::FreeImagePictureLibrary m_freeImage;
    printing::ReportPrinter m_printer{root(), m_freeImage};
    testing::FakeLocalClock m_clock;
};

TEST_F(SubscribersPrintMenuTest, ThePrintMenuOpensThePreviewsOnceAPrinterIsSet) {
    SubscribersWindow window(root(), m_dialogs, m_pictures, m_clock);
    auto* print = window.findChild<QPushButton*>(QStringLiteral("printButton"));
    EXPECT_FALSE(print->isEnabled());
    window.setReportPrinter(&m_printer);
    EXPECT_TRUE(print->isEnabled());

    window.findChild<QListWidget*>(QStringLiteral("subscriberList"))->setCurrentRow(1);
    openPreview(window, "sheetAction", [](printing::ReportPreviewWindow& preview) {
        EXPECT_EQ(preview.objectName(), "informationSheetPreview");
        EXPECT_EQ(preview.windowTitle(), "Fiche de renseignements");
        EXPECT_EQ(preview.job().document, printing::ReportDocument::InformationSheet);
        EXPECT_EQ(preview.job().pageCount, 1);
        EXPECT_EQ(preview.findChild<QWidget*>(QStringLiteral("copiesEdit")), nullptr);
    });
    openPreview(window, "formAction", [](printing::ReportPreviewWindow& preview) {
        EXPECT_EQ(preview.windowTitle(), "Formulaire Abonné");
        EXPECT_EQ(preview.findChild<QLabel*>(QStringLiteral("previewHeading"))->text(),
                  "Formulaire d'inscription");
        type(preview, "copiesEdit", "2");
        EXPECT_EQ(preview.job().copies, 2);
    });
    EXPECT_TRUE(m_dialogs.asked.empty());

    window.setReportPrinter(nullptr);
    EXPECT_FALSE(print->isEnabled());
}

TEST_F(SubscribersPrintMenuTest, TheSheetIsOfTheRecordAsEditedNotAsSaved) {
    SubscribersWindow window(root(), m_dialogs, m_pictures, m_clock);
    std::string printedAddress;
    window.setPrinters({}, [&](const SubscriberTable& table, int index) {
        printedAddress = table[static_cast<std::size_t>(index)].address1;
    });
    window.findChild<QListWidget*>(QStringLiteral("subscriberList"))->setCurrentRow(1);
    type(window, "address1Edit", "Chemin des Ecoliers");
    window.findChild<QAction*>(QStringLiteral("sheetAction"))->trigger();
    EXPECT_EQ(printedAddress, "Chemin des Ecoliers");
}

} // namespace
} // namespace tallimo::databases
