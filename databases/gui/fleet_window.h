#pragma once

// The modal rental fleet window: the karts of each kart category with the
// transponder fitted to each, typed in or read from the decoder with "Scan.".
// The window keeps its own copy of the categories database and writes it
// only on "Ok". While it is open it is the port's only reader: its own 10 ms
// timer reads the port whatever the scan state, so bytes that arrive with
// scanning off are thrown away instead of being taken later. It never opens
// or closes the port.

#include "common/core/tick_source.h"
#include "databases/core/fleet_editing.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/transponder_scan.h"
#include "databases/gui/editing_window.h"
#include "decoder/core/serial_port.h"

#include <QTimer>

#include <memory>

namespace tallimo::databases {

class FleetWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels, the decoder settings and the categories database at
    // once; missing files are reported through `dialogs` and the window
    // opens with empty data. The timer starts here.
    FleetWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                decoder::SerialPort& port, const common::TickSource& ticks,
                QWidget* parent = nullptr);
    ~FleetWindow() override;

    // The window's copy, as edited so far.
    const CategoryTable& categories() const { return m_table; }

    void done(int result) override;

private:
    bool save(common::MessageSink& messages) override;

    void buildControls();
    void loadTexts();
    void loadData();

    void chooseCategory();
    void chooseKart();
    void addKart();
    void removeKart();
    void transponderEdited();
    void scanToggled(bool on);
    void switchScanOff();
    void timerTick();

    void showCategory();
    void showKartList();
    void showCurrentKart();
    void showIndicator();
    void notify(const FleetNotice& notice);

    decoder::SerialPort& m_port;
    const common::TickSource& m_ticks;

    std::string m_categoryLabel;
    CategoryTable m_table{};
    FleetEditor m_editor{m_table};
    std::unique_ptr<TransponderScan> m_scan;
    QTimer m_timer;

    QLabel* m_categoryCaption = nullptr;
    QComboBox* m_categoryList = nullptr;
    QGroupBox* m_kartsGroup = nullptr;
    QLabel* m_positionCaption = nullptr;
    QLineEdit* m_position = nullptr;
    QLabel* m_kartsCaption = nullptr;
    QListWidget* m_kartList = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QLineEdit* m_kartId = nullptr;
    QLabel* m_transponderCaption = nullptr;
    QLineEdit* m_transponder = nullptr;
    QPushButton* m_scanButton = nullptr;
    QLineEdit* m_scanState = nullptr;
    QLabel* m_indicator = nullptr;
};

} // namespace tallimo::databases
