#pragma once

// The discounts window: the events whose discounts the reservation windows
// offer, each with its date, its days of validity, its e-mail setting and
// a discount per session of every kart category and of the private karts,
// all in one unit (the prices' currency or percent). It edits its own copy
// of the events and writes "BaseDonneesRemises.bd1" only on "Ok"; "Echap"
// and the close box discard. The prices are only read, to show the
// sessions and what each discount leaves to pay.

#include "databases/core/kart_categories_file.h"
#include "databases/core/record_editing.h"
#include "databases/gui/editing_window.h"
#include "finances/core/discount_events.h"
#include "finances/core/discounts_file.h"
#include "finances/core/session_prices.h"
#include "finances/gui/finance_settings_window.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QStackedWidget;

namespace tallimo::printing {
class ReportPrinter;
}

namespace tallimo::finances {

class DiscountsWindow final : public FinanceSettingsWindow {
    Q_OBJECT

public:
    // Reads the labels, the kart categories, the prices and the discounts
    // at once; missing files are reported through `dialogs` and the window
    // opens anyway.
    DiscountsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                    QWidget* parent = nullptr);
    ~DiscountsWindow() override;

    // The window's copy of the events, as edited so far.
    const DiscountTable& discounts() const { return m_table; }

private:
    // The discount lines of the rental karts' category or of the private
    // karts.
    struct DiscountPanel {
        QGroupBox* group = nullptr;
        QLabel* heading = nullptr;
        std::array<QLabel*, kSessionsPerRow> sessionLabels{};
        std::array<QLineEdit*, kSessionsPerRow> discountEdits{};
        std::array<QLabel*, kSessionsPerRow> unitLabels{};
        std::array<QLabel*, kSessionsPerRow> previewLabels{};
        // The session category shown (5 for private karts), -1 for none.
        std::function<int()> category;
    };

    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;
    bool importFrom(const std::filesystem::path& path) override;

    void buildControls();
    QGroupBox* buildPanel(DiscountPanel& panel, const std::string& prefix, QLayout* top);
    void connectControls();
    void connectPanel(DiscountPanel& panel);
    void loadTexts();
    void loadData();

    int selectedCategory() const;
    std::array<std::string, kPriceRows> categoryNames() const;
    // Applies `change` to the selected event; false without one.
    bool editEvent(const std::function<void(DiscountEvent&)>& change);
    void setMonth(int month);
    void setDiscount(DiscountPanel& panel, int session, std::int32_t discount);

    void showSelectedEvent();
    void showDate(const DiscountEvent& event, bool fixed);
    void showPanel(DiscountPanel& panel);
    void showPreview(DiscountPanel& panel, int session);
    void showUnit();
    void printList();

    databases::CategoryTable m_categories{};
    PriceTable m_prices{};
    DiscountTable m_table{};
    databases::RecordEditor<DiscountEvents> m_editor;
    // Built from the translated words once the texts are read.
    QString m_sessionWord;
    QString m_minutesWord;

    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QLineEdit* m_eventName = nullptr;
    QStackedWidget* m_date = nullptr;
    QComboBox* m_dayCombo = nullptr;
    QComboBox* m_monthCombo = nullptr;
    QLabel* m_fixedDate = nullptr;
    QCheckBox* m_discountActive = nullptr;
    QLineEdit* m_daysBefore = nullptr;
    QLabel* m_daysBeforeLabel = nullptr;
    QLineEdit* m_daysAfter = nullptr;
    QLabel* m_daysAfterLabel = nullptr;
    QCheckBox* m_mailActive = nullptr;
    QLineEdit* m_mailDaysBefore = nullptr;
    QLabel* m_mailDaysBeforeLabel = nullptr;
    QLabel* m_unitLabel = nullptr;
    QComboBox* m_unitCombo = nullptr;
    QLabel* m_categoryLabel = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QPushButton* m_print = nullptr;
    DiscountPanel m_rental;
    DiscountPanel m_private;
};

} // namespace tallimo::finances
