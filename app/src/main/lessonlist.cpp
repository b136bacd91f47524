#include "main/lessonlist.h"

#include "testcase/devicecapability.h"
#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"
#include "testcase/mipmap.h"
#include "testcase/primitive.h"
#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"
#include "testcase/rendertocubemap.h"
#include "testcase/rendertotexture.h"
#include "testcase/shadowmap.h"
#include "testcase/stencil.h"
#include "testcase/test01.h"
#include "testcase/test02.h"
#include "testcase/texturesampling.h"
#include "testcase/usecubemap.h"
#include "testcase/vertexindexbuffer.h"
#include "testcase/viewportandscissor.h"

#include <strings.h>

namespace
{
template <typename Lesson> void CreateLesson()
{
    g_pApp->SetMode(new Lesson);
}
} // namespace

const LessonEntry_t LESSONS[LESSON_COUNT] = {
    {"RenderToTexture", &CreateLesson<RenderToTexture>},
    {"RenderToCubeMap", &CreateLesson<RenderToCubeMap>},
    {"ShadowMap", &CreateLesson<ShadowMap>},
    {"ViewportScissor", &CreateLesson<ViewportAndScissor>},
    {"Stencil", &CreateLesson<Stencil>},
    {"Mipmap", &CreateLesson<Mipmap>},
    {"RS_FillShadeCull", &CreateLesson<RenderState_FillShadeCull>},
    {"RS_Depth", &CreateLesson<RenderState_Depth>},
    {"RS_AlphaBlend", &CreateLesson<RenderState_AlphaBlend>},
    {"RS_AlphaTest", &CreateLesson<RenderState_AlphaTest>},
    {"Test01", &CreateLesson<Test01>},
    {"Test02", &CreateLesson<Test02>},
    {"DeviceCapability", &CreateLesson<DeviceCapability>},
    {"Primitive", &CreateLesson<Primitive>},
    {"VertexIndexBuffer", &CreateLesson<VertexIndexBuffer>},
    {"MatrixTransform", &CreateLesson<MatrixTransform>},
    {"Lighting", &CreateLesson<Lighting>},
    {"UseCubeMap", &CreateLesson<UseCubeMap>},
    {"TextureSampling", &CreateLesson<TextureSampling>},
};

int FindLessonRow(const char* pName)
{
    for (int i = 0; i < LESSON_COUNT; ++i)
    {
        if (strcasecmp(pName, LESSONS[i].m_pName) == 0)
        {
            return i;
        }
    }
    return -1;
}
