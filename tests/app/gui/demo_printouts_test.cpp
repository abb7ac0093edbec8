// Every counter printout written by `tallimo-tool print` from the demo's
// folder, through the same functions as the preview windows.

#include "app/core/demo_working_folder.h"
#include "app/core/first_start.h"
#include "app/core/tool_command_line.h"
#include "app/gui/pdf_printout_writer.h"
#include "finances/core/session_prices.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace tallimo::app {
namespace {

int PagesIn(const std::filesystem::path& pdf) {
    std::ifstream file(pdf, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    int pages = 0;
    for (std::size_t at = text.find("/Type /Page\n"); at != std::string::npos;
         at = text.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

class DemoPrintoutsTest : public testing::WindowTest {
protected:
    DemoPrintoutsTest() {
        CreateMissingDataFiles(root());
        EXPECT_TRUE(WriteDemoWorkingFolder(root(), clock.now()));
    }

    int print(std::vector<std::string> options, const std::string& pdf) {
        std::vector<std::string> command = {"print"};
        command.insert(command.end(), options.begin(), options.end());
        command.insert(command.end(), {"--working-folder", root().path(".").string(), "--pdf",
                                       root().path(pdf).string()});
        out.str({});
        err.str({});
        return RunToolCommandLine(command, out, err, nullptr, &writer);
    }

    testing::FakeLocalClock clock;
    PdfPrintoutWriter writer{clock};
    std::ostringstream out, err;
};

TEST_F(DemoPrintoutsTest, EachPrintoutOfTheDemoIsWrittenWithItsPagesAndCopies) {
    const struct {
        std::vector<std::string> options;
        int pages;
    } rows[] = {
        {{"prices", "--category", "1"}, 1},
        {{"private-prices"}, 1},
        {{"ticket", "--kart", "K1", "--copies", "3"}, 3},
        {{"group-ticket", "--category", "2", "--copies", "2"}, 2},
        {{"discounts"}, 4},
        {{"loyalty-points", "--list", "free"}, 1},
        {{"loyalty-points", "--list", "subscribers"}, 1},
        {{"sheet", "--subscriber", "Bernard", "Hugo"}, 1},
        {{"form", "--copies", "2"}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.options.front());
        ASSERT_EQ(print(row.options, "out.pdf"), 0) << err.str();
        EXPECT_EQ(PagesIn(root().path("out.pdf")), row.pages);
        EXPECT_TRUE(out.str().empty());
    }
}

TEST_F(DemoPrintoutsTest, APrintoutThatCannotBeMadeSaysWhyAndWritesNothing) {
    EXPECT_EQ(print({"ticket", "--kart", "K42"}, "none.pdf"), 1);
    EXPECT_EQ(err.str(), "Error : Kart K42 not found in the session\n"
                         "tallimo-tool: the printout was not written\n");
    EXPECT_EQ(print({"prices", "--category", "4"}, "none.pdf"), 1);
    EXPECT_EQ(err.str(), "Error : Go-karts category 4 not found\n"
                         "tallimo-tool: the printout was not written\n");
    std::filesystem::remove(root().path(finances::kPricesFileName));
    EXPECT_EQ(print({"private-prices"}, "none.pdf"), 1);
    EXPECT_NE(err.str().find("'Sessions prices' database file not found"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(root().path("none.pdf")));
}

} // namespace
} // namespace tallimo::app
