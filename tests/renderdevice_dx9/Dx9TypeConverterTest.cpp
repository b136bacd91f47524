#include "renderdevice_dx9/source/dx9_typeconverter.h"

#include "base/source/system/logger.h"
#include "d3d9gl/d3d9.h"
#include "d3d9gl/d3dx9.h"
#include "rendercore/source/common/inputelement.h"

#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

using namespace Halvex::RenderCore;
using Halvex::Base::DiagnosticCapture;

namespace
{
struct ConversionCase
{
    int m_Converter;
    int m_Engine;
    DWORD m_Native;
};

// Published Direct3D 9 values, a few per table: the ends and entries off a simple offset.
// clang-format off
constexpr ConversionCase PUBLISHED_VALUES[] = {
    {CONVERT_FILL_MODE, FILL_POINT, 1}, {CONVERT_TEXTURE_ADDRESS, ADDRESS_MIRROR_ONCE, 5},
    {CONVERT_TEXTURE_FORMAT, FMT_UNKNOWN, 0}, {CONVERT_TEXTURE_FORMAT, FMT_R8G8B8, 20},
    {CONVERT_TEXTURE_FORMAT, FMT_A2B10G10R10, 31}, {CONVERT_TEXTURE_FORMAT, FMT_L8, 50},
    {CONVERT_TEXTURE_FORMAT, FMT_DXT5, 0x35545844}, {CONVERT_TEXTURE_FORMAT, FMT_D24S8, 75},
    {CONVERT_TEXTURE_FORMAT, FMT_D16, 80}, {CONVERT_TEXTURE_FORMAT, FMT_A32B32G32R32F, 116},
    {CONVERT_IMAGE_FILE_FORMAT, IFF_PFM, 8}, {CONVERT_TEXTURE_FILTER, FILTER_ANISOTROPIC, 3},
    {CONVERT_BLEND_FACTOR, BLEND_INV_DEST_COLOR, 10}, {CONVERT_PRIMITIVE_TYPE, PT_TRIANGLE_FAN, 6},
    {CONVERT_ELEMENT_TYPE, DECL_UNUSED, 17}, {CONVERT_ELEMENT_USAGE, USAGE_TESSFACTOR, 8},
    {CONVERT_ELEMENT_USAGE, USAGE_SAMPLE, 13}, {CONVERT_RENDER_STATE, RS_ALPHA_FUNC, 25},
    {CONVERT_RENDER_STATE, RS_COLOR_WRITE_ENABLE, 168}, {CONVERT_RENDER_STATE, RS_POINT_SIZE, 154},
    {CONVERT_SHADE_MODE, SHADE_GOURAUD, 2}, {CONVERT_CULL_MODE, CULL_CCW, 3},
    {CONVERT_COMPARE_FUNC, CMP_ALWAYS, 8}, {CONVERT_TEXTURE_POOL, POOL_SYSTEM_MEM, 2},
    {CONVERT_RENDER_TARGET, 3, 3}, {CONVERT_MULTISAMPLE, MULTISAMPLE_4, 4},
    {CONVERT_LOCK_FLAG, LOCK_NO_OVERWRITE, 4096}, {CONVERT_STENCIL_OP, STENCIL_OP_DECR, 8},
};
// clang-format on

DWORD FloatBits(float value)
{
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}
} // namespace

TEST(Dx9TypeConverter, TablesHoldThePublishedValuesBothWays)
{
    for (const ConversionCase& c : PUBLISHED_VALUES)
    {
        SCOPED_TRACE(testing::Message()
                     << "converter " << c.m_Converter << " engine " << c.m_Engine);
        EXPECT_EQ(ToNative(c.m_Converter, c.m_Engine), c.m_Native);
        EXPECT_EQ(FromNative(c.m_Converter, c.m_Native), c.m_Engine);
    }
}

TEST(Dx9TypeConverter, UnknownValuesConvertToZeroAndAMissingTableIsRaised)
{
    EXPECT_EQ(FromNative(CONVERT_TEXTURE_FORMAT, D3DFMT_A8L8), FMT_UNKNOWN);
    EXPECT_EQ(FromNative(CONVERT_MULTISAMPLE, D3DMULTISAMPLE_3_SAMPLES), MULTISAMPLE_NONE);
    // Native usage 9 (pre-transformed position) has no engine value.
    EXPECT_EQ(FromNative(CONVERT_ELEMENT_USAGE, D3DDECLUSAGE_POSITIONT), USAGE_POSITION);
    EXPECT_EQ(FromNative(CONVERT_CULL_MODE, 99), CULL_NONE);
    DiagnosticCapture capture;
    EXPECT_EQ(ToNative(1, 0), 0u);
    EXPECT_EQ(ToNative(CONVERT_FILL_MODE, -1), 0u);
    EXPECT_EQ(capture.Asserts().size(), 2u);
}

TEST(Dx9TypeConverter, RenderStateValuesConvertByKind)
{
    // A state, its engine value, the native value sent and the engine value read back.
    // clang-format off
    const std::tuple<RenderStateType, uint32_t, DWORD, uint32_t> cases[] = {
        {RS_FILL_MODE, FILL_WIREFRAME, D3DFILL_WIREFRAME, FILL_WIREFRAME},
        {RS_Z_FUNC, CMP_GREATER, D3DCMP_GREATER, CMP_GREATER},
        {RS_DEST_BLEND, BLEND_INV_SRC_ALPHA, D3DBLEND_INVSRCALPHA, BLEND_INV_SRC_ALPHA},
        {RS_STENCIL_PASS, STENCIL_OP_INCR_SAT, D3DSTENCILOP_INCRSAT, STENCIL_OP_INCR_SAT},
        {RS_Z_ENABLE, 7, TRUE, 1}, {RS_STENCIL_ENABLE, 0, FALSE, 0}, {RS_ALPHA_REF, 128, 128, 128},
        {RS_STENCIL_WRITE_MASK, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
        {RS_COLOR_WRITE_ENABLE, 0xF5, 0x5, 0x5},
        {RS_POINT_SIZE, 4, FloatBits(4.0f), FloatBits(4.0f)},
    };
    // clang-format on
    for (const auto& [state, engine, native, readBack] : cases)
    {
        SCOPED_TRACE(testing::Message() << "state " << state);
        EXPECT_EQ(ToNativeRenderStateValue(state, engine), native);
        EXPECT_EQ(FromNativeRenderStateValue(state, native), readBack);
    }
}
