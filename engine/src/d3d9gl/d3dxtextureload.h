#pragma once
// The CPU half of loading a texture from an image file in memory: what D3DX's file loads do
// before they create a texture on a device. Kept apart from the device so that it can be
// tested and fuzzed on its own.

#include "d3d9gl/d3dx9.h"
#include "d3d9gl/image/image.h"

#include <vector>

namespace d3d9gl
{

struct TextureLoadRequest_t
{
    Image::Kind kind;  // TEXTURE_2D takes 2D files and a cube's first face; VOLUME takes 2D too
    UINT width;        // 0, D3DX_DEFAULT, D3DX_DEFAULT_NONPOW2 or D3DX_FROM_FILE: the file's
    UINT height;       // (ignored for cube maps)
    UINT depth;        // (volumes only)
    UINT mipLevels;    // 0 or D3DX_DEFAULT: the full chain; D3DX_FROM_FILE: the file's
    D3DFORMAT format;  // D3DFMT_UNKNOWN: the file's where the device holds it
    DWORD filter;      // for resizing level 0
    D3DCOLOR colorKey; // 0: none
};

struct TextureLoad_t
{
    UINT width = 0;
    UINT height = 0;
    UINT depth = 1;
    UINT levels = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    std::vector<std::vector<ImageSurface>> faces; // [face][level], tightly packed
    D3DXIMAGE_INFO info = {};                     // the file's own description
};

// Decodes the file and builds every level of every face. False, with one diagnostic line
// "<pFunction>: <reason>", for a file that cannot become the requested texture.
bool PrepareTextureLoad(const char* pFunction, LPCVOID pSrcData, UINT SrcDataSize,
                        const TextureLoadRequest_t& request, TextureLoad_t& out);

} // namespace d3d9gl
