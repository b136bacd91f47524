#include "main/lessonlist.h"

#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"
#include "testcase/rendertocubemap.h"
#include "testcase/rendertotexture.h"
#include "testcase/usecubemap.h"

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
    {"ShadowMap", nullptr},
    {"ViewportScissor", nullptr},
    {"Stencil", nullptr},
    {"Mipmap", nullptr},
    {"RS_FillShadeCull", &CreateLesson<RenderState_FillShadeCull>},
    {"RS_Depth", &CreateLesson<RenderState_Depth>},
    {"RS_AlphaBlend", nullptr},
    {"RS_AlphaTest", nullptr},
    {"Test01", nullptr},
    {"Test02", nullptr},
    {"DeviceCapability", nullptr},
    {"Primitive", nullptr},
    {"VertexIndexBuffer", nullptr},
    {"MatrixTransform", &CreateLesson<MatrixTransform>},
    {"Lighting", &CreateLesson<Lighting>},
    {"UseCubeMap", &CreateLesson<UseCubeMap>},
    {"TextureSampling", nullptr},
};
