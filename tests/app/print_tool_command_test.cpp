#include "app/core/print_tool_command.h"
#include "app/core/tool_command_line.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tallimo::app {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Keeps what the tool asked for and says what it was told to.
class RecordingWriter final : public PrintoutWriter {
public:
    bool writePdf(const PrintoutRequest& request, common::MessageSink& messages) override {
        asked.push_back(request);
        if (!answer)
            messages.show("Error", "Error : 'Sessions prices' database file not found");
        return answer;
    }
    std::vector<PrintoutRequest> asked;
    bool answer = true;
};

TEST(PrintToolCommandTest, EachPrintoutTakesItsOwnOptionsAndNoOther) {
    const struct {
        const char* line;
        const char* problem; // empty: accepted
    } rows[] = {
        {"print prices --working-folder D --category 2 --pdf o.pdf", ""},
        {"print prices --working-folder D --pdf o.pdf", "prices needs --category N"},
        {"print prices --working-folder D --category 6 --pdf o.pdf",
         "--category needs a category number from 1 to 5, not '6'"},
        {"print private-prices --working-folder D --category 1 --pdf o.pdf",
         "private-prices takes no --category"},
        {"print ticket --working-folder D --kart 12 --copies 3 --pdf o.pdf", ""},
        {"print ticket --working-folder D --pdf o.pdf", "ticket needs --kart LABEL"},
        {"print ticket --working-folder D --kart 1 --copies 100 --pdf o.pdf",
         "--copies needs a number from 1 to 99, not '100'"},
        {"print sheet --working-folder D --subscriber BERNARD Hugo --pdf o.pdf", ""},
        {"print sheet --working-folder D --subscriber BERNARD --pdf o.pdf",
         "--subscriber needs SURNAME FIRSTNAME"},
        {"print discounts --working-folder D --copies 2 --pdf o.pdf",
         "discounts takes no --copies"},
        {"print loyalty-points --working-folder D --list free --pdf o.pdf", ""},
        {"print loyalty-points --working-folder D --list all --pdf o.pdf",
         "--list needs earned, free or subscribers, not 'all'"},
        {"print form --working-folder D", "print needs --working-folder and --pdf"},
        {"print poster --working-folder D --pdf o.pdf", "unknown printout 'poster'"},
    };
    for (const auto& row : rows) {
        std::string problem;
        const std::optional<PrintoutRequest> request = ParsePrintRequest(Words(row.line), problem);
        EXPECT_EQ(problem, row.problem) << row.line;
        EXPECT_EQ(request.has_value(), problem.empty()) << row.line;
    }

    std::string problem;
    const auto ticket =
        ParsePrintRequest(Words("print group-ticket --working-folder D --category 5 --copies 4 "
                                "--pdf o.pdf"),
                          problem);
    ASSERT_TRUE(ticket);
    EXPECT_EQ(ticket->kind, PrintoutKind::GroupTicket);
    EXPECT_EQ(ticket->category, 4) << "the operator's numbers start at 1";
    EXPECT_EQ(ticket->copies, 4);
}

TEST(PrintToolCommandTest, MessagesGoToStderrAndAFailedPrintoutExitsOne) {
    testing::TemporaryFolder folder;
    RecordingWriter writer;
    std::ostringstream out, err;
    const std::vector<std::string> command = {"print",
                                              "sheet",
                                              "--working-folder",
                                              folder.path().string(),
                                              "--subscriber",
                                              "MÜLLER",
                                              "Zoé",
                                              "--pdf",
                                              (folder / "s.pdf").string()};
    EXPECT_EQ(RunToolCommandLine(command, out, err, nullptr, &writer), 0);
    ASSERT_EQ(writer.asked.size(), 1u);
    EXPECT_EQ(writer.asked[0].surname, "M\xDCLLER") << "names reach the files' encoding";
    EXPECT_EQ(writer.asked[0].firstName, "Zo\xE9");

    writer.answer = false;
    EXPECT_EQ(RunToolCommandLine(command, out, err, nullptr, &writer), 1);
    EXPECT_EQ(err.str(), "Error : 'Sessions prices' database file not found\n"
                         "tallimo-tool: the printout was not written\n");
    EXPECT_TRUE(out.str().empty());

    std::ostringstream missing;
    EXPECT_EQ(RunToolCommandLine({"print", "form", "--working-folder",
                                  (folder / "nowhere").string(), "--pdf", "f.pdf"},
                                 out, missing, nullptr, &writer),
              1);
    EXPECT_NE(missing.str().find("no such working folder"), std::string::npos);
    EXPECT_EQ(writer.asked.size(), 2u);
}

} // namespace
} // namespace tallimo::app
