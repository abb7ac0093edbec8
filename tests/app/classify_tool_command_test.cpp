#include "app/core/tool_command_line.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "session/core/session_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tallimo::app {
namespace {

struct ToolRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A session of three timed karts in "Adultes" (slot 0), one in the private
// karts, and the databases that go with it.
class ClassifyToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        session::SessionHeader header;
        header.trackName = "Circuit d'\xC9t\xE9";
        m_session.categories[0].categoryName = "Adultes";
        m_session.categories[5].categoryName = session::kPrivateCategoryName;
        timed(0, 0, "Martin", "Julie", 10, 300000, 29100);
        timed(0, 1, "Bernard", "Hugo", 10, 299500, 29400);
        timed(0, 2, "Petit", "Alexandre", 0, 0, 0);
        timed(5, 0, "Durand", "Luc", 4, 130000, 31000);
        writeSession(header);

        databases::CategoryTable categories;
        categories[0].name = "Adultes";
        m_folder.write(databases::kCategoriesFileName,
                       databases::FormatCategoriesFile(categories, databases::kCategorySlots));
        databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
        subscribers[0].name = "Martin";
        subscribers[0].firstName = "Julie";
        subscribers[0].club = "Les As";
        subscribers[0].sex = 0;
        databases::SetBirthDate(subscribers[0], {0, 3, 105});
        m_folder.write(databases::kSubscribersFileName,
                       databases::FormatSubscribersFile(subscribers, 1));
        databases::AgeCategoryTable ages;
        ages[0].code = "J";
        ages[0].ageCategoryName = "Juniors";
        ages[0].sex = 0;
        databases::SetAgeCategoryTo(ages[0], 11, 110);
        databases::SetAgeCategoryFrom(ages[0], 0, 100);
        m_folder.write(databases::kAgeCategoriesFileName,
                       databases::FormatAgeCategoriesFile(ages, 1));
    }

    void timed(int c, int k, const char* name, const char* firstName, int laps, int total,
               int best) {
        session::SessionKart& kart = m_session.kart(c, k);
        kart.kartLabel = session::KartLabelFor(c, k);
        kart.driverName = name;
        kart.driverFirstName = firstName;
        kart.usage = session::KartUsage::InSession;
        kart.trackState = session::TrackState::Timing;
        kart.lapCount = kart.lastLapIndex = laps;
        kart.totalTime = total;
        kart.bestLap = best;
    }

    void writeSession(const session::SessionHeader& header) {
        m_folder.write("s.rent", session::FormatSessionFile(m_session, header));
    }

    ToolRun run(std::vector<std::string> options) {
        std::vector<std::string> arguments = {"session", "classify", (m_folder / "s.rent").string(),
                                              "--working-folder", m_folder.path().string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        std::ostringstream out, err;
        ToolRun result;
        result.exitCode = RunToolCommandLine(arguments, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    testing::TemporaryFolder m_folder;
    session::RentalSession m_session;
};

TEST_F(ClassifyToolTest, RanksWithTheWindowsFiltersAndOrders) {
    const ToolRun all = run({});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(all.out, "Classement de la s\xC3\xA9"
                       "ance\n"
                       "1\tK2\tBernard Hugo\t\tM\t\tAdultes\t10\t4:59.500\t29.400\n"
                       "2\tK1\tMartin Julie\tJ\tF\tLes As\tAdultes\t10\t5:00.000\t29.100\n"
                       "3\tKP1\tDurand Luc\t\tM\t\tKarts priv\xC3\xA9s\t4\t2:10.000\t31.000\n"
                       "4\tK3\tPetit Alexa.\t\tM\t\tAdultes\t\t\t\n");

    const struct {
        std::vector<std::string> options;
        std::string title;
        std::vector<std::string> ranks; // "rank kart" of each row
    } rows[] = {
        {{"--by", "best"},
         "Classement de la s\xC3\xA9"
         "ance",
         {"1\tK1", "2\tK2", "3\tKP1", "4\tK3"}},
        {{"--category", "Karts priv\xC3\xA9s"},
         "Classement de la s\xC3\xA9"
         "ance : Karts priv\xC3\xA9s",
         {"1\tKP1"}},
        {{"--category", "Adultes", "--age", "J (Juniors)", "--sex", "F"},
         "Classement de la s\xC3\xA9"
         "ance : Adultes / J (Juniors) / Femmes",
         {"1\tK1"}},
        {{"--sex", "M", "--by", "best"},
         "Classement de la s\xC3\xA9"
         "ance / Hommes",
         {"1\tK2", "2\tKP1", "3\tK3"}},
        {{"--sex", "none"},
         "Le sexe des pilotes n'a \xC3\xA9t\xC3\xA9 s\xC3\xA9lectionn\xC3\xA9 !",
         {}},
    };
    for (const auto& row : rows) {
        const ToolRun result = run(row.options);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), row.ranks.size() + 1) << row.title;
        EXPECT_EQ(lines[0], row.title);
        for (std::size_t r = 0; r < row.ranks.size(); ++r)
            EXPECT_EQ(lines[r + 1].substr(0, row.ranks[r].size()), row.ranks[r]) << row.title;
    }
}

TEST_F(ClassifyToolTest, PrintsThirtyRowsAPage) {
    for (int k = 3; k < 30; ++k)
        timed(0, k, "Pilote", "P", 1, 60000 + k, 60000 + k);
    session::SessionHeader header;
    header.trackName = "Circuit d'\xC9t\xE9";
    writeSession(header);

    const ToolRun printed = run({"--print", "--sex", "both"});
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    const std::vector<std::string> lines = Lines(printed.out);
    // Two pages: six lines of frame each, 30 rows then 1.
    ASSERT_EQ(lines.size(), 6u + 30u + 6u + 1u);
    EXPECT_EQ(lines[0], "Classement s\xC3\xA9"
                        "ance de location");
    EXPECT_EQ(lines[1], "Classement de la S\xC3\xA9"
                        "ance");
    EXPECT_EQ(lines[2], "Piste : Circuit d'\xC3\x89t\xC3\xA9");
    EXPECT_EQ(lines[3], "Pos\tKart\tPilote\tTeam\tCat\xC3\xA9gorie\tTours\tTemps\tMeilleur");
    EXPECT_EQ(lines[5], "2\tK1\tMartin Julie\tLes As\tAdultes\t10\t5:00.000\t29.100");
    EXPECT_EQ(lines[34], "(powered by Tallimo software)");
    EXPECT_EQ(lines[35], "Page 1 /2");
    EXPECT_EQ(lines[36], lines[0]);
    EXPECT_EQ(lines[40].substr(0, 6), "31\tK3\t"); // no lap: last
    EXPECT_EQ(lines[42], "Page 2 /2");

    const ToolRun none = run({"--print", "--sex", "none"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
}

TEST_F(ClassifyToolTest, MissingFilesAndBadOptions) {
    std::filesystem::remove(m_folder / "BaseDonn\xC3\xA9"
                                       "esAges.bd1");
    const ToolRun noAges = run({"--sex", "M"});
    EXPECT_EQ(noAges.exitCode, 0);
    EXPECT_EQ(noAges.err, "Error : 'Age categories' database file not found\n");
    EXPECT_EQ(Lines(noAges.out).size(), 4u);

    const struct {
        std::vector<std::string> options;
        int exitCode;
    } rows[] = {
        {{"--by", "time"}, 2},
        {{"--sex", "X"}, 2},
        {{"--category", "Enfants"}, 2}, // not among the kart categories
        {{"--age", "J (Juniors)"}, 2},  // the ages file is gone
        {{"--age"}, 2},
        {{"--colour"}, 2},
        {{"other.rent"}, 2}, // a second session file
    };
    for (const auto& row : rows) {
        const ToolRun result = run(row.options);
        EXPECT_EQ(result.exitCode, row.exitCode) << row.options[0];
        EXPECT_EQ(result.out, "") << row.options[0];
        EXPECT_NE(result.err.find("usage:"), std::string::npos) << row.options[0];
    }

    std::filesystem::remove(m_folder / "s.rent");
    const ToolRun noSession = run({});
    EXPECT_EQ(noSession.exitCode, 1);
    EXPECT_EQ(noSession.out, "");
    EXPECT_EQ(noSession.err, "Error: 'Rental session' file not found\n");
}

} // namespace
} // namespace tallimo::app
