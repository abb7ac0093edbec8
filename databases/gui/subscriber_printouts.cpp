#include "databases/gui/subscriber_printouts.h"

#include "common/gui/operator_dialogs.h"
#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/registration_form_texts.h"
#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/report_preview.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

namespace tallimo::databases {
namespace {

using common::FromCp1252;
using printing::ReportFont;

// Logical units of the 550 x 800 sheet page. The frame's logo takes the top
// left corner up to y = 75 and its signature the line above y = 775.
constexpr int kLeft = 25;
constexpr int kRight = 525;
constexpr QRect kHeadingBox(kLeft, 86, 310, 30);
constexpr QRect kNameBox(kLeft, 122, 310, 24);
// The subscribers window's photo area, 207 x 148, brought down to fit
// beside the heading.
constexpr QRect kPhotoBox(345, 25, 180, 129);
constexpr int kRuleY = 170;
constexpr int kFirstLineY = 192;
constexpr int kLineStep = 40;
constexpr int kLineHeight = 24;
constexpr int kLabelX = 40;
constexpr int kValueX = 210;
constexpr int kLabelFont = 13;
constexpr int kValueFont = 14;
constexpr int kNoteFont = 10;
constexpr int kSmallestFont = 8;
constexpr int kMostCopies = 99;

const QColor kLabelColour(70, 70, 70);
const QColor kRuleColour(150, 150, 150);
const QColor kFillColour(185, 185, 185);
const QColor kNoteColour(110, 110, 110);

// Texts that would run past their box are set smaller rather than cut: an
// e-mail address must stay whole to be of any use.
void DrawFitted(QPainter& painter, const QRect& box, const QString& text, int size, bool bold,
                int flags) {
    QFont font = ReportFont(size, bold);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width()) {
        const int fitted = static_cast<int>(size * box.width() / width);
        font = ReportFont(std::max(kSmallestFont, fitted), bold);
    }
    painter.setFont(font);
    painter.drawText(box, flags | Qt::TextSingleLine, text);
}

void DrawHeader(QPainter& painter, const QString& heading, const QString& name) {
    painter.setPen(Qt::black);
    DrawFitted(painter, kHeadingBox, heading, 22, true, Qt::AlignLeft | Qt::AlignVCenter);
    if (!name.isEmpty())
        DrawFitted(painter, kNameBox, name, 16, false, Qt::AlignLeft | Qt::AlignVCenter);
    painter.setPen(QPen(kRuleColour, 1));
    painter.drawRect(kPhotoBox);
    painter.drawLine(kLeft, kRuleY, kRight, kRuleY);
}

struct DrawnLine {
    QString label;
    QString value;
    bool birthDate = false;
    bool optional = false;
};

std::vector<DrawnLine> ToDrawn(const std::vector<PrintoutLine>& lines) {
    std::vector<DrawnLine> drawn;
    for (const PrintoutLine& line : lines)
        drawn.push_back({FromCp1252(line.label), FromCp1252(line.value),
                         line.field == PrintoutField::BirthDate, line.optional});
    return drawn;
}

QRect LabelBox(int index) {
    return {kLabelX, kFirstLineY + index * kLineStep, kValueX - kLabelX - 8, kLineHeight};
}

QRect ValueBox(int index) {
    return {kValueX, kFirstLineY + index * kLineStep, kRight - kValueX, kLineHeight};
}

void DrawLabel(QPainter& painter, int index, const QString& label) {
    painter.setPen(kLabelColour);
    DrawFitted(painter, LabelBox(index), label, kLabelFont, false,
               Qt::AlignLeft | Qt::AlignVCenter);
}

void DrawSheet(QPainter& painter, const QString& heading, const QString& name,
               const std::vector<DrawnLine>& lines) {
    DrawHeader(painter, heading, name);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const DrawnLine& line = lines[static_cast<std::size_t>(i)];
        DrawLabel(painter, i, line.label);
        painter.setPen(Qt::black);
        DrawFitted(painter, ValueBox(i), line.value, kValueFont, true,
                   Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void DrawForm(QPainter& painter, const QString& heading, const QString& note,
              const std::vector<DrawnLine>& lines) {
    DrawHeader(painter, heading, QString());
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const DrawnLine& line = lines[static_cast<std::size_t>(i)];
        DrawLabel(painter, i, line.label);
        const QRect value = ValueBox(i);
        painter.setPen(QPen(kFillColour, 1));
        painter.drawLine(value.left(), value.bottom(), value.right(), value.bottom());
        if (line.birthDate) {
            // Where day, month and year go.
            painter.setPen(kFillColour);
            painter.setFont(ReportFont(kValueFont));
            painter.drawText(QRect(value.left() + 32, value.top(), 12, kLineHeight),
                             Qt::AlignCenter, QStringLiteral("/"));
            painter.drawText(QRect(value.left() + 76, value.top(), 12, kLineHeight),
                             Qt::AlignCenter, QStringLiteral("/"));
        }
        if (line.optional && !line.label.isEmpty()) {
            painter.setPen(kNoteColour);
            QFont font = ReportFont(kNoteFont);
            font.setItalic(true);
            painter.setFont(font);
            painter.drawText(QRect(value.left(), value.bottom() + 1, value.width(), 12),
                             Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, note);
        }
    }
}

// A photo path as stored (Windows-1252) as the file system takes it; a
// relative one is under the working folder.
std::filesystem::path PhotoFile(const std::string& stored, const common::WorkingFolder& folder) {
    if (stored.empty())
        return {};
    const std::filesystem::path path = PathOf(FromCp1252(stored));
    return path.is_relative() ? folder.root() / path : path;
}

printing::ReportJob SheetJob(const Subscriber& subscriber, const SubscriberPrintoutTexts& texts,
                             const printing::ReportPrinter& printer,
                             std::shared_ptr<const void> keptAlive) {
    const QString heading = FromCp1252(InformationSheetHeading(texts.language));
    const QString name = FromCp1252(subscriber.name + " " + subscriber.firstName);
    const std::vector<DrawnLine> lines = ToDrawn(InformationSheetLines(subscriber, texts));
    const std::filesystem::path photo = PhotoFile(subscriber.photoPath, printer.folder());
    const printing::ReportPrinter* drawer = &printer;
    printing::ReportJob job;
    job.document = printing::ReportDocument::InformationSheet;
    job.pageCount = 1;
    job.drawPage = [heading, name, lines, photo, drawer, keptAlive](QPainter& painter, int) {
        DrawSheet(painter, heading, name, lines);
        if (!photo.empty())
            drawer->drawPicture(painter, photo, kPhotoBox.adjusted(2, 2, -2, -2));
    };
    return job;
}

// The program's printer is not there for the tool: its job brings its own.
struct OwnPrinter {
    explicit OwnPrinter(common::WorkingFolder folder) : printer(std::move(folder), pictures) {}
    printing::FreeImageSession session;
    printing::FreeImagePictureLibrary pictures;
    printing::ReportPrinter printer;
};

} // namespace

printing::ReportJob MakeInformationSheetJob(const Subscriber& subscriber,
                                            const SubscriberPrintoutTexts& texts,
                                            const printing::ReportPrinter& printer) {
    return SheetJob(subscriber, texts, printer, nullptr);
}

printing::ReportJob MakeRegistrationFormJob(const SubscriberPrintoutTexts& texts, int copies) {
    const QString heading = FromCp1252(i18n::RegistrationFormHeading(texts.language));
    const QString note = FromCp1252(i18n::OptionalFieldNote(texts.language));
    const std::vector<DrawnLine> lines = ToDrawn(RegistrationFormLines(texts));
    printing::ReportJob job;
    job.document = printing::ReportDocument::RegistrationForm;
    job.pageCount = 1;
    job.copies = std::clamp(copies, 1, kMostCopies);
    job.drawPage = [heading, note, lines](QPainter& painter, int) {
        DrawForm(painter, heading, note, lines);
    };
    return job;
}

void ShowInformationSheet(const printing::ReportPrinter& printer,
                          const common::WorkingFolder& folder, common::OperatorDialogs& dialogs,
                          const Subscriber& subscriber, QWidget* parent) {
    common::DialogMessageSink messages(dialogs, parent);
    const SubscriberPrintoutTexts texts = LoadSubscriberPrintoutTexts(folder, messages);
    const QString heading = FromCp1252(InformationSheetHeading(texts.language));
    printing::ReportPreviewWindow preview(printer,
                                          MakeInformationSheetJob(subscriber, texts, printer),
                                          {.title = heading, .heading = heading}, parent);
    preview.setObjectName(QStringLiteral("informationSheetPreview"));
    preview.exec();
}

void ShowRegistrationForm(const printing::ReportPrinter& printer,
                          const common::WorkingFolder& folder, common::OperatorDialogs& dialogs,
                          QWidget* parent) {
    common::DialogMessageSink messages(dialogs, parent);
    const SubscriberPrintoutTexts texts = LoadSubscriberPrintoutTexts(folder, messages);
    printing::ReportPreviewWindow preview(
        printer, MakeRegistrationFormJob(texts),
        {.title = FromCp1252(RegistrationFormTitle(texts.language)),
         .heading = FromCp1252(i18n::RegistrationFormHeading(texts.language)),
         .copies = FromCp1252(i18n::CopiesLabel(texts.language))},
        parent);
    preview.setObjectName(QStringLiteral("registrationFormPreview"));
    preview.exec();
}

std::optional<printing::ReportJob>
InformationSheetJobFromFolder(const common::WorkingFolder& folder, std::string_view surname,
                              std::string_view firstName, common::MessageSink& messages) {
    const SubscriberPrintoutTexts texts = LoadSubscriberPrintoutTexts(folder, messages);
    SubscriberTable subscribers = MakeSubscriberTable();
    if (!LoadSubscribersDatabase(folder, subscribers, messages))
        return std::nullopt;
    const std::optional<int> index = FindPrintedSubscriber(subscribers, surname, firstName);
    if (!index) {
        messages.show(kSubscribersErrorCaption, UnknownSubscriberText(surname, firstName));
        return std::nullopt;
    }
    auto own = std::make_shared<OwnPrinter>(folder);
    const printing::ReportPrinter& printer = own->printer;
    return SheetJob(subscribers[static_cast<std::size_t>(*index)], texts, printer, std::move(own));
}

std::optional<printing::ReportJob>
RegistrationFormJobFromFolder(const common::WorkingFolder& folder, int copies,
                              common::MessageSink& messages) {
    return MakeRegistrationFormJob(LoadSubscriberPrintoutTexts(folder, messages), copies);
}

} // namespace tallimo::databases
