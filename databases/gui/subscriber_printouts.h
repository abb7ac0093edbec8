#pragma once

// The subscriber's information sheet and the blank registration form on
// the printing frame: their jobs, their preview windows, and the jobs the
// companion tool builds from a working folder's files.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/subscriber_printouts.h"
#include "printing/gui/report_printer.h"

#include <optional>
#include <string_view>

class QWidget;

namespace tallimo::common {
class OperatorDialogs;
}

namespace tallimo::databases {

// The sheet of `subscriber` (copied into the job), its photo drawn through
// `printer`, which must outlive the job.
printing::ReportJob MakeInformationSheetJob(const Subscriber& subscriber,
                                            const SubscriberPrintoutTexts& texts,
                                            const printing::ReportPrinter& printer);

// The blank form, `copies` of it.
printing::ReportJob MakeRegistrationFormJob(const SubscriberPrintoutTexts& texts, int copies = 1);

// The modal previews, their translations read from `folder` as they open
// (a missing file reported through `dialogs`). The sheet shows the record
// as it is handed over, edits not yet saved included.
void ShowInformationSheet(const printing::ReportPrinter& printer,
                          const common::WorkingFolder& folder, common::OperatorDialogs& dialogs,
                          const Subscriber& subscriber, QWidget* parent);
void ShowRegistrationForm(const printing::ReportPrinter& printer,
                          const common::WorkingFolder& folder, common::OperatorDialogs& dialogs,
                          QWidget* parent);

// For `tallimo-tool print`: the subscribers and the translations of
// `folder` read with the windows' messages. Nothing, with the reason told,
// when the subscribers cannot be read or none answers to the names
// (Windows-1252). The job owns what it draws the photo with.
std::optional<printing::ReportJob>
InformationSheetJobFromFolder(const common::WorkingFolder& folder, std::string_view surname,
                              std::string_view firstName, common::MessageSink& messages);
std::optional<printing::ReportJob>
RegistrationFormJobFromFolder(const common::WorkingFolder& folder, int copies,
                              common::MessageSink& messages);

} // namespace tallimo::databases
