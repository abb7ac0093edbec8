#include "app/core/email_tool_commands.h"

#include "app/core/tool_dates.h"
#include "common/core/cp1252.h"
#include "common/core/date_index.h"
#include "common/core/message_sink.h"
#include "common/core/program_settings.h"
#include "common/core/working_folder.h"
#include "emails/core/due_emails.h"
#include "emails/core/email_check.h"
#include "emails/core/email_sending.h"
#include "emails/core/email_sources.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace tallimo::app {
namespace {

// The form's base when neither the option nor the settings name one: a
// name that can never reach anybody.
constexpr const char* kFallbackFormBase = "https://mailing.invalid/";

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string OneLine(std::string_view cp1252) {
    std::string line;
    for (const char c : common::Cp1252ToUtf8(cp1252))
        line += c == '\n' ? ' ' : c;
    return line;
}

// The program's messages, in its words, one per line.
class ErrorLines final : public common::MessageSink {
public:
    explicit ErrorLines(std::ostream& err) : m_err(err) {}
    void show(const std::string&, const std::string& text) override {
        m_err << OneLine(text) << "\n";
    }

private:
    std::ostream& m_err;
};

std::string KindText(const emails::PlannedEmail& email) {
    switch (email.kind) {
    case emails::EmailKind::Nameday:
        return "nameday";
    case emails::EmailKind::Event:
        return "event " + std::to_string(email.eventIndex);
    case emails::EmailKind::Loyalty:
        return "loyalty";
    case emails::EmailKind::Birthday:
        break;
    }
    return "birthday";
}

void PrintEmail(std::ostream& out, const emails::PlannedEmail& email,
                const emails::EmailSources& sources) {
    const databases::Subscriber& subscriber =
        sources.subscribers[static_cast<std::size_t>(email.subscriber)];
    out << KindText(email) << '\t' << common::Cp1252ToUtf8(subscriber.name) << '\t'
        << common::Cp1252ToUtf8(subscriber.firstName) << '\n'
        << email.url << '\n';
}

// Accepts every address of a group and prints it with its recipient.
class PrintingOpener final : public emails::AddressOpener {
public:
    PrintingOpener(std::ostream& out, const emails::EmailSources& sources,
                   std::vector<emails::PlannedEmail> plan)
        : m_out(out), m_sources(sources), m_plan(std::move(plan)) {}

    bool open(const std::string& url) override {
        if (m_next < m_plan.size()) {
            emails::PlannedEmail email = m_plan[m_next++];
            email.url = url;
            PrintEmail(m_out, email, m_sources);
        }
        return true;
    }

private:
    std::ostream& m_out;
    const emails::EmailSources& m_sources;
    std::vector<emails::PlannedEmail> m_plan;
    std::size_t m_next = 0;
};

struct EmailOptions {
    std::string folder;
    common::DateIndex date;
    std::optional<std::string> formBase;
};

std::optional<EmailOptions> ParseOptions(const std::vector<std::string>& args,
                                         std::string& problem) {
    std::optional<std::string> folder, date, formBase;
    for (std::size_t i = 2; i < args.size(); i += 2) {
        std::optional<std::string>* slot = args[i] == "--working-folder" ? &folder
                                           : args[i] == "--date"         ? &date
                                           : args[i] == "--form-base"    ? &formBase
                                                                         : nullptr;
        if (slot == nullptr || i + 1 == args.size() || slot->has_value()) {
            problem = slot == nullptr     ? "unknown option '" + args[i] + "'"
                      : slot->has_value() ? args[i] + " given twice"
                                          : args[i] + " needs a value";
            return std::nullopt;
        }
        *slot = args[i + 1];
    }
    if (!folder || !date) {
        problem = "emails " + args[1] + " needs --working-folder and --date";
        return std::nullopt;
    }
    const auto parsed = ParseDate(*date);
    if (!parsed) {
        problem = "--date needs YYYY-MM-DD, not '" + *date + "'";
        return std::nullopt;
    }
    return EmailOptions{*folder, *parsed, formBase};
}

std::string FormBaseOf(const EmailOptions& options, const common::WorkingFolder& folder) {
    if (options.formBase)
        return *options.formBase;
    common::ProgramSettings settings;
    common::LoadProgramSettings(folder, settings);
    const std::string base = settings.mailingFormBase();
    return emails::HasMailingForm(base) ? base : kFallbackFormBase;
}

} // namespace

int EmailsCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  std::string& usageProblem) {
    if (arguments.size() < 2 || (arguments[1] != "due" && arguments[1] != "send")) {
        usageProblem = "emails needs due or send";
        return 2;
    }
    const bool sending = arguments[1] == "send";
    const std::optional<EmailOptions> options = ParseOptions(arguments, usageProblem);
    if (!options)
        return 2;
    const common::WorkingFolder folder(PathOf(options->folder));
    std::error_code error;
    if (!std::filesystem::is_directory(folder.root(), error)) {
        err << "tallimo-tool: " << options->folder << ": no such working folder\n";
        return 1;
    }
    const std::string formBase = FormBaseOf(*options, folder);

    ErrorLines messages(err);
    emails::EmailSources sources = emails::LoadEmailSources(folder, messages);
    const emails::DueEmails due = emails::ComputeDueEmails(sources, options->date);
    if (!sending) {
        for (const emails::PlannedEmail& email : emails::PlanAllDue(due, sources, formBase))
            PrintEmail(out, email, sources);
        return 0;
    }

    if (const auto refusal =
            emails::SendingRefusal(sources.contact, sources.languages.interfaceCode)) {
        err << OneLine(*refusal) << "\n";
        return 1;
    }
    for (const emails::EmailGroup& group : due.groups) {
        PrintingOpener opener(out, sources, emails::PlanGroup(group, sources, formBase));
        emails::SendGroup(group, sources, formBase, opener);
    }
    if (!emails::SaveSentMarkers(folder, sources, messages)) {
        err << "tallimo-tool: " << options->folder << ": not every file could be written\n";
        return 1;
    }
    return 0;
}

} // namespace tallimo::app
