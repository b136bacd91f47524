#include "main/lessonlist.h"

#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"
#include "testcase/rendertocubemap.h"
#include "testcase/rendertotexture.h"
#include "testcase/shadowmap.h"
#include "testcase/stencil.h"
#include "testcase/usecubemap.h"
#include "testcase/viewportandscissor.h"

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
