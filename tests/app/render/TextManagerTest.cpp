#include "common/render/textmanager.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Halvex::Base::DiagnosticCapture;
using Halvex::HGui::HRectF;
using Halvex::HGui::HVec2F;

namespace
{
void Parse(TextManager& font, const std::string& text)
{
    font.ParseMetrics(text.data(), text.size());
}

void ExpectGlyph(const TextManager& font, char c, int x, int y, int w, int h)
{
    const TextManager::CharInfo* pInfo = font.Find(c);
    ASSERT_NE(pInfo, nullptr) << "'" << c << "'";
    EXPECT_EQ(pInfo->x, x);
    EXPECT_EQ(pInfo->y, y);
    EXPECT_EQ(pInfo->w, w);
    EXPECT_EQ(pInfo->h, h);
}
} // namespace

TEST(FontMetrics, CharacterLineAndSpaceLineMapTheirAtlasRects)
{
    TextManager font;
    DiagnosticCapture capture;
    Parse(font, "A 0 0 8 16\n 80 0 5 16\nB\t8  0 7 16 extra words\n");
    ExpectGlyph(font, 'A', 0, 0, 8, 16);
    ExpectGlyph(font, ' ', 80, 0, 5, 16);
    ExpectGlyph(font, 'B', 8, 0, 7, 16);
    EXPECT_TRUE(capture.Asserts().empty());
}

TEST(FontMetrics, NumbersTakeSignAndLeadingDigitsOnly)
{
    TextManager font;
    Parse(font, "C -3 +4 12px x\n");
    ExpectGlyph(font, 'C', -3, 4, 12, 0);
}

TEST(FontMetrics, MultiByteCharacterTokenAssertsAndUsesItsFirstByte)
{
    TextManager font;
    DiagnosticCapture capture;
    Parse(font, "AB 1 2 3 4\n");
    EXPECT_TRUE(capture.Raised("words[0].size() == 1"));
    ExpectGlyph(font, 'A', 1, 2, 3, 4);
}

TEST(FontMetrics, ShortLinesAssertAndBlankLinesAreSilent)
{
    TextManager font;
    DiagnosticCapture capture;
    Parse(font, "A 1\n\n \t \nB 1 2 3 4\n");
    ASSERT_EQ(capture.Asserts().size(), 1u);
    EXPECT_EQ(capture.Asserts()[0].expression, "words.size() == 0");
    EXPECT_EQ(font.Find('A'), nullptr);
    ExpectGlyph(font, 'B', 1, 2, 3, 4);
}

TEST(FontMetrics, CrLfParsesLikeLfAndLaterLinesReplace)
{
    TextManager font;
    Parse(font, "A 0 0 8 16\r\nA 9 9 9 9\r\nZ 1 1 1 1");
    ExpectGlyph(font, 'A', 9, 9, 9, 9);
    // The last line keeps its last byte even without a closing line break.
    ExpectGlyph(font, 'Z', 1, 1, 1, 1);
}

TEST(FontMetrics, OverlongLineContinuesAsTheNextLine)
{
    TextManager font;
    DiagnosticCapture capture;
    std::string line = "Q 1 2 3 4";
    line += std::string(1023 - line.size(), ' ');
    Parse(font, line + "R 5 6 7 8\n");
    ExpectGlyph(font, 'Q', 1, 2, 3, 4);
    ExpectGlyph(font, 'R', 5, 6, 7, 8);
    EXPECT_TRUE(capture.Asserts().empty());
}

TEST(FontMetrics, UnknownCharactersAssertOnceEachAndAreSkipped)
{
    DiagnosticCapture capture;
    {
        TextManager empty;
        std::vector<const TextManager::CharInfo*> none;
        for (int frame = 0; frame < 3; ++frame)
        {
            empty.GetCharInfos("FPS: 60", none);
        }
        EXPECT_TRUE(none.empty());
        EXPECT_EQ(capture.Asserts().size(), 1u) << "a font without glyphs is one fault";
    }
    EXPECT_TRUE(capture.Logged("21 characters had no glyph"));
    TextManager font;
    Parse(font, "A 0 0 8 16\n");
    std::vector<const TextManager::CharInfo*> glyphs;
    EXPECT_TRUE(font.GetCharInfos("AxAx", glyphs));
    EXPECT_TRUE(font.GetCharInfos("xyA", glyphs));
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0], font.Find('A'));
    EXPECT_EQ(capture.Asserts().size(), 3u) << "once for x, once for y";
    EXPECT_TRUE(capture.Logged("no glyph for character 0x78"));
    EXPECT_EQ(MeasureGlyphs(glyphs), HVec2F(8, 16));
    EXPECT_TRUE(font.GetCharInfos("", glyphs));
    EXPECT_EQ(MeasureGlyphs(glyphs), HVec2F(0, 0));
}

TEST(GlyphQuad, MetricsNearTheIntRangeDoNotOverflow)
{
    const TextManager::CharInfo glyph{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, nullptr};
    UIVertex_t quad[4];
    BuildGlyphQuad(glyph, 0, 0, 0, HRectF(0, 0, 100, 100), 0, 1.0f, 64, 64, quad);
    EXPECT_GT(quad[2].u, 0.0f);
    EXPECT_EQ(quad[2].x, 100.0f);
}

TEST(GlyphQuad, ScaledQuadCoversItsAtlasRect)
{
    const TextManager::CharInfo glyph{16, 32, 8, 16, nullptr};
    UIVertex_t quad[4];
    BuildGlyphQuad(glyph, 10, 20, 0.1f, HRectF(0, 0, 1000, 1000), 0xFF00FF00u, 2.0f, 64, 128, quad);
    // top-left, bottom-left, bottom-right, top-right
    EXPECT_EQ(quad[0].x, 10);
    EXPECT_EQ(quad[0].y, 20);
    EXPECT_EQ(quad[1].y, 52);
    EXPECT_EQ(quad[2].x, 26);
    EXPECT_EQ(quad[3].y, 20);
    EXPECT_FLOAT_EQ(quad[0].u, 0.25f);
    EXPECT_FLOAT_EQ(quad[0].v, 0.25f);
    EXPECT_FLOAT_EQ(quad[2].u, 0.375f);
    EXPECT_FLOAT_EQ(quad[2].v, 0.375f);
    EXPECT_EQ(quad[1].colour, 0xFF00FF00u);
    EXPECT_FLOAT_EQ(quad[3].z, 0.1f);
}

TEST(GlyphQuad, ClipCutsTheQuadAndItsTextureRangeAlike)
{
    const TextManager::CharInfo glyph{0, 0, 8, 16, nullptr};
    UIVertex_t quad[4];
    // The clip keeps the right half of the glyph.
    BuildGlyphQuad(glyph, 0, 0, 0.1f, HRectF(4, -10, 100, 100), 0xFFFFFFFFu, 1.0f, 64, 64, quad);
    EXPECT_EQ(quad[0].x, 4);
    EXPECT_EQ(quad[2].x, 8);
    EXPECT_FLOAT_EQ(quad[0].u, 4.0f / 64.0f);
    EXPECT_FLOAT_EQ(quad[2].u, 8.0f / 64.0f);
    // Cutting the bottom at scale 2 moves v by half as much as y.
    BuildGlyphQuad(glyph, 0, 0, 0.1f, HRectF(0, 0, 100, 16), 0xFFFFFFFFu, 2.0f, 64, 64, quad);
    EXPECT_EQ(quad[1].y, 16);
    EXPECT_FLOAT_EQ(quad[1].v, 8.0f / 64.0f);
    // Wholly outside, the glyph collapses to no area.
    BuildGlyphQuad(glyph, 200, 0, 0.1f, HRectF(0, 0, 100, 100), 0xFFFFFFFFu, 1.0f, 64, 64, quad);
    EXPECT_EQ(quad[0].x, quad[2].x);
}

TEST(WrapText, BreaksBetweenWordsAtLineBreaksAndInsideOverlongWords)
{
    // Letters are 10 pixels wide, the space 5.
    TextManager font;
    Parse(font, "a 0 0 10 16\nb 0 0 10 16\nc 0 0 10 16\n 0 0 5 16\n");
    struct Case
    {
        const char* text;
        float width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", 100.0f, {}},
        {"ab ab", 45.0f, {"ab ab"}},
        {"ab ab", 44.0f, {"ab", "ab"}},
        {"ab   ab  ", 100.0f, {"ab ab"}},
        {"ab\nab", 100.0f, {"ab", "ab"}},
        {"ab\r\n\r\nab\n\n", 100.0f, {"ab", "", "ab"}},
        {"a abcabc b", 30.0f, {"a", "abc", "abc", "b"}},
        {"abc", 5.0f, {"a", "b", "c"}},
        {"a?a", 20.0f, {"a?a"}},
    };
    std::vector<std::string> lines;
    for (const Case& c : cases)
    {
        WrapText(font, c.text, c.width, lines);
        EXPECT_EQ(lines, c.lines) << "\"" << c.text << "\" in " << c.width;
    }
}
