// The GUI font: the metrics text and its atlas, checked against each other.

#include "testsupport.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace
{

struct Cell
{
    int x, y, w, h;
};

std::string ReadText(const char* name)
{
    return HalvexTest::ReadFile(HalvexTest::SourceDir() / "Data" / name);
}

// Each line is the character, then its cell: x, y, width and height. The program splits at
// spaces and tabs, so the space's own line is the space and four numbers.
std::map<char, Cell> ParseMetrics(const std::string& text)
{
    std::map<char, Cell> cells;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
    {
        Cell cell{};
        std::istringstream numbers(line.size() > 1 ? line.substr(1) : "");
        std::string rest;
        if ((numbers >> cell.x >> cell.y >> cell.w >> cell.h) && !(numbers >> rest))
        {
            cells[line[0]] = cell;
        }
        else
        {
            ADD_FAILURE() << "bad metrics line: '" << line << "'";
        }
    }
    return cells;
}

TEST(FontFiles, MetricsPlaceEveryPrintableCharacterInItsOwnCellOfOneLineHeight)
{
    const std::string text = ReadText("Font/ASCII_1.txt");
    ASSERT_TRUE(text.ends_with('\n')) << "the reader drops the last byte";
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto cells = ParseMetrics(text);
    ASSERT_EQ(cells.size(), 95u);
    const int lineHeight = cells.at('A').h;
    EXPECT_TRUE(lineHeight >= 15 && lineHeight <= 20) << lineHeight << ": must fit 20 pixel labels";
    std::vector<std::vector<char>> owner(128, std::vector<char>(256, 0));
    for (int code = ' '; code <= '~'; ++code)
    {
        const char c = static_cast<char>(code);
        ASSERT_TRUE(cells.count(c)) << "missing '" << c << "'";
        const Cell& cell = cells.at(c);
        EXPECT_TRUE(cell.h == lineHeight && cell.w > 0) << c;
        ASSERT_TRUE(cell.x >= 0 && cell.y >= 0 && cell.x + cell.w <= 256 && cell.y + cell.h <= 128)
            << c;
        for (int y = cell.y; y < cell.y + cell.h; ++y)
        {
            for (int x = cell.x; x < cell.x + cell.w; ++x)
            {
                ASSERT_EQ(owner[static_cast<size_t>(y)][static_cast<size_t>(x)], 0)
                    << "'" << c << "' overlaps another cell";
                owner[static_cast<size_t>(y)][static_cast<size_t>(x)] = c;
            }
        }
    }
    EXPECT_LT(cells.at('i').w, cells.at('W').w) << "proportional advances";
}

TEST(FontFiles, AtlasHoldsWhiteGlyphsWhoseAlphaIsCoverage)
{
    const auto cells = ParseMetrics(ReadText("Font/ASCII_1.txt"));
    const std::string dds = ReadText("Font/ASCII_1.dds");
    ASSERT_EQ(dds.size(), 128u + 256u * 128u * 4u);
    const auto texel = [&](int x, int y)
    { return reinterpret_cast<const uint8_t*>(&dds[128 + static_cast<size_t>(y * 256 + x) * 4]); };
    for (const auto& [c, cell] : cells)
    {
        int inked = 0;
        int partial = 0;
        for (int y = cell.y; y < cell.y + cell.h; ++y)
        {
            for (int x = cell.x; x < cell.x + cell.w; ++x)
            {
                const uint8_t* bgra = texel(x, y);
                EXPECT_EQ(bgra[0] & bgra[1] & bgra[2], 255) << "white glyphs";
                inked += bgra[3] != 0;
                partial += bgra[3] != 0 && bgra[3] != 255;
            }
        }
        EXPECT_EQ(inked > 0, c != ' ') << "'" << c << "': only the space has no ink";
        EXPECT_TRUE(c != 'O' || partial > 0) << "antialiased edges";
    }
}

} // namespace
