#include "testcase/usecubemap.h"

#include "testcase/lessontexture.h"
#include "testcase/meshsampler.h"

#include "common/render/renderimpl.h"

#include "rendercore/source/renderdevice/renderdevice.h"

using namespace Halvex::RenderCore;
using Halvex::MATH::Matrix4;

UseCubeMap::UseCubeMap()
{
    Init("UseCubeMap");
    LoadModel("Data/cube_20.bin");
    LoadLessonTexture(m_CubeMap, "Data/_Tex_/Cubemap.dds", TEX_CUBE);
}

void UseCubeMap::RenderMesh(RenderImpl* pRenderer, const Render_Mesh* pMesh)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    const Matrix4 viewProjection = m_Camera.GetView() * m_Camera.GetProjection();
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 0, viewProjection.Data());
    pDevice->SetShaderConstantMatrix(SHADER_VERTEX, 4, m_Camera.GetView().Data());
    pDevice->SetTexture(SHADER_PIXEL, 0, &m_CubeMap, &MESH_SAMPLER);
    TestCommon::RenderMesh(pRenderer, pMesh);
}
