#include "main/lessonlist.h"

#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"
#include "testcase/mipmap.h"
#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"
#include "testcase/texturesampling.h"

namespace
{
template <typename Lesson> void CreateLesson()
{
    g_pApp->SetMode(new Lesson);
}
} // namespace

const LessonEntry_t LESSONS[LESSON_COUNT] = {
    {"RenderToTexture", nullptr},
    {"RenderToCubeMap", nullptr},
    {"ShadowMap", nullptr},
    {"ViewportScissor", nullptr},
    {"Stencil", nullptr},
    {"Mipmap", &CreateLesson<Mipmap>},
    {"RS_FillShadeCull", &CreateLesson<RenderState_FillShadeCull>},
    {"RS_Depth", &CreateLesson<RenderState_Depth>},
    {"RS_AlphaBlend", &CreateLesson<RenderState_AlphaBlend>},
    {"RS_AlphaTest", &CreateLesson<RenderState_AlphaTest>},
    {"Test01", nullptr},
    {"Test02", nullptr},
    {"DeviceCapability", nullptr},
    {"Primitive", nullptr},
    {"VertexIndexBuffer", nullptr},
    {"MatrixTransform", &CreateLesson<MatrixTransform>},
    {"Lighting", &CreateLesson<Lighting>},
    {"UseCubeMap", nullptr},
    {"TextureSampling", &CreateLesson<TextureSampling>},
};
