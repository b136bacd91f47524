#pragma once
// A cube model wearing a cube-map texture read from a file: each point of the cube looks up
// the environment in the direction from the centre, so every face shows its own face of the
// cube map.

#include "testcase/testcommon.h"

#include "rendercore/source/resource/texture.h"

class UseCubeMap : public TestCommon
{
public:
    UseCubeMap();

    void RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh) override;

    const Halvex::RenderCore::Texture& GetCubeMap() const { return m_CubeMap; }

private:
    Halvex::RenderCore::Texture m_CubeMap;
};
