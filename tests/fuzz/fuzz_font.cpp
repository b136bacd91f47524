// Font metrics files: parsed, every character looked up and its quad placed and clipped.

#include "common/render/textmanager.h"

#include "base/source/system/logger.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    TextManager font;
    font.ParseMetrics(reinterpret_cast<const char*>(pData), size);
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::vector<const TextManager::CharInfo*> glyphs;
    font.GetCharInfos(all, glyphs);
    UIVertex_t quad[4];
    for (const TextManager::CharInfo* pGlyph : glyphs)
        BuildGlyphQuad(*pGlyph, 10.0f, 20.0f, 0.0f, {0, 0, 1280, 720}, 0xFFFFFFFF, 1.5f, 256.0f,
                       128.0f, quad);
    MeasureGlyphs(glyphs);
    return 0;
}
