#include "app/core/finance_tool_commands.h"

#include "app/core/tool_dates.h"
#include "common/core/cp1252.h"
#include "common/core/date_index.h"
#include "common/core/local_clock.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/booking_rules.h"
#include "finances/core/reservation_editor.h"
#include "session/core/rental_session.h"
#include "session/core/session_file.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

namespace tallimo::app {
namespace {

std::optional<std::int64_t> ParseWhole(std::string_view text, std::int64_t most) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > most)
        return std::nullopt;
    return value;
}

std::optional<std::vector<std::int32_t>> ParsePrices(std::string_view text) {
    std::vector<std::int32_t> prices;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto price = ParseWhole(text.substr(0, comma), INT32_MAX);
        if (!price || prices.size() == finances::kMaxGroupDrivers)
            return std::nullopt;
        prices.push_back(static_cast<std::int32_t>(*price));
        if (comma == std::string_view::npos)
            return prices;
        text.remove_prefix(comma + 1);
    }
}

// The message boxes of a window as lines of UTF-8 output. Questions take
// the scripted answers in order, No once they have run out.
class PrintedDialogs final : public common::MessageSink, public finances::OperatorQuestions {
public:
    PrintedDialogs(std::ostream& out, std::vector<bool> answers)
        : m_out(out), m_answers(std::move(answers)) {}

    void show(const std::string& caption, const std::string& text) override {
        print(caption, "info", text);
    }
    bool ask(const std::string& text) override {
        print(finances::kBookingCaption, "question", text);
        return m_next < m_answers.size() && m_answers[m_next++];
    }

private:
    void print(std::string_view caption, const char* kind, std::string_view text) {
        m_out << common::Cp1252ToUtf8(caption) << '\t' << kind << '\t';
        for (const char c : common::Cp1252ToUtf8(text)) {
            if (c == '\n')
                m_out << "\\n";
            else
                m_out << c;
        }
        m_out << '\n';
    }

    std::ostream& m_out;
    std::vector<bool> m_answers;
    std::size_t m_next = 0;
};

// The options of `book` and `free`; names and texts still in UTF-8.
struct WindowOptions {
    std::optional<std::string> folder;
    std::optional<std::string> kart;
    std::optional<std::pair<std::string, std::string>> subscriber;
    std::optional<std::string> walkIn;
    std::optional<int> duration;
    std::optional<common::DateIndex> date;
    std::optional<common::LocalDateTime> when;
    std::vector<bool> answers;
    bool group = false;
    bool save = false;
};

// "YYYY-MM-DDTHH:MM:SS".
std::optional<common::LocalDateTime> ParseWhen(std::string_view text) {
    if (text.size() != 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto date = ParseDate(text.substr(0, 10));
    const auto hour = ParseDigits(text.substr(11, 2));
    const auto minute = ParseDigits(text.substr(14, 2));
    const auto second = ParseDigits(text.substr(17, 2));
    if (!date || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return common::LocalDateTime{date->year + 1900, date->month + 1, date->day + 1, *hour,
                                 *minute,           *second};
}

// Reads the options `allowed` for the command; `--answer` may come at most
// `maxAnswers` times, the others once.
bool ParseWindowOptions(const std::vector<std::string>& arguments,
                        const std::set<std::string_view>& allowed, std::size_t maxAnswers,
                        WindowOptions& options, std::string& problem) {
    std::set<std::string_view> seen;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (!allowed.contains(option)) {
            problem = "unknown option '" + option + "'";
            return false;
        }
        if (option != "--answer" && !seen.insert(option).second) {
            problem = option + " given twice";
            return false;
        }
        if (option == "--group" || option == "--save") {
            (option == "--group" ? options.group : options.save) = true;
            continue;
        }
        const std::size_t values = option == "--subscriber" ? 2 : 1;
        if (i + values >= arguments.size()) {
            problem =
                option + (values == 2 ? " needs a surname and a first name" : " needs a value");
            return false;
        }
        const std::string& value = arguments[i + 1];
        if (option == "--working-folder") {
            options.folder = value;
        } else if (option == "--kart") {
            options.kart = value;
        } else if (option == "--subscriber") {
            options.subscriber.emplace(value, arguments[i + 2]);
        } else if (option == "--walk-in") {
            options.walkIn = value;
        } else if (option == "--duration") {
            options.duration = ParseDigits(value);
            if (!options.duration) {
                problem = "--duration needs whole minutes, not '" + value + "'";
                return false;
            }
        } else if (option == "--date") {
            options.date = ParseDate(value);
            if (!options.date) {
                problem = "--date needs a day YYYY-MM-DD from 1900 on, not '" + value + "'";
                return false;
            }
        } else if (option == "--when") {
            options.when = ParseWhen(value);
            if (!options.when) {
                problem = "--when needs YYYY-MM-DDTHH:MM:SS from 1900 on, not '" + value + "'";
                return false;
            }
        } else if (option == "--answer") {
            if (value != "yes" && value != "no") {
                problem = "--answer needs yes or no, not '" + value + "'";
                return false;
            }
            if (options.answers.size() == maxAnswers) {
                problem = "--answer given twice";
                return false;
            }
            options.answers.push_back(value == "yes");
        }
        i += values;
    }
    return true;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

using WindowFiles = finances::ReservationFiles;

// The window's loading. Null when the working folder itself is missing.
std::unique_ptr<WindowFiles> OpenWindowFiles(const std::string& folderText,
                                             const common::WorkingFolder& folder,
                                             common::MessageSink& messages, std::ostream& err) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder.root(), error)) {
        err << "tallimo-tool: " << folderText << ": no such working folder\n";
        return nullptr;
    }
    auto files = std::make_unique<WindowFiles>();
    finances::LoadReservationFiles(folder, *files, messages);
    return files;
}

// The kart as the board would hand it over: the window's label lookup,
// and a kart the session actually uses.
std::optional<finances::KartPlace> FindSessionKart(const WindowFiles& files,
                                                   const std::string& label, std::ostream& err) {
    const auto place = finances::FindKartByLabel(files.session, common::Utf8ToCp1252(label));
    if (!place ||
        files.session.kart(place->category, place->slot).usage != session::KartUsage::InSession) {
        err << "tallimo-tool: kart '" << label << "' is not in the session\n";
        return std::nullopt;
    }
    return place;
}

void PrintBooking(std::ostream& out, const session::SessionKart& kart) {
    out << "price=" << kart.price << " loyaltyCode=" << kart.loyaltyCode << " paid=" << kart.paid
        << "\n";
}

} // namespace

int GroupTotalCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::string& usageProblem) {
    std::optional<std::vector<std::int32_t>> prices;
    std::optional<std::int64_t> pay;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if ((option != "--prices" && option != "--pay") || i + 1 == arguments.size()) {
            usageProblem = "unknown option '" + option + "'";
            if (i + 1 == arguments.size() && (option == "--prices" || option == "--pay"))
                usageProblem = option + " needs a value";
            return 2;
        }
        const std::string& value = arguments[++i];
        if (option == "--prices") {
            if (prices) {
                usageProblem = "--prices given twice";
                return 2;
            }
            prices = ParsePrices(value);
            if (!prices) {
                usageProblem = "--prices needs 1 to " + std::to_string(finances::kMaxGroupDrivers) +
                               " whole prices of 0 or more, comma-separated, not '" + value + "'";
                return 2;
            }
        } else {
            if (pay) {
                usageProblem = "--pay given twice";
                return 2;
            }
            pay = ParseWhole(value, finances::kMaxAmountToPay);
            if (!pay) {
                usageProblem = "--pay needs a whole amount from 0 to " +
                               std::to_string(finances::kMaxAmountToPay) + ", not '" + value + "'";
                return 2;
            }
        }
    }
    if (!prices || !pay) {
        usageProblem = "group-total needs --prices and --pay";
        return 2;
    }
    const std::vector<std::int32_t> result = finances::RedistributeTotal(*prices, *pay);
    for (std::size_t i = 0; i < result.size(); ++i)
        out << (i == 0 ? "" : ",") << result[i];
    out << "\n";
    return 0;
}

int BookCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                std::string& usageProblem) {
    static const std::set<std::string_view> allowed{
        "--working-folder", "--kart",   "--subscriber", "--walk-in", "--duration",
        "--date",           "--answer", "--group",      "--save"};
    WindowOptions options;
    if (!ParseWindowOptions(arguments, allowed, SIZE_MAX, options, usageProblem))
        return 2;
    if (!options.folder || !options.kart || !options.duration || !options.date ||
        options.subscriber.has_value() == options.walkIn.has_value()) {
        usageProblem = "book needs --working-folder, --kart, --duration, --date and one of "
                       "--subscriber or --walk-in";
        return 2;
    }
    const common::WorkingFolder folder(PathOf(*options.folder));
    PrintedDialogs dialogs(out, options.answers);
    const std::unique_ptr<WindowFiles> files =
        OpenWindowFiles(*options.folder, folder, dialogs, err);
    if (!files)
        return 1;
    const auto place = FindSessionKart(*files, *options.kart, err);
    if (!place)
        return 1;
    int subscriber = -1;
    if (options.subscriber) {
        const auto& [surname, firstName] = *options.subscriber;
        subscriber =
            finances::FindSubscriber(files->data.subscribers, common::Utf8ToCp1252(surname),
                                     common::Utf8ToCp1252(firstName));
        if (subscriber < 0) {
            err << "tallimo-tool: no subscriber '" << surname << " " << firstName
                << "' in the database\n";
            return 1;
        }
    }
    const int s = finances::SessionIndexOf(
        finances::PriceRowOf(files->data.prices, place->category), *options.duration);
    if (s < 0) {
        err << "tallimo-tool: kart '" << *options.kart << "' has no " << *options.duration
            << "-minute session in its prices\n";
        return 1;
    }
    const std::string walkIn = common::Utf8ToCp1252(options.walkIn.value_or(""));
    const session::SessionKart& kart = files->session.kart(place->category, place->slot);

    bool saved = true;
    if (options.group) {
        finances::GroupReservation group(files->data, files->session, place->category,
                                         *options.date, dialogs, dialogs);
        if (!group.isFreeKart(place->slot)) {
            err << "tallimo-tool: kart '" << *options.kart << "' is not free\n";
            return 1;
        }
        // The window's order: the duration, the kart, the driver, "Ajouter".
        group.chooseDuration(s);
        group.chooseKart(place->slot);
        if (options.subscriber)
            group.holdSubscriber(subscriber);
        else
            group.holdDriver(walkIn, {});
        if (!group.add()) {
            err << "tallimo-tool: kart '" << *options.kart << "' could not be added\n";
            return 1;
        }
        PrintBooking(out, kart);
        if (options.save)
            saved = group.confirm(folder, files->header);
    } else {
        finances::ReservationEditor editor(files->data, files->session, place->category,
                                           place->slot, *options.date, dialogs, dialogs);
        if (options.subscriber)
            editor.chooseSubscriber(subscriber);
        else
            editor.typeWalkInName(walkIn);
        editor.chooseDuration(s);
        PrintBooking(out, kart);
        // Nothing was freed, so the time of "Ok" stamps nothing.
        if (options.save)
            saved = editor.confirm(folder, files->header, common::LocalDateTime{});
    }
    if (!saved) {
        err << "tallimo-tool: " << *options.folder << ": the session could not be saved\n";
        return 1;
    }
    return 0;
}

int FreeCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                std::string& usageProblem) {
    static const std::set<std::string_view> allowed{"--working-folder", "--kart", "--when",
                                                    "--answer"};
    WindowOptions options;
    if (!ParseWindowOptions(arguments, allowed, 1, options, usageProblem))
        return 2;
    if (!options.folder || !options.kart || !options.when) {
        usageProblem = "free needs --working-folder, --kart and --when";
        return 2;
    }
    const common::WorkingFolder folder(PathOf(*options.folder));
    PrintedDialogs dialogs(out,
                           options.answers.empty() ? std::vector<bool>{true} : options.answers);
    const std::unique_ptr<WindowFiles> files =
        OpenWindowFiles(*options.folder, folder, dialogs, err);
    if (!files)
        return 1;
    const auto place = FindSessionKart(*files, *options.kart, err);
    if (!place)
        return 1;
    finances::ReservationEditor editor(files->data, files->session, place->category, place->slot,
                                       common::DateIndexOf(*options.when), dialogs, dialogs);
    editor.freeKart();
    if (!editor.confirm(folder, files->header, *options.when)) {
        err << "tallimo-tool: " << *options.folder << ": not every file could be written\n";
        return 1;
    }
    return 0;
}

} // namespace tallimo::app
