#pragma once
// d3d9gl's frame capture: marker pairs that group draws, names for textures, and the
// recording of one whole frame that can be listed event by event and replayed off-screen up
// to any event. They act on d3d9gl devices only and return D3DERR_INVALIDCALL otherwise.

#include "d3d9gl/d3d9.h"

#include <string>
#include <vector>

// One row of a captured frame.
struct D3D9GL_EVENT
{
    enum Kind
    {
        CLEAR,
        DRAW,
        TARGET_CHANGE,
        GROUP // the draws between a D3D9GL_BeginEvent and its D3D9GL_EndEvent
    };
    Kind kind = DRAW;
    std::string title;                 // "DrawIndexedPrimitive D3DPT_TRIANGLELIST 12 triangles"
    std::string shaders;               // "Lighting.wvu + Lighting.wpu"
    std::vector<std::string> textures; // "s0: tree01.dds 256 x 256 D3DFMT_DXT5"
    std::string target;                // "back buffer", "texture 512 x 512 D3DFMT_R32F"
    std::vector<std::string> states;   // "D3DRS_ZFUNC = D3DCMP_GREATER", differing from defaults
};

// A replayed picture as RGBA8, rows top to bottom; `written` is 1 where the event wrote.
struct D3D9GL_PICTURE
{
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> rgba;
    std::vector<BYTE> written;
};

// Draws between the pair fold into one GROUP event named pName. Pairs nest; the outermost
// names the group.
HRESULT D3D9GL_BeginEvent(IDirect3DDevice9* pDevice, const char* pName);
HRESULT D3D9GL_EndEvent(IDirect3DDevice9* pDevice);

// The name a texture shows in captured events (its file name).
HRESULT D3D9GL_SetTextureName(IDirect3DBaseTexture9* pTexture, const char* pName);

// Records the frame that begins after the next Present, up to the Present that ends it, at
// most maxCalls calls (0: the default, 100000); a longer frame stops recording and says so.
HRESULT D3D9GL_RequestCapture(IDirect3DDevice9* pDevice, UINT maxCalls);

// What the last finished capture holds.
struct D3D9GL_CAPTURE_INFO
{
    const std::vector<D3D9GL_EVENT>* pEvents = nullptr; // valid until the next capture finishes
    std::string message; // why the capture is incomplete; empty when it is whole
    UINT serial = 0;     // 1 for the device's first capture, then one more for each
    UINT calls = 0;      // calls recorded
    UINT bytes = 0;      // memory the recording takes, copies of targets aside
};

// D3DERR_NOTFOUND until a capture has finished.
HRESULT D3D9GL_GetCapture(IDirect3DDevice9* pDevice, D3D9GL_CAPTURE_INFO* pInfo);

// Replays the captured frame up to and including event `index` into copies of its targets and
// reads the target that event drew into. The device's state and the application's resources
// are as they were afterwards.
HRESULT D3D9GL_ReplayTo(IDirect3DDevice9* pDevice, UINT index, D3D9GL_PICTURE* pOut);
