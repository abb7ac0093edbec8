#include "app/core/classify_tool_command.h"

#include "common/core/cp1252.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/classification_sources.h"
#include "printing/core/report_frame.h"
#include "session/core/classification.h"
#include "session/core/session_file.h"

#include <array>
#include <filesystem>
#include <optional>

namespace tallimo::app {
namespace {

using session::ClassificationChoice;

struct ClassifyOptions {
    std::string sessionFile;
    std::string workingFolder = ".";
    session::ClassificationMode mode = session::ClassificationMode::CLASSEMENTToursTemps;
    std::string category = session::kAllText; // Windows-1252, as the lists hold it
    std::string age = session::kAllText;
    int sexFilter = session::kSexFilterBoth;
    bool print = false;
};

std::filesystem::path PathOf(const std::string& argument) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(argument.data()), argument.size()));
}

std::optional<ClassifyOptions> ParseOptions(const std::vector<std::string>& args,
                                            std::string& problem) {
    ClassifyOptions options;
    bool haveFile = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--print") {
            options.print = true;
            continue;
        }
        const bool takesValue = word == "--working-folder" || word == "--by" ||
                                word == "--category" || word == "--age" || word == "--sex";
        if (takesValue && i + 1 >= args.size()) {
            problem = word + " needs a value";
            return std::nullopt;
        }
        if (word == "--working-folder") {
            options.workingFolder = args[++i];
        } else if (word == "--by") {
            const std::string& value = args[++i];
            if (value != "laps" && value != "best") {
                problem = "--by needs laps or best, not '" + value + "'";
                return std::nullopt;
            }
            options.mode = value == "best" ? session::ClassificationMode::CLASSEMENTMeilleurTour
                                           : session::ClassificationMode::CLASSEMENTToursTemps;
        } else if (word == "--category") {
            options.category = common::Utf8ToCp1252(args[++i]);
        } else if (word == "--age") {
            options.age = common::Utf8ToCp1252(args[++i]);
        } else if (word == "--sex") {
            const std::string& value = args[++i];
            if (value == "both")
                options.sexFilter = session::kSexFilterBoth;
            else if (value == "M")
                options.sexFilter = session::kSexFilterMen;
            else if (value == "F")
                options.sexFilter = session::kSexFilterWomen;
            else if (value == "none")
                options.sexFilter = session::kSexFilterNone;
            else {
                problem = "--sex needs both, M, F or none, not '" + value + "'";
                return std::nullopt;
            }
        } else if (word.starts_with("--") || haveFile) {
            problem = "unknown option '" + word + "'";
            return std::nullopt;
        } else {
            options.sessionFile = word;
            haveFile = true;
        }
    }
    if (!haveFile) {
        problem = "session classify needs a SESSION_FILE";
        return std::nullopt;
    }
    return options;
}

// The program's messages, text only, one per line.
class MessageLines final : public common::MessageSink {
public:
    explicit MessageLines(std::ostream& err) : m_err(err) {}
    void show(const std::string&, const std::string& text) override {
        std::string line;
        for (const char c : common::Cp1252ToUtf8(text))
            line += c == '\n' ? ' ' : c;
        m_err << line << "\n";
    }

private:
    std::ostream& m_err;
};

// The first item with exactly that text, as the window's list would select it.
const ClassificationChoice* FindChoice(const std::vector<ClassificationChoice>& choices,
                                       const std::string& text) {
    for (const ClassificationChoice& choice : choices) {
        if (choice.text == text)
            return &choice;
    }
    return nullptr;
}

template <typename Texts> void WriteTabbed(std::ostream& out, const Texts& texts) {
    bool first = true;
    for (const auto& text : texts) {
        if (!first)
            out << '\t';
        first = false;
        out << common::Cp1252ToUtf8(text);
    }
    out << '\n';
}

void WritePages(std::ostream& out, const session::ClassificationTable& shown,
                const session::ClassificationFilter& filter, const std::string& trackName) {
    std::array<const char*, session::kPrintedColumns.size()> headings{};
    for (std::size_t c = 0; c < headings.size(); ++c)
        headings[c] =
            session::kClassificationHeadings[static_cast<std::size_t>(session::kPrintedColumns[c])];
    const std::string title = common::Cp1252ToUtf8(session::ClassificationTitle(filter, true));
    const std::string track = common::Cp1252ToUtf8("Piste : " + trackName);
    for (const session::ClassificationPrintedPage& page : session::ClassificationPages(shown)) {
        out << common::Cp1252ToUtf8(session::kClassificationPrintedHeading) << '\n'
            << title << '\n'
            << track << '\n';
        WriteTabbed(out, headings);
        for (const session::ClassificationPrintedRow& row : page.rows)
            WriteTabbed(out, row);
        out << common::Cp1252ToUtf8(printing::SignatureLine(printing::ReportFamily::Classification))
            << '\n'
            << session::PageNumberText(page.number, page.count) << '\n';
    }
}

} // namespace

int ClassifyCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    std::string& usageProblem) {
    const std::optional<ClassifyOptions> options = ParseOptions(arguments, usageProblem);
    if (!options)
        return 2;

    // What could be read of a damaged file is ranked; only a file that
    // cannot be read at all stops here.
    session::RentalSession rental;
    session::ClearSession(rental);
    session::SessionHeader header;
    header.trackName.clear();
    if (!session::LoadSessionFileFrom(PathOf(options->sessionFile), rental, header)) {
        err << common::Cp1252ToUtf8(session::kSessionFileErrorText) << '\n';
        return 1;
    }

    MessageLines messages(err);
    const databases::ClassificationSources sources = databases::LoadClassificationSources(
        common::WorkingFolder(PathOf(options->workingFolder)), messages);

    // The lists outlive the choices found in them.
    const std::vector<ClassificationChoice> categories =
        session::KartCategoryChoices(sources.categoryNames);
    const std::vector<ClassificationChoice> ages = session::AgeCategoryChoices(sources.ages);
    const ClassificationChoice* category = FindChoice(categories, options->category);
    if (category == nullptr) {
        usageProblem = "no kart category '" + common::Cp1252ToUtf8(options->category) + "'";
        return 2;
    }
    const ClassificationChoice* age = FindChoice(ages, options->age);
    if (age == nullptr) {
        usageProblem = "no age category '" + common::Cp1252ToUtf8(options->age) + "'";
        return 2;
    }

    session::ClassificationFilter filter;
    filter.kartCategory = category->index;
    filter.kartCategoryText = category->index == session::kAllCategories ? "" : category->text;
    filter.ageCategory = age->index;
    filter.ageCategoryText = age->index == session::kAllCategories ? "" : age->text;
    filter.sexFilter = options->sexFilter;

    session::ClassificationTable full =
        session::BuildFullClassification(rental, sources.people, sources.ages);
    session::SelectRows(full, filter);
    const session::ClassificationTable shown = session::ShownClassification(full, options->mode);

    if (options->print) {
        WritePages(out, shown, filter, header.trackName);
        return 0;
    }
    out << common::Cp1252ToUtf8(session::ClassificationTitle(filter, false)) << '\n';
    if (filter.sexFilter == session::kSexFilterNone)
        return 0;
    for (std::size_t r = 0; r < shown.size(); ++r)
        WriteTabbed(out, session::ClassificationRow(shown[r], static_cast<int>(r) + 1));
    return 0;
}

} // namespace tallimo::app
