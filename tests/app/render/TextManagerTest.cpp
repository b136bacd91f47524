#include "common/render/textmanager.h"

#include "base/source/system/logger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
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

// Every printable character the font defines, with its atlas rect: "A 0 0 8 16;".
std::string Glyphs(const TextManager& font)
{
    std::string glyphs;
    for (char c = ' '; c <= '~'; ++c)
    {
        if (const TextManager::CharInfo* pInfo = font.Find(c))
        {
            glyphs += std::string(1, c) + " " + std::to_string(pInfo->x) + " " +
                      std::to_string(pInfo->y) + " " + std::to_string(pInfo->w) + " " +
                      std::to_string(pInfo->h) + ";";
        }
    }
    return glyphs;
}
} // namespace

// Each metrics text, the glyphs it defines, and the asserts it raises (none for a blank line,
// an extra word, a tab, a CR or a missing final line break). A line of 1023 characters or more
// continues as the next line; numbers take their sign and leading digits only; a later line
// replaces an earlier one; a multi-byte character token asserts and uses its first byte; a
// line of fewer than five words asserts and defines nothing.
TEST(FontMetrics, LinesMapCharactersToAtlasRects)
{
    const std::string overlong = "Q 1 2 3 4" + std::string(1014, ' ') + "R 5 6 7 8\n";
    const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
        {"A 0 0 8 16\n 80 0 5 16\nB\t8  0 7 16 extra words\n",
         "  80 0 5 16;A 0 0 8 16;B 8 0 7 16;",
         {}},
        {"C -3 +4 12px x\n", "C -3 4 12 0;", {}},
        {"AB 1 2 3 4\n", "A 1 2 3 4;", {"words[0].size() == 1"}},
        {"A 1\n\n \t \nB 1 2 3 4\n", "B 1 2 3 4;", {"words.size() == 0"}},
        {"A 0 0 8 16\r\nA 9 9 9 9\r\nZ 1 1 1 1", "A 9 9 9 9;Z 1 1 1 1;", {}},
        {overlong, "Q 1 2 3 4;R 5 6 7 8;", {}},
    };
    for (const auto& [text, glyphs, asserts] : cases)
    {
        TextManager font;
        DiagnosticCapture capture;
        Parse(font, text);
        EXPECT_EQ(Glyphs(font), glyphs) << text.substr(0, 40);
        std::vector<std::string> raised;
        for (const auto& record : capture.Asserts())
        {
            raised.push_back(record.expression);
        }
        EXPECT_EQ(raised, asserts) << text.substr(0, 40);
    }
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
    EXPECT_TRUE(font.GetCharInfos("", glyphs));
    EXPECT_EQ(MeasureGlyphs(glyphs), HVec2F(0, 0));
}

// A quad's corners (top-left, bottom-left, bottom-right, top-right) as x, y, u, v each.
std::vector<float> Corners(const UIVertex_t (&quad)[4])
{
    std::vector<float> corners;
    for (const UIVertex_t& vertex : quad)
    {
        corners.insert(corners.end(), {vertex.x, vertex.y, vertex.u, vertex.v});
    }
    return corners;
}

// The quad covers its atlas rect at any scale; the clip cuts the quad and its texture range
// alike; metrics near the int range do not overflow.
TEST(GlyphQuad, QuadsCoverTheirAtlasRectCutByTheClip)
{
    const TextManager::CharInfo glyph{16, 32, 8, 16, nullptr};
    UIVertex_t quad[4];
    BuildGlyphQuad(glyph, 10, 20, 0.1f, HRectF(0, 0, 1000, 1000), 0xFF00FF00u, 2.0f, 64, 128, quad);
    EXPECT_EQ(Corners(quad), (std::vector<float>{10, 20, 0.25f, 0.25f, 10, 52, 0.25f, 0.375f, 26,
                                                 52, 0.375f, 0.375f, 26, 20, 0.375f, 0.25f}));
    EXPECT_EQ((std::tuple{quad[1].colour, quad[3].z}), (std::tuple{0xFF00FF00u, 0.1f}));

    // The clip keeps the right half of the glyph; at scale 2 cutting the bottom moves v by
    // half as much as y.
    const TextManager::CharInfo small{0, 0, 8, 16, nullptr};
    BuildGlyphQuad(small, 0, 0, 0.1f, HRectF(4, -10, 100, 100), 0xFFFFFFFFu, 1.0f, 64, 64, quad);
    EXPECT_EQ(Corners(quad), (std::vector<float>{4, 0, 4.0f / 64, 0, 4, 16, 4.0f / 64, 0.25f, 8, 16,
                                                 0.125f, 0.25f, 8, 0, 0.125f, 0}));
    BuildGlyphQuad(small, 0, 0, 0.1f, HRectF(0, 0, 100, 16), 0xFFFFFFFFu, 2.0f, 64, 64, quad);
    EXPECT_EQ((std::tuple{quad[1].y, quad[1].v}), (std::tuple{16.0f, 8.0f / 64.0f}));
    // Wholly outside, the glyph collapses to no area.
    BuildGlyphQuad(small, 200, 0, 0.1f, HRectF(0, 0, 100, 100), 0xFFFFFFFFu, 1.0f, 64, 64, quad);
    EXPECT_EQ(quad[0].x, quad[2].x);

    const TextManager::CharInfo huge{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, nullptr};
    BuildGlyphQuad(huge, 0, 0, 0, HRectF(0, 0, 100, 100), 0, 1.0f, 64, 64, quad);
    EXPECT_GT(quad[2].u, 0.0f);
    EXPECT_EQ(quad[2].x, 100.0f);
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
