#include "main/lessonlist.h"

const LessonEntry_t LESSONS[LESSON_COUNT] = {
    {"RenderToTexture", nullptr},  {"RenderToCubeMap", nullptr}, {"ShadowMap", nullptr},
    {"ViewportScissor", nullptr},  {"Stencil", nullptr},         {"Mipmap", nullptr},
    {"RS_FillShadeCull", nullptr}, {"RS_Depth", nullptr},        {"RS_AlphaBlend", nullptr},
    {"RS_AlphaTest", nullptr},     {"Test01", nullptr},          {"Test02", nullptr},
    {"DeviceCapability", nullptr}, {"Primitive", nullptr},       {"VertexIndexBuffer", nullptr},
    {"MatrixTransform", nullptr},  {"Lighting", nullptr},        {"UseCubeMap", nullptr},
    {"TextureSampling", nullptr},
};
