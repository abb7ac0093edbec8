#include "app/core/print_tool_command.h"

#include "common/core/cp1252.h"

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

namespace tallimo::app {
namespace {

constexpr int kCategories = 5;
constexpr int kMostCopies = 99;

struct KindName {
    std::string_view name;
    PrintoutKind kind;
};
constexpr KindName kKinds[] = {
    {"prices", PrintoutKind::Prices},       {"private-prices", PrintoutKind::PrivatePrices},
    {"ticket", PrintoutKind::Ticket},       {"group-ticket", PrintoutKind::GroupTicket},
    {"discounts", PrintoutKind::Discounts}, {"loyalty-points", PrintoutKind::LoyaltyPoints},
    {"sheet", PrintoutKind::Sheet},         {"form", PrintoutKind::Form},
};

std::optional<int> WholeNumber(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::filesystem::path PathOf(const std::string& argument) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(argument.data()), argument.size()));
}

// The printout's messages, in the program's words, one per line.
class ErrorLines final : public common::MessageSink {
public:
    explicit ErrorLines(std::ostream& err) : m_err(err) {}
    void show(const std::string&, const std::string& text) override {
        std::string line;
        for (const char c : common::Cp1252ToUtf8(text))
            line += c == '\n' ? ' ' : c;
        m_err << line << "\n";
    }

private:
    std::ostream& m_err;
};

} // namespace

std::optional<PrintoutRequest> ParsePrintRequest(const std::vector<std::string>& args,
                                                 std::string& problem) {
    if (args.size() < 2) {
        problem = "print needs a KIND, --working-folder and --pdf";
        return std::nullopt;
    }
    PrintoutRequest request;
    bool known = false;
    for (const KindName& entry : kKinds)
        if (args[1] == entry.name) {
            request.kind = entry.kind;
            known = true;
        }
    if (!known) {
        problem = "unknown printout '" + args[1] + "'";
        return std::nullopt;
    }
    bool hasCategory = false, hasKart = false, hasSubscriber = false, hasCopies = false,
         hasList = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--working-folder" && hasValue) {
            request.folder = PathOf(args[++i]);
        } else if (args[i] == "--pdf" && hasValue) {
            request.pdf = PathOf(args[++i]);
        } else if (args[i] == "--category" && hasValue) {
            // A group ticket may also be for the private karts, the sixth.
            const int last =
                request.kind == PrintoutKind::GroupTicket ? kCategories + 1 : kCategories;
            const std::optional<int> number = WholeNumber(args[++i], 1, last);
            if (!number) {
                problem = "--category needs a category number from 1 to " + std::to_string(last) +
                          ", not '" + args[i] + "'";
                return std::nullopt;
            }
            request.category = *number - 1;
            hasCategory = true;
        } else if (args[i] == "--kart" && hasValue) {
            request.kart = common::Utf8ToCp1252(args[++i]);
            hasKart = true;
        } else if (args[i] == "--subscriber") {
            // A forgotten first name must not swallow the next option.
            if (i + 2 >= args.size() || args[i + 1].starts_with("--") ||
                args[i + 2].starts_with("--")) {
                problem = "--subscriber needs SURNAME FIRSTNAME";
                return std::nullopt;
            }
            request.surname = common::Utf8ToCp1252(args[++i]);
            request.firstName = common::Utf8ToCp1252(args[++i]);
            hasSubscriber = true;
        } else if (args[i] == "--copies" && hasValue) {
            const std::optional<int> copies = WholeNumber(args[++i], 1, kMostCopies);
            if (!copies) {
                problem = "--copies needs a number from 1 to 99, not '" + args[i] + "'";
                return std::nullopt;
            }
            request.copies = *copies;
            hasCopies = true;
        } else if (args[i] == "--list" && hasValue) {
            const std::string& list = args[++i];
            if (list == "earned")
                request.list = LoyaltyList::Earned;
            else if (list == "free")
                request.list = LoyaltyList::FreeSession;
            else if (list == "subscribers")
                request.list = LoyaltyList::Subscribers;
            else {
                problem = "--list needs earned, free or subscribers, not '" + list + "'";
                return std::nullopt;
            }
            hasList = true;
        } else {
            problem = "unknown option '" + args[i] + "'";
            return std::nullopt;
        }
    }
    if (request.folder.empty() || request.pdf.empty()) {
        problem = "print needs --working-folder and --pdf";
        return std::nullopt;
    }

    // Each printout takes the options it uses and no other, so a mistyped
    // command never writes a different printout than the one meant.
    const PrintoutKind kind = request.kind;
    const bool needsCategory = kind == PrintoutKind::Prices || kind == PrintoutKind::GroupTicket;
    const bool needsKart = kind == PrintoutKind::Ticket;
    const bool needsSubscriber = kind == PrintoutKind::Sheet;
    const bool takesCopies = kind == PrintoutKind::Ticket || kind == PrintoutKind::GroupTicket ||
                             kind == PrintoutKind::Form;
    const bool takesList = kind == PrintoutKind::LoyaltyPoints;
    const std::string& name = args[1];
    if (needsCategory != hasCategory)
        problem = name + (needsCategory ? " needs --category N" : " takes no --category");
    else if (needsKart != hasKart)
        problem = name + (needsKart ? " needs --kart LABEL" : " takes no --kart");
    else if (needsSubscriber != hasSubscriber)
        problem = name + (needsSubscriber ? " needs --subscriber SURNAME FIRSTNAME"
                                          : " takes no --subscriber");
    else if (hasCopies && !takesCopies)
        problem = name + " takes no --copies";
    else if (hasList && !takesList)
        problem = name + " takes no --list";
    if (!problem.empty())
        return std::nullopt;
    return request;
}

int PrintCommand(const std::vector<std::string>& arguments, std::ostream& err,
                 PrintoutWriter* writer, std::string& usageProblem) {
    const std::optional<PrintoutRequest> request = ParsePrintRequest(arguments, usageProblem);
    if (!request)
        return 2;
    if (writer == nullptr) {
        err << "tallimo-tool: print needs the tool built with Qt\n";
        return 1;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(request->folder, error)) {
        const std::u8string folder = request->folder.u8string();
        err << "tallimo-tool: "
            << std::string_view(reinterpret_cast<const char*>(folder.data()), folder.size())
            << ": no such working folder\n";
        return 1;
    }
    ErrorLines messages(err);
    if (!writer->writePdf(*request, messages)) {
        err << "tallimo-tool: the printout was not written\n";
        return 1;
    }
    return 0;
}

} // namespace tallimo::app
