#pragma once
// d3d9gl's own additions to the Direct3D 9 interface: per-frame counters for benchmarks
// and a name for the next shader's diagnostics. They act on d3d9gl devices only and return
// D3DERR_INVALIDCALL for any other IDirect3DDevice9.

#include "d3d9gl/d3d9.h"

struct D3D9GL_COUNTERS
{
    UINT DrawCalls;    // native draw calls
    UINT StateChanges; // GL state calls the state cache let through
    UINT Uploads;      // buffer, texture and shader-constant uploads
    UINT ProgramLinks; // programs linked
    UINT GLErrors;     // errors the GL debug output reported (since the device's creation)
    UINT UploadBytes;  // bytes of those uploads
};

// pCurrent: counts since the last Present or reset; pLastFrame: the frame that the last
// Present ended. Either may be null.
HRESULT D3D9GL_GetCounters(IDirect3DDevice9* pDevice, D3D9GL_COUNTERS* pCurrent,
                           D3D9GL_COUNTERS* pLastFrame);
HRESULT D3D9GL_ResetCounters(IDirect3DDevice9* pDevice);

// The number of live objects that own GL names (textures, surfaces, buffers, shaders,
// declarations, the device's own back buffer and depth surface): a leak check for tools.
HRESULT D3D9GL_GetLiveObjectCount(IDirect3DDevice9* pDevice, UINT* pCount);

// Names the shader that the next CreateVertexShader or CreatePixelShader makes (the file's
// name, for compiler diagnostics). Without it the name comes from a `//! name <text>` line.
HRESULT D3D9GL_SetNextShaderName(IDirect3DDevice9* pDevice, const char* pName);

// Consecutive DrawPrimitiveUP calls under the same state are drawn as one native draw
// (strips and fans as indexed triangle lists); the pixels are the same either way. On
// unless the environment sets D3D9GL_NO_MERGE=1 when the device is made.
HRESULT D3D9GL_SetDrawMerging(IDirect3DDevice9* pDevice, BOOL enabled);

// A reference mode for tests: while it is on, every draw and clear specifies all GL state
// anew, as if nothing had been set before, instead of the groups that changed since the last
// one. The pixels must be the same either way.
HRESULT D3D9GL_SetPlainState(IDirect3DDevice9* pDevice, BOOL enabled);

// The compiler's or linker's log of the latest shader that failed to compile or link, as the
// driver wrote it (lines numbered as in the shader's own text; a link log after a first line
// naming both shaders), and in *pFailures how many
// have failed since the device was made, so a caller can tell a new failure from an old one.
// The log is cut to fit bufferSize bytes with its terminating zero; pBuffer may be null.
HRESULT D3D9GL_GetLastShaderError(IDirect3DDevice9* pDevice, char* pBuffer, UINT bufferSize,
                                  UINT* pFailures);

// What D3D9GL_FailCreation can make fail.
enum D3D9GL_CREATION_KIND
{
    D3D9GL_CREATION_TEXTURE,       // 2D, cube and volume textures that are not render targets
    D3D9GL_CREATION_BUFFER,        // vertex and index buffers
    D3D9GL_CREATION_SHADER,        // vertex and pixel shaders
    D3D9GL_CREATION_RENDER_TARGET, // render-target textures and depth-stencil surfaces
    D3D9GL_CREATION_KIND_COUNT
};

// Fault injection for tests: the nth creation of that kind from now on (1: the next one)
// fails with D3DERR_OUTOFVIDEOMEMORY and one logged line, as when the driver runs out of
// memory; later ones succeed again. 0 cancels a pending failure.
HRESULT D3D9GL_FailCreation(IDirect3DDevice9* pDevice, D3D9GL_CREATION_KIND kind, UINT nth);
