#include "app/gui/timing_board_widget.h"

#include "app/gui/board_rendering.h"
#include "tests/app/board/sample_live_timing.h"
#include "tests/support/temporary_folder.h"

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tallimo::app {
namespace {

const QSize kScreen(1920, 1080);

const auto IsRed = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 90 && qBlue(p) < 90; };
const auto IsDark = [](QRgb p) { return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60; };
const auto IsGold = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 150 && qBlue(p) < 80; };

int CountPixels(const QImage& image, const QRect& rect, bool (*test)(QRgb)) {
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

QRgb Rgb(int value) {
    const RgbColour colour = ColourFromValue(value);
    return qRgb(colour.red, colour.green, colour.blue);
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

    // The band of the board line showing the kart, empty when it is not shown.
    QRect lineRect(const std::string& label) const {
        for (const PlacedLine& line : m_board.layout().placedLines())
            if (m_live.boardRows[static_cast<std::size_t>(line.row)].kartLabel == label)
                return QRectF(0, line.top, m_board.width(), line.bottom - line.top).toAlignedRect();
        return {};
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

TEST_F(TimingBoardTest, FillsEachBlockWithItsCategoryColour) {
    const struct {
        const char* why;
        int category;
        int slotInBlock;
        QRgb colour;
    } rows[] = {
        {"first category", 0, 0, qRgb(190, 255, 190)},
        {"second category, continued in its next slot", 1, 1, qRgb(90, 215, 90)},
        {"category with its heading only", 2, 0, qRgb(65, 160, 65)},
        {"private karts", 5, 0, qRgb(255, 250, 135)},
    };
    const QImage image = render();
    for (const auto& row : rows) {
        const PlacedBlock& block = placedBlockOf(row.category);
        const int y =
            static_cast<int>(block.top + row.slotInBlock * m_board.layout().geometry().slotHeight) +
            3;
        ASSERT_LT(y, block.bottom) << row.why;
        EXPECT_EQ(image.pixel(m_board.width() * 9 / 10, y), row.colour) << row.why;
        EXPECT_EQ(image.pixel(10, y), row.colour) << row.why;
    }
}

TEST_F(TimingBoardTest, DrawsTitleBandLappedKartInRedAndTheTrophyFromTheWorkingFolder) {
    const QImage image = render();
    EXPECT_EQ(image.pixel(m_board.width() - 40, 4), Rgb(m_settings.boardColour()));
    EXPECT_GT(CountPixels(image, QRect(0, 0, 400, 40), IsDark), 50) << "the title is drawn";

    ASSERT_TRUE(lineRect("K2").isValid());
    EXPECT_GT(CountPixels(image, lineRect("K2"), IsRed), 100) << "it has just lapped";
    EXPECT_EQ(CountPixels(image, lineRect("K3"), IsRed), 0);
    EXPECT_GT(CountPixels(image, lineRect("K3"), IsDark), 100);
    EXPECT_EQ(CountPixels(image, lineRect("K1"), IsRed), 0) << "a reserved kart";

    const QRect trophy(trophyCentre(0) - QPoint(5, 5), QSize(10, 10));
    EXPECT_GT(CountPixels(image, trophy, IsGold), 10);
    testing::TemporaryFolder empty;
    m_board.setWorkingFolder(common::WorkingFolder(empty.path()));
    EXPECT_EQ(CountPixels(render(), trophy, IsGold), 0) << "no picture, no trophy";
}

TEST_F(TimingBoardTest, ImageRenderingAgreesWithTheWidgetAndAFrozenBoardIsOnlyBackground) {
    BoardImageOptions options;
    options.categoryNames = testing::SampleCategoryNames();
    options.workingFolder = m_folder.path();
    EXPECT_EQ(render(), RenderBoardToImage(m_live, m_settings, kScreen, options));

    m_board.setFrozen(true);
    QImage background(m_board.size(), QImage::Format_RGB32);
    background.fill(Rgb(m_settings.windowBackground()));
    EXPECT_EQ(render(), background);
}

TEST_F(TimingBoardTest, HoverBoxShowsTheKartAndItsTransponder) {
    BoardRenderer renderer;
    renderer.setLiveTiming(&m_live);
    auto& rows = m_live.boardRows;
    const auto k3 =
        std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.kartLabel == "K3"; });
    const int row = static_cast<int>(k3 - rows.begin());
    EXPECT_EQ(renderer.hoverLine(row).toStdString(), "K3 Tranpd : 100074");
    k3->transponder.clear(); // then it is taken from the session's kart
    EXPECT_EQ(renderer.hoverLine(row).toStdString(), "K3 Tranpd : 100074");

    const QPoint pointer(900, lineRect("K2").center().y());
    QTest::mouseMove(&m_board, pointer);
    const QImage image = render();
    // White box above the pointer, framed in black.
    EXPECT_EQ(image.pixel(pointer + QPoint(-60, -3)), qRgb(255, 255, 255));
    EXPECT_TRUE(IsDark(image.pixel(pointer + QPoint(0, -45))));
    EXPECT_GT(CountPixels(image, QRect(pointer + QPoint(-60, -40), QSize(120, 36)), IsDark), 40);

    QTest::mouseMove(&m_board, QPoint(900, 10));
    EXPECT_NE(render().pixel(pointer + QPoint(-60, -3)), qRgb(255, 255, 255))
        << "the box goes with the pointer";
}

enum class Target { Trophy, KartRow, Heading };

struct ClickCase {
    const char* name;
    Target target;
    const char* label; // kart row
    int category;      // trophy and heading
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    std::string signal; // what the main window hears, "" for nothing
};

class BoardClickTest : public TimingBoardTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(BoardClickTest, ReportsTheClickTheMainWindowActsOn) {
    const ClickCase& c = GetParam();
    std::vector<std::string> heard;
    const auto hear = [&heard](std::string signal) {
        return [&heard, signal](const auto& argument) {
            heard.push_back(signal + " " + QVariant(argument).toString().toStdString());
        };
    };
    QObject::connect(&m_board, &TimingBoardWidget::trophyClicked, hear("trophy"));
    QObject::connect(&m_board, &TimingBoardWidget::kartRowCtrlClicked, hear("row ctrl"));
    QObject::connect(&m_board, &TimingBoardWidget::kartRowCtrlRightClicked, hear("row ctrl right"));
    QObject::connect(&m_board, &TimingBoardWidget::headingCtrlRightClicked,
                     hear("heading ctrl right"));

    const QPoint at = c.target == Target::Trophy ? trophyCentre(c.category)
                      : c.target == Target::Heading
                          ? QPoint(900, static_cast<int>(placedBlockOf(c.category).top) + 12)
                          : QPoint(600, lineRect(c.label).center().y());
    QTest::mouseClick(&m_board, c.button, c.modifiers, at);

    EXPECT_EQ(heard,
              c.signal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.signal});
}

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Clicks, BoardClickTest,
    ::testing::Values(ClickCase{"trophy_opens_the_classification", Target::Trophy, "", 0,
                                Qt::LeftButton, kNone, "trophy 0"},
                      ClickCase{"trophy_with_ctrl_held", Target::Trophy, "", 5, Qt::LeftButton,
                                kCtrl, "trophy 5"},
                      ClickCase{"ctrl_click_on_a_kart_row", Target::KartRow, "K108", 1,
                                Qt::LeftButton, kCtrl, "row ctrl K108"},
                      ClickCase{"plain_click_on_a_kart_row_does_nothing", Target::KartRow, "K2", 0,
                                Qt::LeftButton, kNone, ""},
                      ClickCase{"ctrl_right_click_on_a_kart_row", Target::KartRow, "KP1", 5,
                                Qt::RightButton, kCtrl, "row ctrl right KP1"},
                      ClickCase{"plain_right_click_on_a_kart_row_does_nothing", Target::KartRow,
                                "K103", 1, Qt::RightButton, kNone, ""},
                      ClickCase{"ctrl_right_click_on_a_heading", Target::Heading, "", 1,
                                Qt::RightButton, kCtrl, "heading ctrl right 1"},
                      ClickCase{"ctrl_right_click_on_the_trophy_is_the_heading", Target::Trophy, "",
                                2, Qt::RightButton, kCtrl, "heading ctrl right 2"},
                      ClickCase{"ctrl_click_on_a_heading_does_nothing", Target::Heading, "", 1,
                                Qt::LeftButton, kCtrl, ""}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TimingBoardTest, ScrollBarAppearsOnlyWhenTheRowsDoNotFit) {
    auto* bar = m_board.findChild<QScrollBar*>(QStringLiteral("timingBoardScrollBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());

    testing::FillFullBoard(m_live);
    m_board.boardChanged();
    ASSERT_EQ(m_live.boardRowCount, session::kBoardRowCapacity);
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

} // namespace
} // namespace tallimo::app
