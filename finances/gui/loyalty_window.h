#pragma once

// The loyalty card window: the programme switched on or off, the free
// session e-mail, each subscriber's points and, per kart category and for
// the private karts, the points a session earns and the points a free
// session costs. It edits its own `LoyaltyCard` and writes the balances and
// the session points files only on "Ok"; "Echap" and the close box discard.

#include "databases/gui/editing_window.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/settings_printouts.h"
#include "finances/gui/finance_settings_window.h"

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QMenu;

namespace tallimo::printing {
class ReportPrinter;
}

namespace tallimo::finances {

class LoyaltyWindow final : public FinanceSettingsWindow {
    Q_OBJECT

public:
    // Reads the labels and the files at once; missing files are reported
    // through `dialogs` and the window opens anyway.
    LoyaltyWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                  QWidget* parent = nullptr);
    ~LoyaltyWindow() override;

    // The window's copy of the files, as edited so far.
    const LoyaltyCard& card() const { return m_card; }

private:
    // The session lines of the rental karts' category or of the private
    // karts: what each offered session earns, and what it costs free.
    struct PointsPanel {
        QGroupBox* group = nullptr;
        QLabel* earnHeading = nullptr;
        QLabel* freeHeading = nullptr;
        std::array<QLabel*, kSessionsPerRow> earnLabels{};
        std::array<QLineEdit*, kSessionsPerRow> earnEdits{};
        std::array<QLabel*, kSessionsPerRow> earnUnits{};
        std::array<QLabel*, kSessionsPerRow> freeLabels{};
        std::array<QLineEdit*, kSessionsPerRow> freeEdits{};
        std::array<QLabel*, kSessionsPerRow> freeUnits{};
        // The session category shown (5 for the private karts), or -1
        // while no category can be chosen.
        std::function<int()> category;
    };

    bool save(common::MessageSink& messages) override;
    // Both report their own failures, one message per file, so that each
    // file is named and the frame has nothing to add.
    bool exportTo(const std::filesystem::path& path) const override;
    bool importFrom(const std::filesystem::path& path) override;

    void buildControls();
    QLayout* buildSettings();
    // `choice`, when given, heads the group.
    QGroupBox* buildPanel(PointsPanel& panel, const std::string& prefix, QLayout* choice = nullptr);
    void connectControls();
    void connectPanel(PointsPanel& panel);
    void loadTexts();
    void loadData();

    int selectedCategory() const;
    LoyaltyAccount* selectedAccount();
    void showSettings();
    void showAccount();
    void showPanel(PointsPanel& panel);
    void showAll();
    void printList(LoyaltyList list);

    LoyaltyCard m_card;
    // Reports of export, which the frame calls as a const member.
    common::MessageSink& m_reports;
    // Built from the translated words once the texts are read.
    QString m_sessionWord;
    QString m_minutesWord;
    QString m_givesWord;
    QString m_freeForWord;

    QCheckBox* m_loyaltyActive = nullptr;
    QCheckBox* m_mailActive = nullptr;
    QLineEdit* m_mailMonths = nullptr;
    QLabel* m_monthsLabel = nullptr;
    QLabel* m_subscriberLabel = nullptr;
    QComboBox* m_subscriberCombo = nullptr;
    QLabel* m_arrowLabel = nullptr;
    QLineEdit* m_accountPoints = nullptr;
    QLabel* m_accountPointsLabel = nullptr;
    QLabel* m_categoryLabel = nullptr;
    QComboBox* m_categoryCombo = nullptr;
    QPushButton* m_print = nullptr;
    PointsPanel m_rental;
    PointsPanel m_private;
    QMenu* m_printMenu = nullptr;
};

} // namespace tallimo::finances
