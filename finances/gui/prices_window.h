#pragma once

// The session prices window: up to six durations with a price for each kart
// category, six more for private karts, and the one currency of them all.
// It edits its own copy of the price table and writes "BaseDonneesTarifs.bd1"
// only on "Ok"; "Echap" and the close box discard. The rental side always
// shows the row of the category chosen in the combo; prices typed there stay
// in that row when another category is chosen.

#include "databases/core/kart_categories_file.h"
#include "databases/gui/editing_window.h"
#include "finances/core/session_prices.h"

#include <array>
#include <functional>
#include <string>

class QAction;
class QComboBox;
class QMenu;

namespace tallimo::printing {
class ReportPrinter;
}

namespace tallimo::finances {

class PricesWindow final : public databases::EditingWindow {
    Q_OBJECT

public:
    // Reads the labels, the kart categories and the prices at once; missing
    // files are reported through `dialogs` and the window opens anyway.
    PricesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                 QWidget* parent = nullptr);
    ~PricesWindow() override;

    // The window's copy of the table, as edited so far.
    const PriceTable& prices() const { return m_prices; }

private:
    // The controls of one list of sessions: the rental karts' or the private
    // karts'.
    struct SessionPanel {
        QGroupBox* group = nullptr;
        QLabel* newLabel = nullptr;
        QLineEdit* duration = nullptr;
        QLabel* minLabel = nullptr;
        QPushButton* add = nullptr;
        QLabel* listLabel = nullptr;
        QListWidget* sessions = nullptr;
        QPushButton* remove = nullptr;
        std::array<QLabel*, kSessionsPerRow> priceLabels{};
        std::array<QLineEdit*, kSessionsPerRow> priceEdits{};
        std::array<QLabel*, kSessionsPerRow> unitLabels{};
        // The row the panel edits; null while no category can be chosen.
        std::function<PriceRow*()> row;
    };

    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;
    bool importFrom(const std::filesystem::path& path) override;

    void buildControls();
    QGroupBox* buildPanel(SessionPanel& panel, const std::string& prefix);
    void connectPanel(SessionPanel& panel);
    void loadTexts();
    void loadData();

    PriceRow* selectedCategoryRow();
    void addDuration(SessionPanel& panel);
    void removeDuration(SessionPanel& panel);
    void showPanel(SessionPanel& panel);
    void showCurrency();
    void showPrintMenu();
    void openPriceList(bool privateKarts);

    std::array<std::string, kPriceRows> categoryNames() const;

    databases::CategoryTable m_categories{};
    PriceTable m_prices{};
    // Built from the translated words once the texts are read.
    QString m_sessionWord;
    QString m_minutesWord;

    QLabel* m_categoryLabel = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QLabel* m_currencyLabel = nullptr;
    QComboBox* m_currencyCombo = nullptr;
    QPushButton* m_print = nullptr;
    QMenu* m_printMenu = nullptr;
    QAction* m_rentalList = nullptr;
    SessionPanel m_rental;
    SessionPanel m_private;
};

} // namespace tallimo::finances
