#include "common/render/textmanager.h"

#include "base/source/system/logger.h"
#include "base/source/utility/fileloader.h"
#include "rendercore/source/resource/texture.h"

#include <algorithm>
#include <string_view>

using namespace Halvex;
using Halvex::RenderCore::Texture;

namespace
{
constexpr const char* MODULE = "FONT";
// Longer lines go on as the next line.
constexpr std::size_t MAX_LINE = 1023;

// Decimal with an optional sign; anything after the leading digits is ignored.
int32_t ParseInt(const std::string& token)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '-' || token[i] == '+'))
    {
        negative = token[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
    {
        value = std::min<int64_t>(value * 10 + (token[i] - '0'), INT32_MAX);
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : line)
    {
        if (c == ' ' || c == '\t')
        {
            if (!word.empty())
            {
                words.push_back(word);
                word.clear();
            }
        }
        else
        {
            word += c;
        }
    }
    if (!word.empty())
    {
        words.push_back(word);
    }
    return words;
}
} // namespace

TextManager::TextManager() = default;

TextManager::~TextManager()
{
    Unload();
}

bool TextManager::Load(const std::string& texturePath, const std::string& metricsPath)
{
    Unload();
    Base::FileLoader loader;
    if (!loader.Load(texturePath))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not read the font atlas \"%s\"\n",
                  texturePath.c_str());
        HX_RAISE("0");
        return false;
    }
    auto pAtlas = std::make_unique<Texture>();
    pAtlas->SetName(texturePath);
    if (pAtlas->LoadFromMemory(loader.GetData(), RenderCore::TEX_2D,
                               static_cast<int>(loader.GetSize()), RenderCore::FMT_UNKNOWN, 1, 0))
    {
        m_pAtlas = std::move(pAtlas);
    }
    else
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not decode the font atlas \"%s\"\n",
                  texturePath.c_str());
    }
    if (!loader.Load(metricsPath))
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "Can not read the font metrics \"%s\"\n",
                  metricsPath.c_str());
        HX_RAISE("0");
        return false;
    }
    ParseMetrics(reinterpret_cast<const char*>(loader.GetData()), loader.GetSize());
    return true;
}

void TextManager::Unload()
{
    if (m_SkippedCount > 0)
    {
        Base::Log(MODULE, Base::LOG_LEVEL_WARNING_1,
                  "%llu characters had no glyph in the font and were not drawn\n",
                  static_cast<unsigned long long>(m_SkippedCount));
    }
    m_SkippedCount = 0;
    m_ReportedMissing.clear();
    m_CharInfos.clear();
    m_pAtlas.reset();
}

void TextManager::ParseMetrics(const char* pData, std::size_t size)
{
    std::string line;
    auto takeLine = [&]()
    {
        const std::vector<std::string> words = SplitWords(line);
        line.clear();
        if (words.empty())
        {
            return;
        }
        if (words.size() < 4)
        {
            HX_RAISE("words.size() == 0");
            return;
        }
        const bool hasChar = words.size() >= 5;
        char c = ' ';
        if (hasChar)
        {
            if (words[0].size() != 1)
            {
                HX_RAISE("words[0].size() == 1");
            }
            c = words[0][0];
        }
        const std::size_t first = hasChar ? 1 : 0;
        m_CharInfos[c] =
            CharInfo{ParseInt(words[first]), ParseInt(words[first + 1]), ParseInt(words[first + 2]),
                     ParseInt(words[first + 3]), m_pAtlas.get()};
    };
    for (std::size_t i = 0; i < size; ++i)
    {
        const char c = pData[i];
        if (c == '\r')
        {
            continue;
        }
        if (c == '\n')
        {
            takeLine();
            continue;
        }
        line += c;
        if (line.size() == MAX_LINE)
        {
            takeLine();
        }
    }
    // A file without a closing line break keeps its last line.
    takeLine();
}

bool TextManager::GetCharInfos(const std::string& text, std::vector<const CharInfo*>& out) const
{
    out.clear();
    out.reserve(text.size());
    for (char c : text)
    {
        if (const CharInfo* pInfo = Find(c))
        {
            out.push_back(pInfo);
        }
        else
        {
            ReportMissing(c);
        }
    }
    return true;
}

void TextManager::ReportMissing(char c) const
{
    ++m_SkippedCount;
    // An empty table has one cause (the font did not load), reported under the key 0.
    const char key = m_CharInfos.empty() ? '\0' : c;
    if (!m_ReportedMissing.insert(key).second)
    {
        return;
    }
    if (m_CharInfos.empty())
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "The font has no glyphs: text is not drawn\n");
    }
    else
    {
        Base::Log(MODULE, Base::LOG_LEVEL_ERROR, "The font has no glyph for character 0x%02X\n",
                  static_cast<unsigned>(static_cast<unsigned char>(c)));
    }
    HX_RAISE("0");
}

const TextManager::CharInfo* TextManager::Find(char c) const
{
    const auto it = m_CharInfos.find(c);
    return it == m_CharInfos.end() ? nullptr : &it->second;
}

namespace
{
float GlyphWidth(const TextManager& font, char c)
{
    const TextManager::CharInfo* pInfo = font.Find(c);
    return pInfo ? static_cast<float>(pInfo->w) : 0.0f;
}

// Appends one paragraph (text without line breaks) as wrapped lines.
void WrapParagraph(const TextManager& font, std::string_view paragraph, float maxWidth,
                   std::vector<std::string>& lines)
{
    const float spaceWidth = GlyphWidth(font, ' ');
    std::string line;
    float lineWidth = 0.0f;
    std::size_t pos = 0;
    while (pos < paragraph.size())
    {
        const std::size_t start = paragraph.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
        {
            break;
        }
        const std::size_t end = std::min(paragraph.find(' ', start), paragraph.size());
        pos = end;
        std::string_view word = paragraph.substr(start, end - start);
        float wordWidth = 0.0f;
        for (char c : word)
        {
            wordWidth += GlyphWidth(font, c);
        }
        if (!line.empty() && lineWidth + spaceWidth + wordWidth <= maxWidth)
        {
            line += ' ';
            line += word;
            lineWidth += spaceWidth + wordWidth;
            continue;
        }
        if (!line.empty())
        {
            lines.push_back(line);
        }
        line.clear();
        lineWidth = 0.0f;
        // A word wider than the line fills lines of its own, one character at least each.
        for (char c : word)
        {
            const float width = GlyphWidth(font, c);
            if (!line.empty() && lineWidth + width > maxWidth)
            {
                lines.push_back(line);
                line.clear();
                lineWidth = 0.0f;
            }
            line += c;
            lineWidth += width;
        }
    }
    lines.push_back(line);
}
} // namespace

void WrapText(const TextManager& font, const std::string& text, float maxWidth,
              std::vector<std::string>& lines)
{
    lines.clear();
    std::string_view rest(text);
    while (true)
    {
        const std::size_t end = rest.find('\n');
        std::string_view paragraph = rest.substr(0, end);
        if (!paragraph.empty() && paragraph.back() == '\r')
        {
            paragraph.remove_suffix(1);
        }
        WrapParagraph(font, paragraph, maxWidth, lines);
        if (end == std::string_view::npos)
        {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    while (!lines.empty() && lines.back().empty())
    {
        lines.pop_back();
    }
}

void WrapTextOrKeep(const TextManager* pFont, const std::string& text, float maxWidth,
                    std::vector<std::string>& lines)
{
    if (pFont)
    {
        WrapText(*pFont, text, maxWidth, lines);
        return;
    }
    lines.clear();
    if (!text.empty())
    {
        lines.push_back(text);
    }
}

HGui::HVec2F MeasureGlyphs(const std::vector<const TextManager::CharInfo*>& glyphs)
{
    HGui::HVec2F size;
    for (const TextManager::CharInfo* pGlyph : glyphs)
    {
        size.x += static_cast<float>(pGlyph->w);
        size.y = std::max(size.y, static_cast<float>(pGlyph->h));
    }
    return size;
}

void BuildGlyphQuad(const TextManager::CharInfo& glyph, float penX, float penY, float z,
                    const HGui::HRectF& clip, uint32_t colour, float scale, float atlasWidth,
                    float atlasHeight, UIVertex_t (&quad)[4])
{
    const float left = penX;
    const float top = penY;
    const float right = penX + static_cast<float>(glyph.w) * scale;
    const float bottom = penY + static_cast<float>(glyph.h) * scale;
    const float u0 = static_cast<float>(glyph.x) / atlasWidth;
    const float v0 = static_cast<float>(glyph.y) / atlasHeight;
    // In float: metrics near the int range must not overflow.
    const float u1 = (static_cast<float>(glyph.x) + static_cast<float>(glyph.w)) / atlasWidth;
    const float v1 = (static_cast<float>(glyph.y) + static_cast<float>(glyph.h)) / atlasHeight;
    quad[0] = {left, top, z, colour, u0, v0};
    quad[1] = {left, bottom, z, colour, u0, v1};
    quad[2] = {right, bottom, z, colour, u1, v1};
    quad[3] = {right, top, z, colour, u1, v0};

    auto clipAxis = [scale](float& p, float& t, float low, float high, float atlasSize)
    {
        // The edge is taken as it is, not as p plus an offset, which would round away for
        // a far-off p.
        float edge = p;
        if (low > p)
        {
            edge = low;
        }
        else if (p > high)
        {
            edge = high;
        }
        t += (edge - p) / scale / atlasSize;
        p = edge;
    };
    for (UIVertex_t& vertex : quad)
    {
        clipAxis(vertex.x, vertex.u, clip.x, clip.Right(), atlasWidth);
        clipAxis(vertex.y, vertex.v, clip.y, clip.Bottom(), atlasHeight);
    }
}
