#pragma once

// The analysis window of one run: who drove, where, in which category and
// when; the figures, histogram or curve of a range of laps; the lap strip;
// the three printed reports. It shows a stored run (a run file and a title)
// or a kart of the current session, read while it runs.
//
// Ownership: the window owns a copy of the run. The view it shows belongs to
// the caller, who keeps it for the program run: the window opens in it and
// leaves the operator's last choice in it.

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "printing/core/picture_library.h"
#include "runs/core/driver_run.h"
#include "runs/core/run_file.h"
#include "runs/core/run_report.h"
#include "runs/gui/run_views.h"
#include "session/core/rental_session.h"

#include <QDialog>
#include <QString>

#include <filesystem>
#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tallimo::runs {

// Laps the strip shows side by side; the scroll bar appears beyond one less.
constexpr int kStripColumns = 7;

// The run of a session kart as the analysis reads it.
DriverRun DriverRunOfKart(const session::SessionKart& kart);

class RunViewArea;
class LapStrip;

class RunAnalysisWindow final : public QDialog {
    Q_OBJECT

public:
    // `pictures` measures the reports' logo.
    RunAnalysisWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                      printing::PictureLibrary& pictures, RunView& view, QWidget* parent = nullptr);
    ~RunAnalysisWindow() override;

    // The run titled `title` in the run file `path`; a file that cannot be
    // read is reported and leaves an empty run.
    void showStoredRun(const std::filesystem::path& path, const std::string& title);
    // A kart of the session, dated `now`; its category comes from the
    // categories database, its track from the session file.
    void showSessionKart(const session::SessionKart& kart, const common::LocalDateTime& now);

    const DriverRun& run() const { return m_run; }
    int from() const { return m_from; }
    int to() const { return m_to; }
    int stripPosition() const;
    // The header lines as shown, and as the reports print them.
    QString driverLine() const;
    QString trackLine() const;
    QString categoryLine() const;
    QString dateLine() const;
    RunReportHeader reportHeader() const;

private:
    void build();
    void showRun(const QString& driver, const QString& track, const QString& category,
                 const RunWhen& when);
    void fromEdited();
    void toEdited();
    void chooseView(RunView view);
    void printMenu();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    printing::PictureLibrary& m_pictures;
    common::DialogMessageSink m_messages;
    RunView& m_view;
    DriverRun m_run;
    int m_from = 0;
    int m_to = 0;

    QLabel* m_driverLine = nullptr;
    QLabel* m_trackLine = nullptr;
    QLabel* m_categoryLine = nullptr;
    QLabel* m_dateLine = nullptr;
    QLineEdit* m_fromEdit = nullptr;
    QLineEdit* m_toEdit = nullptr;
    QButtonGroup* m_views = nullptr;
    RunViewArea* m_area = nullptr;
    LapStrip* m_strip = nullptr;
    QScrollBar* m_stripBar = nullptr;
    QPushButton* m_print = nullptr;
};

} // namespace tallimo::runs
