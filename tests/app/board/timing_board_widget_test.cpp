#include "app/gui/timing_board_widget.h"

#include "app/gui/board_rendering.h"
#include "tests/app/board/sample_live_timing.h"
#include "tests/support/temporary_folder.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace tallimo::app {
namespace {

const QSize kScreen(1920, 1080);

bool IsRed(QRgb p) {
    return qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90;
}
bool IsDark(QRgb p) {
    return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
}

int CountPixels(const QImage& image, const QRect& rect, bool (*test)(QRgb)) {
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

class TimingBoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::FillSampleSession(m_live);
        testing::WriteBoardPictures(m_folder.path());
        m_settings = DefaultDisplaySettings();
        m_board.setScreenSize(kScreen);
        m_board.resize(kScreen);
        m_board.setDisplaySettings(&m_settings);
        m_board.setCategoryNames(testing::SampleCategoryNames());
        m_board.setWorkingFolder(common::WorkingFolder(m_folder.path()));
        m_board.setLiveTiming(&m_live);
        m_board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_board));
    }

    QImage render() {
        QImage image(m_board.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        m_board.render(&image);
        return image;
    }

    int rowOf(const std::string& label) const {
        for (int i = 0; i < m_live.boardRowCount; ++i)
            if (m_live.boardRows[static_cast<std::size_t>(i)].kartLabel == label)
                return i;
        return -1;
    }

    const PlacedLine* lineOf(int row) const {
        for (const PlacedLine& line : m_board.layout().placedLines())
            if (line.row == row)
                return &line;
        return nullptr;
    }

    QRect lineRect(const std::string& label) const {
        const PlacedLine* line = lineOf(rowOf(label));
        if (line == nullptr)
            return {};
        return QRectF(0, line->top, m_board.width(), line->bottom - line->top).toAlignedRect();
    }

    QPoint lineCentre(const std::string& label, int x = 600) const {
        return QPoint(x, lineRect(label).center().y());
    }

    const PlacedBlock& placedBlockOf(int category) const {
        for (const PlacedBlock& block : m_board.layout().placedBlocks())
            if (m_board.layout().blocks()[static_cast<std::size_t>(block.block)].category ==
                category)
                return block;
        throw std::runtime_error("category not on the board");
    }

    QPoint trophyCentre(int category) const {
        const BoardRect r = m_board.layout().trophyRect(placedBlockOf(category));
        return QPoint(static_cast<int>(r.x + r.width / 2), static_cast<int>(r.y + r.height / 2));
    }

    testing::TemporaryFolder m_folder;
    session::LiveTiming m_live;
    DisplaySettings m_settings;
    TimingBoardWidget m_board;
};

void SavePreview(const QImage& image, const char* suffix) {
    const QByteArray path = qgetenv("TALLIMO_BOARD_PNG");
    QString file =
        path.isEmpty()
            ? QString::fromStdU16String(
                  (std::filesystem::temp_directory_path() / "tallimo_board.png").u16string())
            : QString::fromLocal8Bit(path);
    if (*suffix != '\0')
        file.replace(QStringLiteral(".png"), QString::fromLatin1(suffix) + QStringLiteral(".png"));
    EXPECT_TRUE(image.save(file, "PNG")) << file.toStdString();
}

struct BlockColourCase {
    const char* name;
    int category;
    int slotInBlock;
    QRgb colour;
};

class BoardBlockColourTest : public TimingBoardTest,
                             public ::testing::WithParamInterface<BlockColourCase> {};

TEST_P(BoardBlockColourTest, FillsEachBlockWithItsCategoryColour) {
    const BlockColourCase& c = GetParam();
    const QImage image = render();
    const PlacedBlock& block = placedBlockOf(c.category);
    const int y =
        static_cast<int>(block.top + c.slotInBlock * m_board.layout().geometry().slotHeight) + 3;
    ASSERT_LT(y, block.bottom);
    EXPECT_EQ(image.pixel(m_board.width() * 9 / 10, y), c.colour);
    EXPECT_EQ(image.pixel(10, y), c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Categories, BoardBlockColourTest,
    ::testing::Values(BlockColourCase{"first_category", 0, 0, qRgb(190, 255, 190)},
                      BlockColourCase{"second_category", 1, 0, qRgb(90, 215, 90)},
                      BlockColourCase{"second_category_continued_in_its_next_slot", 1, 1,
                                      qRgb(90, 215, 90)},
                      BlockColourCase{"heading_only_category", 2, 0, qRgb(65, 160, 65)},
                      BlockColourCase{"private_karts", 5, 0, qRgb(255, 250, 135)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimingBoardTest, TitleBandHasTheBoardColour) {
    const QImage image = render();
    const RgbColour board = ColourFromValue(m_settings.boardColour());
    EXPECT_EQ(image.pixel(m_board.width() - 40, 4), qRgb(board.red, board.green, board.blue));
    EXPECT_GT(CountPixels(image, QRect(0, 0, 400, 40), IsDark), 50) << "the title is drawn";
}

TEST_F(TimingBoardTest, KartThatJustLappedIsRedAndTheOthersBlack) {
    const QImage image = render();
    SavePreview(image, "");
    ASSERT_TRUE(lineRect("K2").isValid());
    EXPECT_GT(CountPixels(image, lineRect("K2"), IsRed), 100);
    EXPECT_EQ(CountPixels(image, lineRect("K3"), IsRed), 0);
    EXPECT_GT(CountPixels(image, lineRect("K3"), IsDark), 100);
    EXPECT_EQ(CountPixels(image, lineRect("K1"), IsRed), 0) << "a reserved kart";
}

TEST_F(TimingBoardTest, TrophyIsDrawnFromTheWorkingFolderAndSkippedWhenMissing) {
    const QRect trophy(trophyCentre(0) - QPoint(5, 5), QSize(10, 10));
    auto gold = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 150 && qBlue(p) < 80; };
    EXPECT_GT(CountPixels(render(), trophy, gold), 10);

    testing::TemporaryFolder empty;
    m_board.setWorkingFolder(common::WorkingFolder(empty.path()));
    EXPECT_EQ(CountPixels(render(), trophy, gold), 0);
}

TEST_F(TimingBoardTest, FrozenBoardShowsOnlyTheWindowBackground) {
    m_board.setFrozen(true);
    const QImage image = render();
    const RgbColour window = ColourFromValue(m_settings.windowBackground());
    const QRgb expected = qRgb(window.red, window.green, window.blue);
    int others = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            others += image.pixel(x, y) != expected ? 1 : 0;
    EXPECT_EQ(others, 0);
}

TEST_F(TimingBoardTest, WidgetAndImageRenderingAgree) {
    BoardImageOptions options;
    options.categoryNames = testing::SampleCategoryNames();
    options.workingFolder = m_folder.path();
    EXPECT_EQ(render(), RenderBoardToImage(m_live, m_settings, kScreen, options));
}

TEST_F(TimingBoardTest, HoverBoxShowsTheKartAndItsTransponder) {
    BoardRenderer renderer;
    renderer.setLiveTiming(&m_live);
    const int row = rowOf("K3");
    EXPECT_EQ(renderer.hoverLine(row).toStdString(), "K3 Tranpd : 100074");
    // A row without its transponder takes it from the session's kart.
    m_live.boardRows[static_cast<std::size_t>(row)].transponder.clear();
    EXPECT_EQ(renderer.hoverLine(row).toStdString(), "K3 Tranpd : 100074");

    const QPoint pointer = lineCentre("K2", 900);
    QTest::mouseMove(&m_board, pointer);
    const QImage image = render();
    SavePreview(image, "_hover");
    // White box above the pointer, framed in black.
    EXPECT_EQ(image.pixel(pointer + QPoint(-60, -3)), qRgb(255, 255, 255));
    EXPECT_TRUE(IsDark(image.pixel(pointer + QPoint(0, -45))));
    EXPECT_GT(CountPixels(image, QRect(pointer + QPoint(-60, -40), QSize(120, 36)), IsDark), 40);

    QTest::mouseMove(&m_board, QPoint(900, 10));
    EXPECT_NE(render().pixel(pointer + QPoint(-60, -3)), qRgb(255, 255, 255))
        << "the box goes with the pointer";
}

enum class Target { Trophy, KartRow, Heading };
enum class Signal { None, Trophy, CtrlClick, CtrlRightClick, HeadingCtrlRightClick };

struct ClickCase {
    const char* name;
    Target target;
    const char* label; // kart row
    int category;      // trophy and heading
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    Signal expected;
};

class BoardClickTest : public TimingBoardTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(BoardClickTest, ReportsTheClickTheMainWindowActsOn) {
    const ClickCase& c = GetParam();
    QSignalSpy trophy(&m_board, &TimingBoardWidget::trophyClicked);
    QSignalSpy ctrlClick(&m_board, &TimingBoardWidget::kartRowCtrlClicked);
    QSignalSpy ctrlRight(&m_board, &TimingBoardWidget::kartRowCtrlRightClicked);
    QSignalSpy heading(&m_board, &TimingBoardWidget::headingCtrlRightClicked);

    QPoint at;
    switch (c.target) {
    case Target::Trophy:
        at = trophyCentre(c.category);
        break;
    case Target::KartRow:
        at = lineCentre(c.label);
        break;
    case Target::Heading:
        at = QPoint(900, static_cast<int>(placedBlockOf(c.category).top) + 12);
        break;
    }
    QTest::mouseClick(&m_board, c.button, c.modifiers, at);

    EXPECT_EQ(trophy.count(), c.expected == Signal::Trophy ? 1 : 0);
    EXPECT_EQ(ctrlClick.count(), c.expected == Signal::CtrlClick ? 1 : 0);
    EXPECT_EQ(ctrlRight.count(), c.expected == Signal::CtrlRightClick ? 1 : 0);
    EXPECT_EQ(heading.count(), c.expected == Signal::HeadingCtrlRightClick ? 1 : 0);
    if (c.expected == Signal::Trophy) {
        EXPECT_EQ(trophy.at(0).at(0).toInt(), c.category);
    }
    if (c.expected == Signal::HeadingCtrlRightClick) {
        EXPECT_EQ(heading.at(0).at(0).toInt(), c.category);
    }
    if (c.expected == Signal::CtrlClick) {
        EXPECT_EQ(ctrlClick.at(0).at(0).toString().toStdString(), c.label);
    }
    if (c.expected == Signal::CtrlRightClick) {
        EXPECT_EQ(ctrlRight.at(0).at(0).toString().toStdString(), c.label);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, BoardClickTest,
    ::testing::Values(ClickCase{"trophy_opens_the_classification",
                                Target::Trophy,
                                "",
                                0,
                                Qt::LeftButton,
                                {},
                                Signal::Trophy},
                      ClickCase{"trophy_of_the_private_karts",
                                Target::Trophy,
                                "",
                                5,
                                Qt::LeftButton,
                                {},
                                Signal::Trophy},
                      ClickCase{"trophy_with_ctrl_held", Target::Trophy, "", 1, Qt::LeftButton,
                                Qt::ControlModifier, Signal::Trophy},
                      ClickCase{"ctrl_click_on_a_kart_row", Target::KartRow, "K2", 0,
                                Qt::LeftButton, Qt::ControlModifier, Signal::CtrlClick},
                      ClickCase{"ctrl_click_on_a_continued_kart_row", Target::KartRow, "K108", 1,
                                Qt::LeftButton, Qt::ControlModifier, Signal::CtrlClick},
                      ClickCase{"plain_click_on_a_kart_row_does_nothing",
                                Target::KartRow,
                                "K2",
                                0,
                                Qt::LeftButton,
                                {},
                                Signal::None},
                      ClickCase{"ctrl_right_click_on_a_kart_row", Target::KartRow, "KP1", 5,
                                Qt::RightButton, Qt::ControlModifier, Signal::CtrlRightClick},
                      ClickCase{"plain_right_click_on_a_kart_row_does_nothing",
                                Target::KartRow,
                                "K103",
                                1,
                                Qt::RightButton,
                                {},
                                Signal::None},
                      ClickCase{"ctrl_right_click_on_a_heading", Target::Heading, "", 1,
                                Qt::RightButton, Qt::ControlModifier,
                                Signal::HeadingCtrlRightClick},
                      ClickCase{"ctrl_right_click_on_the_trophy_is_the_heading", Target::Trophy, "",
                                2, Qt::RightButton, Qt::ControlModifier,
                                Signal::HeadingCtrlRightClick},
                      ClickCase{"ctrl_click_on_a_heading_does_nothing", Target::Heading, "", 1,
                                Qt::LeftButton, Qt::ControlModifier, Signal::None}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimingBoardTest, ScrollBarAppearsOnlyWhenTheRowsDoNotFit) {
    auto* bar = m_board.findChild<QScrollBar*>(QStringLiteral("timingBoardScrollBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());

    testing::FillFullBoard(m_live);
    m_board.boardChanged();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->pageStep(), kBoardScrollPage);
    EXPECT_EQ(bar->maximum(), m_board.layout().scrollMaximum());
    bar->setValue(2);
    EXPECT_EQ(m_board.scrollPosition(), 2);
    EXPECT_EQ(m_board.layout().placedBlocks().front().block, 2);
    const QRgb third =
        render().pixel(m_board.width() / 2, static_cast<int>(m_board.layout().slotTop(0)) + 3);
    EXPECT_EQ(third, CategoryBlockColour(2).rgb()) << "the third category is now at the top";

    testing::FillSampleSession(m_live);
    m_board.boardChanged();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(m_board.scrollPosition(), 0);
}

TEST_F(TimingBoardTest, AFullBoardOfEveryRowPaints) {
    testing::FillFullBoard(m_live);
    m_board.boardChanged();
    ASSERT_EQ(m_live.boardRowCount, session::kBoardRowCapacity);
    QImage image(m_board.size(), QImage::Format_RGB32);
    m_board.render(&image);
    SavePreview(image, "_full");
    // The first block's colour at the top: the rows did not push it away.
    EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), qRgb(0, 0, 0));
}

} // namespace
} // namespace tallimo::app
