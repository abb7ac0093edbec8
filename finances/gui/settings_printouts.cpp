#include "finances/gui/settings_printouts.h"

#include "common/gui/text_conversion.h"
#include "databases/core/kart_categories_file.h"
#include "i18n/core/window_titles.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace tallimo::finances {

using common::FromCp1252;

namespace {

// The page of the sheet family (550 x 800): the logo heads it from
// (25, 25), the signature closes it on its bottom line, and the lines run
// in between.
constexpr int kLeft = 35;
constexpr int kWidth = 480;
constexpr int kTitleTop = 82;
constexpr int kSubtitleTop = 114;
constexpr int kRuleY = 142;
constexpr int kLinesTop = 152;
constexpr int kFooterTop = 732;
constexpr int kHeadsHeight = 22;

// The columns of an entry: the label, the discount right-aligned and the
// price it leaves, or the label and a figure right-aligned.
constexpr int kEntryLabelX = 75;
constexpr int kMiddleRight = 330;
constexpr int kValueX = 350;
constexpr int kFigureRight = 470;

QString Text(const std::string& cp1252) {
    return FromCp1252(cp1252);
}

// The one-line box at `y` from `x` to `right`.
QRect Row(int x, int y, int right, int height) {
    return {x, y, right - x, height};
}

void DrawCheckBox(QPainter& painter, int x, int y, bool checked) {
    const QRect box(x, y, 10, 10);
    painter.drawRect(box);
    if (checked) {
        painter.drawLine(box.topLeft() + QPoint(2, 2), box.bottomRight() - QPoint(1, 1));
        painter.drawLine(QPoint(box.left() + 2, box.bottom() - 1),
                         QPoint(box.right() - 1, box.top() + 2));
    }
}

void DrawEntry(QPainter& painter, const ListLine& line, int y, int height, bool shaded) {
    if (shaded)
        painter.fillRect(QRect(kEntryLabelX - 8, y, kFigureRight + 16 - kEntryLabelX, height),
                         QColor(242, 242, 242));
    painter.setFont(printing::ReportFont(12));
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(Row(kEntryLabelX, y, kMiddleRight - 70, height), flags | Qt::AlignLeft,
                     Text(line.label));
    if (line.middle.empty()) {
        painter.drawText(Row(kMiddleRight, y, kFigureRight, height), flags | Qt::AlignRight,
                         Text(line.value));
        return;
    }
    painter.drawText(Row(kMiddleRight - 80, y, kMiddleRight, height), flags | Qt::AlignRight,
                     Text(line.middle));
    painter.drawText(Row(kValueX, y, kLeft + kWidth, height), flags | Qt::AlignLeft,
                     Text(line.value));
}

void DrawLine(QPainter& painter, const ListLine& line, int y, bool shaded) {
    const int height = LineHeight(line.kind);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (line.kind) {
    case ListLineKind::Event:
        painter.fillRect(QRect(kLeft, y + 3, kWidth, height - 6), QColor(225, 225, 225));
        painter.setFont(printing::ReportFont(15, true));
        painter.drawText(Row(kLeft + 10, y, kLeft + kWidth - 150, height), flags | Qt::AlignLeft,
                         Text(line.label));
        painter.setFont(printing::ReportFont(12));
        painter.drawText(Row(kLeft + kWidth - 150, y, kLeft + kWidth - 10, height),
                         flags | Qt::AlignRight, Text(line.value));
        return;
    case ListLineKind::EventDetail:
        painter.setFont(printing::ReportFont(12));
        DrawCheckBox(painter, kLeft + 10, y + (height - 10) / 2, line.checked);
        painter.drawText(Row(kLeft + 26, y, kLeft + 200, height), flags | Qt::AlignLeft,
                         Text(line.label));
        painter.drawText(Row(kLeft + 200, y, kLeft + kWidth - 10, height), flags | Qt::AlignRight,
                         Text(line.middle));
        return;
    case ListLineKind::Section:
        painter.setFont(printing::ReportFont(13, true));
        painter.drawText(Row(kLeft + 20, y + 2, kLeft + kWidth, height - 2), flags | Qt::AlignLeft,
                         Text(line.label));
        return;
    case ListLineKind::Entry:
        DrawEntry(painter, line, y, height, shaded);
        return;
    }
}

void DrawColumnHeads(QPainter& painter, const std::vector<std::string>& heads, int y) {
    painter.setFont(printing::ReportFont(12, true));
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    if (!heads.empty())
        painter.drawText(Row(kEntryLabelX, y, kMiddleRight, kHeadsHeight - 4),
                         flags | Qt::AlignLeft, Text(heads.front()));
    if (heads.size() > 1)
        painter.drawText(Row(kMiddleRight - 100, y, kFigureRight, kHeadsHeight - 4),
                         flags | Qt::AlignRight, Text(heads.back()));
    painter.drawLine(kEntryLabelX - 8, y + kHeadsHeight - 3, kFigureRight + 8,
                     y + kHeadsHeight - 3);
}

struct ListPages {
    SettingsPrintout printout;
    std::vector<LineSpan> pages;
};

void DrawListPage(QPainter& painter, const ListPages& list, int page) {
    const SettingsPrintout& printout = list.printout;
    painter.setPen(QPen(Qt::black, 1));
    painter.setFont(printing::ReportFont(22, true));
    painter.drawText(QRect(kLeft, kTitleTop, kWidth, 30), Qt::AlignCenter, Text(printout.title));
    if (!printout.subtitle.empty()) {
        painter.setFont(printing::ReportFont(14, true));
        painter.drawText(QRect(kLeft, kSubtitleTop, kWidth, 22), Qt::AlignCenter,
                         Text(printout.subtitle));
    }
    painter.drawLine(kLeft, kRuleY, kLeft + kWidth, kRuleY);

    int y = kLinesTop;
    if (!printout.columnHeads.empty()) {
        DrawColumnHeads(painter, printout.columnHeads, y);
        y += kHeadsHeight;
    }
    if (page < 0 || static_cast<std::size_t>(page) >= list.pages.size())
        return;
    const LineSpan span = list.pages[static_cast<std::size_t>(page)];
    int entry = 0;
    for (int i = span.first; i < span.first + span.count; ++i) {
        const ListLine& line = printout.lines[static_cast<std::size_t>(i)];
        entry = line.kind == ListLineKind::Entry ? entry + 1 : 0;
        DrawLine(painter, line, y, entry % 2 == 0 && entry > 0);
        y += LineHeight(line.kind);
    }
    if (list.pages.size() > 1) {
        painter.setFont(printing::ReportFont(11));
        painter.drawText(QRect(kLeft, kFooterTop, kWidth, 16), Qt::AlignCenter,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(list.pages.size()));
    }
}

// Passes every message on and remembers whether `text` was among them.
class WatchingSink final : public common::MessageSink {
public:
    WatchingSink(common::MessageSink& next, std::string_view text) : m_next(next), m_text(text) {}
    void show(const std::string& caption, const std::string& text) override {
        m_seen = m_seen || text == m_text;
        m_next.show(caption, text);
    }
    bool seen() const { return m_seen; }

private:
    common::MessageSink& m_next;
    std::string_view m_text;
    bool m_seen = false;
};

QString PreviewTitle(i18n::TitledWindow window, i18n::LanguageCode code) {
    return Text(i18n::WindowTitle(window, code)).trimmed();
}

} // namespace

printing::ReportJob MakeSettingsListJob(printing::ReportDocument document,
                                        SettingsPrintout printout) {
    auto list = std::make_shared<ListPages>();
    const int room = kListPageHeight - (printout.columnHeads.empty() ? 0 : kHeadsHeight);
    list->pages = PaginateLines(printout.lines, room);
    list->printout = std::move(printout);
    printing::ReportJob job;
    job.document = document;
    job.pageCount = static_cast<int>(list->pages.size());
    job.drawPage = [list](QPainter& painter, int page) { DrawListPage(painter, *list, page); };
    return job;
}

printing::ReportJob DiscountListJob(const DiscountTable& table, const PriceTable& prices,
                                    const std::array<std::string, kPriceRows>& categoryNames,
                                    const SettingsPrintoutTexts& texts) {
    return MakeSettingsListJob(printing::ReportDocument::DiscountsOnRental,
                               DiscountListPrintout(table, prices, categoryNames, texts));
}

printing::ReportJob LoyaltyListJob(const LoyaltyCard& card, LoyaltyList list,
                                   const SettingsPrintoutTexts& texts) {
    return MakeSettingsListJob(printing::ReportDocument::SessionsLoyaltyPoints,
                               LoyaltyListPrintout(card, list, texts));
}

QString LoyaltyListMenuText(LoyaltyList list) {
    switch (list) {
    case LoyaltyList::Subscribers:
        return Text("Points fid\xE9lit\xE9 abonn\xE9s");
    case LoyaltyList::Earned:
        return Text("Points gagn\xE9s par s\xE9"
                    "ance");
    case LoyaltyList::FreeSession:
        return Text("Points pour s\xE9"
                    "ance offerte");
    }
    return {};
}

printing::ReportPreviewTexts DiscountListPreviewTexts(i18n::LanguageCode interfaceCode) {
    printing::ReportPreviewTexts texts;
    texts.title = PreviewTitle(i18n::TitledWindow::Discounts, interfaceCode);
    texts.heading = texts.title;
    return texts;
}

printing::ReportPreviewTexts LoyaltyListPreviewTexts(i18n::LanguageCode interfaceCode,
                                                     LoyaltyList list) {
    printing::ReportPreviewTexts texts;
    texts.title = PreviewTitle(i18n::TitledWindow::LoyaltyPoints, interfaceCode);
    texts.heading = LoyaltyListMenuText(list);
    return texts;
}

void ShowSettingsListPreview(const printing::ReportPrinter& printer, printing::ReportJob job,
                             printing::ReportPreviewTexts texts, QWidget* parent) {
    printing::ReportPreviewWindow preview(printer, std::move(job), std::move(texts), parent);
    preview.exec();
}

std::optional<printing::ReportJob> DiscountsJobFromFolder(const common::WorkingFolder& folder,
                                                          common::MessageSink& messages) {
    const SettingsPrintoutTexts texts = LoadDiscountListTexts(folder, messages);
    databases::CategoryTable categories{};
    databases::LoadCategoriesDatabase(folder, categories, messages);
    PriceTable prices{};
    LoadPricesDatabase(folder, prices, messages);
    DiscountTable table{};
    if (!LoadDiscountsDatabase(folder, table, messages))
        return std::nullopt;
    const std::array<std::string, kPriceRows> names = PricedCategoryNames(categories);
    ZeroUnnamedCategoryDiscounts(table, names);
    return DiscountListJob(table, prices, names, texts);
}

std::optional<printing::ReportJob> LoyaltyPointsJobFromFolder(const common::WorkingFolder& folder,
                                                              LoyaltyList list,
                                                              common::MessageSink& messages) {
    const SettingsPrintoutTexts texts = LoadLoyaltyListTexts(folder, messages);
    WatchingSink watched(messages, list == LoyaltyList::Subscribers ? kBalancesFileErrorText
                                                                    : kSessionPointsFileErrorText);
    LoyaltyCard card;
    LoadLoyaltyCard(folder, card, watched);
    if (watched.seen())
        return std::nullopt;
    return LoyaltyListJob(card, list, texts);
}

} // namespace tallimo::finances
