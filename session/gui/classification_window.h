#pragma once

// The modeless "Classement de la séance" window: the ranking of the
// session's drivers, filtered and sorted by the classification rules, kept
// current by the main window at every accepted lap while the operator goes
// on working beside it. It reads the session file once when it opens and
// keeps its own session, which the live updates follow; it never writes the
// session back. The filters and the mode chosen in the controls take effect
// at "Mise à jour" or at the next live update.

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "session/core/classification.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QStaticText>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tallimo::printing {
class ReportPrinter;
struct ReportJob;
} // namespace tallimo::printing

namespace tallimo::session {

// The painted ranking: the title line, the column headings, the button that
// removes the unticked drivers, and 18 rows from the first one shown.
class ClassificationView final : public QWidget {
public:
    explicit ClassificationView(QWidget* parent);

    // `shown` stays owned by the window and outlives the view.
    void setContent(const ClassificationTable* shown, const QString& title, int firstRow);
    // The box pictures; a null picture is drawn as a plain box.
    void setPictures(QImage ticked, QImage unticked, QImage removeButton);
    std::function<void(int shownRow)> boxClicked;
    std::function<void()> removeClicked;
    std::function<void(int rows)> wheelScrolled;

    // Where the operator clicks, for the window's tests.
    QPoint boxCentre(int visibleRow) const;
    QPoint removeButtonCentre() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void paintHeadings(QPainter& painter);
    void paintRow(QPainter& painter, int visibleRow, const ClassificationEntry& entry, int rank);
    // Draws `text` in column `column` of the line at `top`, from the cache
    // of laid-out texts of the painter's current font.
    void drawCell(QPainter& painter, QHash<QString, QStaticText>& cache, int column, int top,
                  int height, const QString& text);

    const ClassificationTable* m_shown = nullptr;
    QString m_title;
    int m_firstRow = 0;
    QImage m_ticked;
    QImage m_unticked;
    QImage m_removeButton;
    std::array<int, 11> m_columnLeft{}; // the box column, then the ten texts
    // Laying out text is most of a repaint, and a lap changes few of the
    // texts shown: each one is laid out once and drawn from here.
    QHash<QString, QStaticText> m_rowTexts;
    QHash<QString, QStaticText> m_headingTexts;
    QStaticText m_titleText;
    QFont m_rowFont;
    QFont m_headingFont;
    QFont m_titleFont;
};

class ClassificationWindow final : public QWidget {
    Q_OBJECT

public:
    // Returns the file the export writes, or an empty text when cancelled;
    // `proposed` is "Classement.csv" in the working folder.
    using ExportChooser = std::function<QString(QWidget* parent, const QString& proposed)>;

    // Reads the databases and the session file at once; a missing file is
    // reported through `dialogs` and the window opens with what it could
    // read. `category` is the session category whose trophy was clicked.
    // Without `printer` "Imprimer" stays disabled.
    ClassificationWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         const common::LocalClock& clock, int category,
                         const printing::ReportPrinter* printer, QWidget* parent = nullptr);
    ~ClassificationWindow() override;

    // The main window's kart whose passing was just accepted.
    void liveUpdate(const SessionKart& kart);

    void setExportChooser(ExportChooser chooser);

    const ClassificationTable& shown() const { return m_shown; }
    QString titleText() const { return m_title; }
    // 0 while every row fits.
    int scrollRange() const;
    // The printout of the ranking shown (no page when it is empty).
    printing::ReportJob printJob() const;

signals:
    // "OK" or the close box; the window deletes itself afterwards.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void load(int category);
    void fillChoices(int category);
    ClassificationFilter filterFromControls() const;
    // The full table rebuilt from the window's session, filtered by the
    // controls, shown in the mode chosen. Only the operator's "Mise à jour"
    // forgets the drivers removed and returns to the top.
    void refresh(bool operatorAsked);
    void showRanking(bool toTop);
    void scrollTo(int firstRow);
    void toggleRow(int shownRow);
    void removeUnticked();
    void printMenu();
    void exportCsv();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    const printing::ReportPrinter* m_printer = nullptr;
    ExportChooser m_exportChooser;

    std::unique_ptr<RentalSession> m_session; // large: kept off the stack
    std::vector<ClassificationPerson> m_people;
    std::vector<ClassificationAgeCategory> m_ages;
    std::vector<ClassificationChoice> m_kartChoices;
    std::vector<ClassificationChoice> m_ageChoices;
    ClassificationMode m_mode = ClassificationMode::CLASSEMENTToursTemps;
    ClassificationFilter m_applied;
    ClassificationTable m_full;
    ClassificationTable m_shown;
    // The drivers the operator removed, kept out until "Mise à jour".
    ClassificationTable m_removed;
    QString m_title;
    std::string m_trackLine;
    std::string m_dateLine;
    int m_firstRow = 0;

    QRadioButton* m_modeLaps = nullptr;
    QRadioButton* m_modeBest = nullptr;
    QCheckBox* m_men = nullptr;
    QCheckBox* m_women = nullptr;
    QComboBox* m_kartCategory = nullptr;
    QComboBox* m_ageCategory = nullptr;
    QPushButton* m_print = nullptr;
    ClassificationView* m_view = nullptr;
    QScrollBar* m_scrollBar = nullptr;
};

} // namespace tallimo::session
