#pragma once

// The runs database window: the subscribers, and for the one selected the
// saving flag of his run file, its fill rate and the runs it holds, each of
// which opens in the analysis window or can be deleted.
//
// The run file is changed in place at once (flag, deletion); the window
// keeps no table of its own, so "OK" and the close box both simply close.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/subscribers_file.h"
#include "databases/gui/editing_window.h"
#include "runs/core/run_file.h"
#include "runs/gui/run_views.h"

#include <QDialog>

#include <filesystem>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallimo::runs {

class DriverRunsWindow final : public databases::EditingWindow {
public:
    // `view` is the analysis window's view, `pictures` measures the logo of
    // its reports.
    DriverRunsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                     printing::PictureLibrary& pictures, RunView& view, QWidget* parent = nullptr);
    ~DriverRunsWindow() override;

    // The runs listed for the selected subscriber.
    int runCount() const;

protected:
    bool save(common::MessageSink&) override { return true; }

private:
    void build();
    void selectSubscriber(int row);
    void loadRuns();
    void showFillRate();
    void savingClicked(bool ticked);
    void runChosen(int index);
    void removeChosenRun();
    std::filesystem::path runFile() const;
    const databases::Subscriber* selected() const;

    printing::PictureLibrary& m_pictures;
    RunView& m_view;
    databases::SubscriberTable m_subscribers;
    int m_selected = -1;
    RunTitleList m_runs;

    std::unique_ptr<databases::RecordList> m_list;
    QLineEdit* m_driverEdit = nullptr;
    QCheckBox* m_saving = nullptr;
    QLabel* m_fillRate = nullptr;
    QLineEdit* m_runsDriverEdit = nullptr;
    QComboBox* m_runsCombo = nullptr;
    QPushButton* m_removeRun = nullptr;
};

} // namespace tallimo::runs
