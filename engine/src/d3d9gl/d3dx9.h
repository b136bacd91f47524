#pragma once
// The D3DX 9 subset the engine calls: textures from image files in memory, mipmap filtering,
// surface copies with scaling and format conversion, saving images, and constant tables of
// shaders. Names, signatures and values are the published ones.

#include "d3d9gl/d3d9.h"

#define D3DX_DEFAULT (static_cast<UINT>(-1))
#define D3DX_DEFAULT_NONPOW2 (static_cast<UINT>(-2))
#define D3DX_FROM_FILE (static_cast<UINT>(-3))
#define D3DFMT_FROM_FILE (static_cast<D3DFORMAT>(-3))

#define D3DX_FILTER_NONE (1 << 0)
#define D3DX_FILTER_POINT (2 << 0)
#define D3DX_FILTER_LINEAR (3 << 0)
#define D3DX_FILTER_TRIANGLE (4 << 0)
#define D3DX_FILTER_BOX (5 << 0)
#define D3DX_FILTER_MIRROR_U (1 << 16)
#define D3DX_FILTER_MIRROR_V (2 << 16)
#define D3DX_FILTER_MIRROR_W (4 << 16)
#define D3DX_FILTER_MIRROR (7 << 16)
#define D3DX_FILTER_DITHER (1 << 19)

#define D3DXERR_INVALIDDATA MAKE_D3DHRESULT(2905)

enum D3DXIMAGE_FILEFORMAT : DWORD
{
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
    D3DXIFF_HDR = 7,
    D3DXIFF_PFM = 8,
    D3DXIFF_FORCE_DWORD = 0x7fffffff
};

struct D3DXIMAGE_INFO
{
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct D3DXMATRIX : D3DMATRIX
{
};

struct D3DXVECTOR4
{
    float x;
    float y;
    float z;
    float w;
};

using D3DXHANDLE = const char*;

enum D3DXREGISTER_SET : DWORD
{
    D3DXRS_BOOL = 0,
    D3DXRS_INT4 = 1,
    D3DXRS_FLOAT4 = 2,
    D3DXRS_SAMPLER = 3,
    D3DXRS_FORCE_DWORD = 0x7fffffff
};

enum D3DXPARAMETER_CLASS : DWORD
{
    D3DXPC_SCALAR = 0,
    D3DXPC_VECTOR = 1,
    D3DXPC_MATRIX_ROWS = 2,
    D3DXPC_MATRIX_COLUMNS = 3,
    D3DXPC_OBJECT = 4,
    D3DXPC_STRUCT = 5,
    D3DXPC_FORCE_DWORD = 0x7fffffff
};

enum D3DXPARAMETER_TYPE : DWORD
{
    D3DXPT_VOID = 0,
    D3DXPT_BOOL = 1,
    D3DXPT_INT = 2,
    D3DXPT_FLOAT = 3,
    D3DXPT_STRING = 4,
    D3DXPT_TEXTURE = 5,
    D3DXPT_TEXTURE1D = 6,
    D3DXPT_TEXTURE2D = 7,
    D3DXPT_TEXTURE3D = 8,
    D3DXPT_TEXTURECUBE = 9,
    D3DXPT_SAMPLER = 10,
    D3DXPT_SAMPLER1D = 11,
    D3DXPT_SAMPLER2D = 12,
    D3DXPT_SAMPLER3D = 13,
    D3DXPT_SAMPLERCUBE = 14,
    D3DXPT_FORCE_DWORD = 0x7fffffff
};

struct D3DXCONSTANT_DESC
{
    LPCSTR Name;
    D3DXREGISTER_SET RegisterSet;
    UINT RegisterIndex;
    UINT RegisterCount;
    D3DXPARAMETER_CLASS Class;
    D3DXPARAMETER_TYPE Type;
    UINT Rows;
    UINT Columns;
    UINT Elements;
    UINT StructMembers;
    UINT Bytes;
    LPCVOID DefaultValue;
};

struct D3DXCONSTANTTABLE_DESC
{
    LPCSTR Creator;
    DWORD Version;
    UINT Constants;
};

// The constants of one shader, read from its `//! const <name> c<register> [<count>]` and
// `//! sampler <name> s<register>` annotations (`i<register>` and `b<register>` name
// integer and bool registers). Setters write the registers through the given device, to
// the vertex or pixel stage the shader belongs to.
struct ID3DXConstantTable : IUnknown
{
    virtual HRESULT GetDesc(D3DXCONSTANTTABLE_DESC* pDesc) = 0;
    virtual HRESULT GetConstantDesc(D3DXHANDLE hConstant, D3DXCONSTANT_DESC* pConstantDesc,
                                    UINT* pCount) = 0;
    virtual UINT GetSamplerIndex(D3DXHANDLE hConstant) = 0;
    virtual D3DXHANDLE GetConstant(D3DXHANDLE hConstant, UINT Index) = 0;
    virtual D3DXHANDLE GetConstantByName(D3DXHANDLE hConstant, LPCSTR pName) = 0;
    virtual HRESULT SetBool(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, BOOL b) = 0;
    virtual HRESULT SetBoolArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const BOOL* pb,
                                 UINT Count) = 0;
    virtual HRESULT SetInt(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, INT n) = 0;
    virtual HRESULT SetIntArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const INT* pn,
                                UINT Count) = 0;
    virtual HRESULT SetFloat(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, FLOAT f) = 0;
    virtual HRESULT SetFloatArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant, const FLOAT* pf,
                                  UINT Count) = 0;
    virtual HRESULT SetVector(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                              const D3DXVECTOR4* pVector) = 0;
    virtual HRESULT SetVectorArray(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                   const D3DXVECTOR4* pVector, UINT Count) = 0;
    // Writes the matrix rows as stored into consecutive registers (row vectors).
    virtual HRESULT SetMatrix(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                              const D3DXMATRIX* pMatrix) = 0;
    virtual HRESULT SetMatrixTranspose(IDirect3DDevice9* pDevice, D3DXHANDLE hConstant,
                                       const D3DXMATRIX* pMatrix) = 0;
};

using LPD3DXCONSTANTTABLE = ID3DXConstantTable*;

HRESULT D3DXCreateTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT MipLevels,
                          DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                          LPDIRECT3DTEXTURE9* ppTexture);
HRESULT D3DXCreateCubeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Size, UINT MipLevels, DWORD Usage,
                              D3DFORMAT Format, D3DPOOL Pool,
                              LPDIRECT3DCUBETEXTURE9* ppCubeTexture);
HRESULT D3DXCreateVolumeTexture(LPDIRECT3DDEVICE9 pDevice, UINT Width, UINT Height, UINT Depth,
                                UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture);

// Image files: DDS (mip chains, cube maps, volumes; DXT1-5 and uncompressed formats) and
// BMP, JPG, TGA, PNG, HDR, PPM. Sizes of D3DX_DEFAULT take the file's own size (not rounded
// to a power of two); missing mip levels are made with a box filter. A non-zero ColorKey
// turns texels of exactly that ARGB value into transparent black; palettes are not used.
HRESULT D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                          UINT SrcDataSize, LPDIRECT3DTEXTURE9* ppTexture);
HRESULT D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                            UINT SrcDataSize, UINT Width, UINT Height,
                                            UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                            D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                            D3DCOLOR ColorKey, D3DXIMAGE_INFO* pSrcInfo,
                                            PALETTEENTRY* pPalette, LPDIRECT3DTEXTURE9* ppTexture);
HRESULT D3DXCreateCubeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                                UINT SrcDataSize, UINT Size, UINT MipLevels,
                                                DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                                DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                                D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette,
                                                LPDIRECT3DCUBETEXTURE9* ppCubeTexture);
HRESULT D3DXCreateVolumeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE9 pDevice, LPCVOID pSrcData,
                                                  UINT SrcDataSize, UINT Width, UINT Height,
                                                  UINT Depth, UINT MipLevels, DWORD Usage,
                                                  D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                                  DWORD MipFilter, D3DCOLOR ColorKey,
                                                  D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette,
                                                  LPDIRECT3DVOLUMETEXTURE9* ppVolumeTexture);

// Rebuilds every level below SrcLevel (D3DX_DEFAULT: 0) from the one above it.
HRESULT D3DXFilterTexture(LPDIRECT3DBASETEXTURE9 pBaseTexture, const PALETTEENTRY* pPalette,
                          UINT SrcLevel, DWORD Filter);

// Copies a rectangle of one surface into a rectangle of another, scaling and converting the
// format. Works on every d3d9gl surface, render targets and the back buffer included.
HRESULT D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface,
                                   const PALETTEENTRY* pDestPalette, const RECT* pDestRect,
                                   LPDIRECT3DSURFACE9 pSrcSurface, const PALETTEENTRY* pSrcPalette,
                                   const RECT* pSrcRect, DWORD Filter, D3DCOLOR ColorKey);

// BMP, JPG, TGA and PNG hold the image as 8-bit colour; DDS keeps the surface's format
// (and for textures every level and face).
HRESULT D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DSURFACE9 pSrcSurface, const PALETTEENTRY* pSrcPalette,
                               const RECT* pSrcRect);
HRESULT D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DBASETEXTURE9 pSrcTexture, const PALETTEENTRY* pSrcPalette);

HRESULT D3DXGetShaderConstantTable(const DWORD* pFunction, LPD3DXCONSTANTTABLE* ppConstantTable);
