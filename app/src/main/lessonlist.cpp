#include "main/lessonlist.h"

#include "testcase/devicecapability.h"
#include "testcase/lighting.h"
#include "testcase/matrixtransform.h"
#include "testcase/primitive.h"
#include "testcase/renderstate_depth.h"
#include "testcase/renderstate_fillshadecull.h"
#include "testcase/test01.h"
#include "testcase/test02.h"
#include "testcase/vertexindexbuffer.h"

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
    {"Mipmap", nullptr},
    {"RS_FillShadeCull", &CreateLesson<RenderState_FillShadeCull>},
    {"RS_Depth", &CreateLesson<RenderState_Depth>},
    {"RS_AlphaBlend", nullptr},
    {"RS_AlphaTest", nullptr},
    {"Test01", &CreateLesson<Test01>},
    {"Test02", &CreateLesson<Test02>},
    {"DeviceCapability", &CreateLesson<DeviceCapability>},
    {"Primitive", &CreateLesson<Primitive>},
    {"VertexIndexBuffer", &CreateLesson<VertexIndexBuffer>},
    {"MatrixTransform", &CreateLesson<MatrixTransform>},
    {"Lighting", &CreateLesson<Lighting>},
    {"UseCubeMap", nullptr},
    {"TextureSampling", nullptr},
};
