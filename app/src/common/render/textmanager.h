#pragma once
// The bitmap font: an atlas texture and the metrics that place each character in it.
//
// Metrics file, one glyph per line: "c x y w h" (the character, then its atlas rectangle
// in pixels). A line of four numbers is the space character, whose own byte the split
// removes. Lines end with LF; CR bytes are ignored.

#include "common/render/uivertex.h"

#include "gui/htypes.h"

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Halvex::RenderCore
{
class Texture;
}

class TextManager
{
public:
    struct CharInfo
    {
        int32_t x = 0;
        int32_t y = 0;
        int32_t w = 0;
        int32_t h = 0;
        Halvex::RenderCore::Texture* pTexture = nullptr;
    };

    TextManager();
    virtual ~TextManager();
    TextManager(const TextManager&) = delete;
    TextManager& operator=(const TextManager&) = delete;

    // Loads the atlas, then the metrics. A missing file asserts and returns false; the glyphs
    // read so far stay.
    bool Load(const std::string& texturePath, const std::string& metricsPath);
    void Unload();
    // Adds the glyphs of a metrics file held in memory, with the current atlas as their
    // texture. A later line for the same character replaces the earlier one.
    void ParseMetrics(const char* pData, std::size_t size);

    // One entry per character the table knows, in text order; unknown characters are
    // skipped. Each unknown character asserts once (a table without any glyph once in
    // all), so a bad font does not flood the log frame after frame. Always true.
    bool GetCharInfos(const std::string& text, std::vector<const CharInfo*>& out) const;
    const CharInfo* Find(char c) const;
    Halvex::RenderCore::Texture* GetAtlas() const { return m_pAtlas.get(); }

private:
    void ReportMissing(char c) const;

    std::map<char, CharInfo> m_CharInfos;
    // Diagnostics already given, and how many characters were skipped since the load.
    mutable std::set<char> m_ReportedMissing;
    mutable uint64_t m_SkippedCount = 0;
    std::unique_ptr<Halvex::RenderCore::Texture> m_pAtlas;
};

// Breaks text into lines no wider than maxWidth unscaled pixels: at line breaks in the text,
// else between words (the spaces at a break are dropped); a word wider than a line is split
// between characters. Blank lines stay as empty lines. Characters without a glyph take no
// room. Blank lines at the end are dropped, so empty text gives no line.
void WrapText(const TextManager& font, const std::string& text, float maxWidth,
              std::vector<std::string>& lines);

// WrapText with pFont; without a font (none loaded) text that is not empty stays one line.
void WrapTextOrKeep(const TextManager* pFont, const std::string& text, float maxWidth,
                    std::vector<std::string>& lines);

// Unscaled size of a run of glyphs: the sum of their widths by the tallest height.
Halvex::HGui::HVec2F MeasureGlyphs(const std::vector<const TextManager::CharInfo*>& glyphs);

// The quad of one glyph with its pen at (penX, penY), as a fan top-left, bottom-left,
// bottom-right, top-right. Each corner is pulled inside clip on its own and its texture
// coordinate moves with it, so a clipped glyph shows the matching part of the atlas.
void BuildGlyphQuad(const TextManager::CharInfo& glyph, float penX, float penY, float z,
                    const Halvex::HGui::HRectF& clip, uint32_t colour, float scale,
                    float atlasWidth, float atlasHeight, UIVertex_t (&quad)[4]);
