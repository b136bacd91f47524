#pragma once
// The native object behind a Texture's user data.
//
// A texture's user data holds either a texture (2D, cube or volume) or a surface (depth-
// stencil surfaces and the targets saved by GetRenderTarget). Both are stored as their
// IDirect3DResource9 base, so the resource type tells which one it is before any downcast.

#include "d3d9gl/d3d9.h"

namespace Halvex::RenderCore
{

inline void* ToUserData(IDirect3DResource9* pResource)
{
    return pResource;
}

inline IDirect3DResource9* AsResource(void* pUserData)
{
    return static_cast<IDirect3DResource9*>(pUserData);
}

inline IDirect3DBaseTexture9* AsBaseTexture(void* pUserData)
{
    IDirect3DResource9* pResource = AsResource(pUserData);
    if (!pResource)
    {
        return nullptr;
    }
    switch (pResource->GetType())
    {
    case D3DRTYPE_TEXTURE:
    case D3DRTYPE_CUBETEXTURE:
    case D3DRTYPE_VOLUMETEXTURE:
        return static_cast<IDirect3DBaseTexture9*>(pResource);
    default:
        return nullptr;
    }
}

template <class NativeType, D3DRESOURCETYPE Type> NativeType* AsNative(void* pUserData)
{
    IDirect3DResource9* pResource = AsResource(pUserData);
    return pResource && pResource->GetType() == Type ? static_cast<NativeType*>(pResource)
                                                     : nullptr;
}

inline IDirect3DTexture9* As2DTexture(void* pUserData)
{
    return AsNative<IDirect3DTexture9, D3DRTYPE_TEXTURE>(pUserData);
}

inline IDirect3DCubeTexture9* AsCubeTexture(void* pUserData)
{
    return AsNative<IDirect3DCubeTexture9, D3DRTYPE_CUBETEXTURE>(pUserData);
}

inline IDirect3DVolumeTexture9* AsVolumeTexture(void* pUserData)
{
    return AsNative<IDirect3DVolumeTexture9, D3DRTYPE_VOLUMETEXTURE>(pUserData);
}

inline IDirect3DSurface9* AsSurface(void* pUserData)
{
    return AsNative<IDirect3DSurface9, D3DRTYPE_SURFACE>(pUserData);
}

template <class T> void SafeRelease(T*& pObject)
{
    if (pObject)
    {
        pObject->Release();
        pObject = nullptr;
    }
}

} // namespace Halvex::RenderCore
