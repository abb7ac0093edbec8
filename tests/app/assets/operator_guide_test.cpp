#include "app/assets/operator_guide_pdf.h"
#include "app/assets/operator_guide_text.h"

#include "tests/app/assets/expected_assets.h"

#include <gtest/gtest.h>

namespace tallimo::app::assets {
namespace {

// Page objects, not the page tree ("/Type /Pages").
int pageObjects(const QByteArray& pdf) {
    int count = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1))
        if (at + 11 >= pdf.size() || pdf[at + 11] != 's')
            ++count;
    return count;
}

TEST(OperatorGuide, RendersOnePdfPageForEachGuidePageAndTheSameBytesEveryTime) {
    const GuideRendering rendering = renderOperatorGuide(operatorGuidePages());
    ASSERT_TRUE(rendering.error.empty()) << rendering.error;
    EXPECT_TRUE(rendering.pdf.startsWith("%PDF-"));
    EXPECT_TRUE(rendering.pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(rendering.pages, testing::kGuidePages);
    EXPECT_EQ(pageObjects(rendering.pdf), testing::kGuidePages);
    EXPECT_TRUE(rendering.pdf.contains("/Count " + QByteArray::number(testing::kGuidePages)));

    EXPECT_EQ(renderOperatorGuide(operatorGuidePages()).pdf, rendering.pdf);
    // Both may fall within the same second, so the clock's stamp is looked at too.
    if (rendering.pdf.contains("/CreationDate")) {
        EXPECT_TRUE(rendering.pdf.contains("/CreationDate (D:20250101000000)"));
    }
}

TEST(OperatorGuide, NoPageOrTextTooLongForItsPageIsReportedInsteadOfSpilling) {
    EXPECT_FALSE(renderOperatorGuide({}).error.empty());
    GuidePage crowded{"Trop long", {{"Section", {}}}};
    for (int i = 0; i < 80; ++i)
        crowded.sections[0].paragraphs.push_back(
            {GuideParagraph::Kind::Text, "Une ligne de texte qui prend de la place sur la page."});
    const GuideRendering rendering = renderOperatorGuide({crowded});
    EXPECT_TRUE(rendering.pdf.isEmpty());
    EXPECT_NE(rendering.error.find("Trop long"), std::string::npos) << rendering.error;
}

TEST(OperatorGuide, CreationDateIsReplacedByTheFixedDateKeepingTheLength) {
    const struct {
        const char* why;
        const char* input;
        const char* expected;
    } rows[] = {
        {"UTC date", "<<\n/CreationDate (D:20261207020104Z)\n>>",
         "<<\n/CreationDate (D:20250101000000) \n>>"},
        {"date with an offset", "/CreationDate (D:20240229235959+01'00')\n",
         "/CreationDate (D:20250101000000)       \n"},
        {"no date entry", "%PDF-1.4\n/Title (x)\n", "%PDF-1.4\n/Title (x)\n"},
        {"date too short to replace", "/CreationDate (D:2026)", "/CreationDate (D:2026)"},
        {"unterminated date", "/CreationDate (D:20261207020104Z",
         "/CreationDate (D:20261207020104Z"},
    };
    for (const auto& row : rows) {
        const QByteArray output = withFixedCreationDate(QByteArray(row.input));
        EXPECT_EQ(output, QByteArray(row.expected)) << row.why;
        EXPECT_EQ(output.size(), QByteArray(row.input).size()) << row.why;
    }
}

} // namespace
} // namespace tallimo::app::assets
