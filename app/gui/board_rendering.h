#pragma once

// Paints the timing board. The renderer keeps everything a frame needs
// ready: the row texts converted once per board change, the fonts once per
// screen size, the pictures once per working folder and the watermark once
// per size and colour, so a paint only places prepared text.

#include "app/core/board_layout.h"
#include "app/core/display_settings.h"
#include "session/core/live_timing.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QStaticText>
#include <QString>

#include <array>
#include <filesystem>
#include <optional>
#include <string>

class QPainter;

namespace tallimo::app {

using CategoryNames = std::array<std::string, session::kRentalCategoryCount>; // Windows-1252

// The colour of a category's block, by category index (5 is the private karts).
QColor CategoryBlockColour(int category);
QColor ColourOf(std::int32_t colourValue);

inline const char* const kBoardTitle = "  Location de karts ";
inline const char* const kWatermarkText = "Tallimo Pistara";
inline const char* const kTrophyImage = "images/trophee.bmp";
inline const char* const kFinishFlagImage = "images/drapeauArrivee.bmp";

class BoardRenderer {
public:
    BoardRenderer();

    // Null settings paint as a file that was missing: every colour 0.
    void setDisplaySettings(const DisplaySettings* settings);
    void setCategoryNames(const CategoryNames& names);
    // The folder the pictures are read from; missing pictures are not drawn.
    void setWorkingFolder(const std::filesystem::path& root);
    void setScreenSize(QSize screen);
    void setAreaSize(QSize area);
    void setLiveTiming(const session::LiveTiming* live);
    // The rows of the live timing changed: texts and blocks are rebuilt.
    void rowsChanged();
    void setScrollPosition(int firstBlock) { m_layout.setScrollPosition(firstBlock); }
    // The pointer, while it rests on a kart row; nullopt hides the box.
    void setHover(std::optional<QPoint> pointer) { m_hover = pointer; }

    const BoardLayout& layout() const { return m_layout; }
    QSize screenSize() const { return m_screen; }
    QSize areaSize() const { return m_area; }
    // Where the hover box for a pointer at `pointer` is drawn.
    QRect hoverBoxRect(QPoint pointer) const;
    // The kart label and transponder the hover box shows for `row`.
    QString hoverLine(int row) const;

    void paint(QPainter& painter) const;
    // The board area in the window background colour: the board is frozen.
    void paintFrozen(QPainter& painter) const;

private:
    // Laid out once per board change; a frame only places them.
    struct RowTexts {
        std::array<QStaticText, kShownColumnCount> cells;
        bool finished = false;
    };

    void loadPictures();
    void prepareFonts();
    void prepareColumns();
    void prepareRowTexts();
    void prepareWatermark() const;
    QString categoryName(int category) const;
    QString transponderOf(int row) const;

    void paintBlocks(QPainter& painter) const;
    void paintHeading(QPainter& painter, const PlacedLine& line, const PlacedBlock& block) const;
    void paintKartLine(QPainter& painter, const PlacedLine& line) const;
    void paintHover(QPainter& painter) const;
    QRectF columnRect(int column, const PlacedLine& line) const;
    void drawAligned(QPainter& painter, const QStaticText& text, const QRectF& rect,
                     int alignment) const;
    const QFont& cellFont(int column) const;

    const DisplaySettings* m_settings = nullptr;
    const session::LiveTiming* m_live = nullptr;
    CategoryNames m_categoryNames;
    std::array<QStaticText, session::kCategoryCount> m_headingNames;
    std::array<ColumnPlacement, kShownColumnCount> m_columns;
    std::array<QStaticText, kShownColumnCount> m_columnTitles;
    std::array<RowTexts, session::kBoardRowCapacity> m_rows;
    QSize m_screen{1600, 900};
    QSize m_area{1600, 900};
    BoardLayout m_layout;
    std::optional<QPoint> m_hover;

    QFont m_titleFont;
    QFont m_headingFont;
    QFont m_columnTitleFont;
    QFont m_rowFont;
    QFont m_rowBoldFont;
    QFont m_hoverFont;
    QFont m_watermarkFont;
    std::filesystem::path m_root;
    QImage m_trophy;
    QImage m_finishFlag;
    QString m_title;

    mutable QPixmap m_watermark;
    mutable QSize m_watermarkArea;
    mutable QColor m_watermarkColour;
};

// The board's sans-serif face at a pixel size (Arial where installed).
QFont SansFont(int pixelSize, QFont::Weight weight);

struct BoardImageOptions {
    CategoryNames categoryNames;
    std::filesystem::path workingFolder; // empty: no pictures
    QSize screenSize;                    // empty: the image size
    int scrollPosition = 0;
    std::optional<QPoint> hover;
};

// The board as it would be painted on a `size` area, for screenshots and
// benchmarks. Needs a QGuiApplication.
QImage RenderBoardToImage(const session::LiveTiming& live, const DisplaySettings& settings,
                          QSize size, const BoardImageOptions& options = {});

} // namespace tallimo::app
