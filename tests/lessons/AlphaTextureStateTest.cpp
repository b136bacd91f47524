// The alpha blend, alpha test, texture sampling and mipmap lessons on a recording device:
// the states, matrices and samplers of each draw, what each frame puts back, when the mipmap
// texture is rebuilt, and how a missing texture file is taken.

#include "LessonStates.h"

#include "testcase/mipmap.h"
#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"
#include "testcase/texturesampling.h"

#include "common/render/mycombobox.h"

#include "base/source/system/logger.h"
#include "gui/hpushbutton.h"

#include <cstring>

using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
const Matrix4 UPRIGHT = Matrix4::RotationX(4.71239f);
const char* const TEXTURE_NAMES[] = {"snow", "tree01", "panda"};

void ExpectMatrixNear(const std::array<float, 16>& recorded, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(recorded[i], expected.m[i], 1e-4f) << "element " << i;
    }
}
} // namespace

class AlphaTextureStates : public LessonStates
{
protected:
    void SetUp() override
    {
        LessonStates::SetUp();
        for (const char* name : TEXTURE_NAMES)
        {
            fake.dir.Write(std::string("Data/_Tex_/") + name + ".dds",
                           FakeRenderDevice::TextureFile(64, 64));
        }
    }

    // One frame; the model draws (or the user draws) it made.
    std::vector<FakeRenderDevice::Draw> FrameDraws(bool user)
    {
        const std::size_t first = fake.device->m_Draws.size();
        BeginFrame();
        fake.Frame();
        std::vector<FakeRenderDevice::Draw> draws;
        for (std::size_t i = first; i < fake.device->m_Draws.size(); ++i)
        {
            if (fake.device->m_Draws[i].m_User == user)
            {
                draws.push_back(fake.device->m_Draws[i]);
            }
        }
        return draws;
    }

    // A state as the lesson of the last frame left it: the GUI sets the blend states itself,
    // so they are read where it starts, at its RS_Z_ENABLE (which these lessons never set).
    uint32_t StateWhenTheGuiBegins(RenderStateType state)
    {
        const std::string guiStart = "State " + std::to_string(RS_Z_ENABLE) + " ";
        for (std::size_t i = FrameCalls("DrawIndexed").back(); i < Calls().size(); ++i)
        {
            if (Calls()[i].rfind(guiStart, 0) == 0)
            {
                return StateAt(i, state);
            }
        }
        ADD_FAILURE() << "no GUI after the lesson";
        return ~0u;
    }
};

TEST_F(AlphaTextureStates, AlphaBlendCombosSetTheirStatesForNineSnowQuads)
{
    auto* pLesson = Open<RenderState_AlphaBlend>("RS_AlphaBlend");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetBlendCombo(), 0);
    ChooseItem(driver, pLesson->GetSrcBlendCombo(), BLEND_ONE);
    ChooseItem(driver, pLesson->GetDestBlendCombo(), BLEND_DEST_COLOR);
    ChooseItem(driver, pLesson->GetWriteCombo(), 0);
    const auto draws = FrameDraws(false);
    ASSERT_EQ(draws.size(), 9u);
    EXPECT_EQ(FrameCalls("Clear 1 ff80ff80 1 0").size(), 1u);
    const std::vector<std::size_t> calls = FrameCalls("DrawIndexed");
    for (std::size_t i = 0; i < calls.size(); ++i)
    {
        EXPECT_EQ(StateAt(calls[i], RS_ALPHA_BLEND_ENABLE), 0u);
        EXPECT_EQ(StateAt(calls[i], RS_SRC_BLEND), static_cast<uint32_t>(BLEND_ONE));
        EXPECT_EQ(StateAt(calls[i], RS_DEST_BLEND), static_cast<uint32_t>(BLEND_DEST_COLOR));
        EXPECT_EQ(StateAt(calls[i], RS_Z_WRITE_ENABLE), 0u);
        EXPECT_EQ(draws[i].m_pPixelTexture0, &pLesson->GetTexture());
        EXPECT_EQ(draws[i].m_Sampler0.m_MinFilter, FILTER_LINEAR);
        EXPECT_EQ(draws[i].m_Sampler0.m_AddressV, ADDRESS_CLAMP);
    }
    EXPECT_EQ(StateWhenTheGuiBegins(RS_ALPHA_BLEND_ENABLE), 0u);
    EXPECT_EQ(StateWhenTheGuiBegins(RS_SRC_BLEND), static_cast<uint32_t>(BLEND_SRC_ALPHA));
    EXPECT_EQ(StateWhenTheGuiBegins(RS_DEST_BLEND), static_cast<uint32_t>(BLEND_INV_SRC_ALPHA));
    ExpectRestoredForTheNextGui({{RS_Z_WRITE_ENABLE, 1}});
}

TEST_F(AlphaTextureStates, AlphaBlendSortDrawsTheFarthestQuadFirstWithoutReallocating)
{
    auto* pLesson = Open<RenderState_AlphaBlend>("RS_AlphaBlend");
    ASSERT_NE(pLesson, nullptr);
    // From behind: grid order then draws the nearest quad of each column first.
    pLesson->GetCamera().SetLookAt({2.0f, 1.0f, -8.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    const Vector3<float>* pPositions = pLesson->GetViewPositions().data();
    const Matrix4 view = pLesson->GetCamera().GetView();
    const Matrix4 projection = pLesson->GetCamera().GetProjection();
    for (const bool sorted : {false, true})
    {
        if (sorted)
        {
            ClickWidget(driver, pLesson->GetSortButton());
        }
        std::vector<Vector3<float>> centres;
        for (int i = 0; i < 3; ++i)
        {
            for (int j = 0; j < 3; ++j)
            {
                centres.push_back(
                    {3.0f * static_cast<float>(i - 1), 0.0f, 3.0f * static_cast<float>(j - 1)});
            }
        }
        if (sorted)
        {
            std::sort(centres.begin(), centres.end(),
                      [&](const Vector3<float>& a, const Vector3<float>& b)
                      { return TransformCoord(a, view).z < TransformCoord(b, view).z; });
        }
        const auto draws = FrameDraws(false);
        ASSERT_EQ(draws.size(), 9u);
        for (std::size_t i = 0; i < draws.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "sorted " << sorted << " draw " << i);
            ExpectMatrixNear(draws[i].m_VertexMatrix0,
                             UPRIGHT * Matrix4::Translation(centres[i]) * view * projection);
        }
    }
    EXPECT_EQ(pLesson->GetViewPositions().data(), pPositions) << "the list was reallocated";
}

TEST_F(AlphaTextureStates, AlphaBillboardsLieInTheViewPlaneAfterAnOrbit)
{
    auto* pLesson = Open<RenderState_AlphaBlend>("RS_AlphaBlend");
    ASSERT_NE(pLesson, nullptr);
    ClickWidget(driver, pLesson->GetBillboardButton());
    pLesson->GetCamera().SetLookAt({5.0f, 4.0f, 6.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    const auto draws = FrameDraws(false);
    ASSERT_EQ(draws.size(), 9u);
    // No rotation left between the upright turn and the projection: each quad only moves to
    // its centre in view space.
    const Matrix4 view = pLesson->GetCamera().GetView();
    for (std::size_t k = 0; k < draws.size(); ++k)
    {
        const Vector3<float> centre{3.0f * static_cast<float>(static_cast<int>(k / 3) - 1), 0.0f,
                                    3.0f * static_cast<float>(static_cast<int>(k % 3) - 1)};
        SCOPED_TRACE(testing::Message() << "draw " << k);
        ExpectMatrixNear(draws[k].m_VertexMatrix0,
                         UPRIGHT * Matrix4::Translation(TransformCoord(centre, view)) *
                             pLesson->GetCamera().GetProjection());
    }
}

TEST_F(AlphaTextureStates, AlphaTestCombosSetTheirStatesForBothCrossedQuads)
{
    auto* pLesson = Open<RenderState_AlphaTest>("RS_AlphaTest");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetEnableCombo(), 1);
    ChooseItem(driver, pLesson->GetReferenceCombo(), 5);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_GREATER);
    const auto draws = FrameDraws(false);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(FrameCalls("Clear 1 ff80ff80 1 0").size(), 1u);
    for (std::size_t call : FrameCalls("DrawIndexed"))
    {
        EXPECT_EQ(StateAt(call, RS_ALPHA_TEST_ENABLE), 1u);
        EXPECT_EQ(StateAt(call, RS_ALPHA_REF), 100u);
        EXPECT_EQ(StateAt(call, RS_ALPHA_FUNC), static_cast<uint32_t>(CMP_GREATER));
    }
    const Matrix4 viewProjection =
        pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection();
    ExpectMatrixNear(draws[0].m_VertexMatrix0, UPRIGHT * viewProjection);
    ExpectMatrixNear(draws[1].m_VertexMatrix0,
                     UPRIGHT * Matrix4::RotationY(1.5707964f) * viewProjection);
    EXPECT_EQ(draws[1].m_pPixelTexture0, &pLesson->GetTexture());
    EXPECT_EQ(draws[1].m_Sampler0.m_AddressU, ADDRESS_CLAMP);
    ExpectRestoredForTheNextGui(
        {{RS_ALPHA_TEST_ENABLE, 0}, {RS_ALPHA_FUNC, CMP_ALWAYS}, {RS_ALPHA_REF, 0}});
}

TEST_F(AlphaTextureStates, TextureSamplingDrawsTheStripWithTheChosenSampler)
{
    auto* pLesson = Open<TextureSampling>("TextureSampling");
    ASSERT_NE(pLesson, nullptr);
    ASSERT_EQ(pLesson->GetVertexLayout().GetStreamSize(0), 16u);
    const struct
    {
        int m_Filter;
        int m_Address;
        TextureFilter m_ExpectedFilter;
    } cases[] = {
        {0, ADDRESS_WRAP, FILTER_POINT},
        {1, ADDRESS_MIRROR, FILTER_LINEAR},
        {0, ADDRESS_CLAMP, FILTER_POINT},
        {1, ADDRESS_BORDER, FILTER_LINEAR},
    };
    for (const auto& c : cases)
    {
        ChooseItem(driver, pLesson->GetFilterCombo(), c.m_Filter);
        ChooseItem(driver, pLesson->GetAddressCombo(), c.m_Address);
        const auto draws = FrameDraws(true);
        ASSERT_FALSE(draws.empty());
        // The lesson draws before the GUI.
        const FakeRenderDevice::Draw& quad = draws.front();
        SCOPED_TRACE(testing::Message() << "address " << c.m_Address);
        EXPECT_EQ(quad.m_Sampler0.m_MinFilter, c.m_ExpectedFilter);
        EXPECT_EQ(quad.m_Sampler0.m_MagFilter, c.m_ExpectedFilter);
        EXPECT_EQ(quad.m_Sampler0.m_MipFilter, c.m_ExpectedFilter);
        EXPECT_EQ(quad.m_Sampler0.m_AddressU, c.m_Address);
        EXPECT_EQ(quad.m_Sampler0.m_AddressW, c.m_Address);
        EXPECT_EQ(quad.m_pLayout, &pLesson->GetVertexLayout());
        EXPECT_EQ(quad.m_pPixelTexture0, &pLesson->GetTexture());
    }
    const auto draws = FrameDraws(true);
    ASSERT_FALSE(draws.empty());
    const FakeRenderDevice::Draw& quad = draws.front();
    EXPECT_EQ(quad.m_PrimType, PT_TRIANGLE_STRIP);
    EXPECT_EQ(quad.m_PrimitiveCount, 2);
    ASSERT_EQ(quad.m_VertexSize, 16);
    ASSERT_EQ(quad.m_Vertices.size(), 64u);
    float corners[16];
    std::memcpy(corners, quad.m_Vertices.data(), sizeof(corners));
    const float expected[16] = {-2, -2, -1, 2, -2, 2, -1, -1, 2, -2, 2, 2, 2, 2, 2, -1};
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(corners[i], expected[i]) << i;
    }
    ExpectMatrixNear(quad.m_VertexMatrix0,
                     pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection());
}

TEST_F(AlphaTextureStates, MipmapTextureIsRebuiltOnlyWhenTheCaseChanges)
{
    // The recording device sizes locked memory by the level count it reports.
    fake.device->m_ReportedMipLevels = Mipmap::LEVEL_COUNT;
    auto* pLesson = Open<Mipmap>("Mipmap");
    ASSERT_NE(pLesson, nullptr);
    EXPECT_EQ(pLesson->GetCurrentCase(), Mipmap::CASE_NO_MIPS);
    const struct
    {
        int m_Case;
        int m_Creates;
        int m_Locks;
        int m_Generates;
    } steps[] = {
        {Mipmap::CASE_GENERATED_MIPS, 1, 1, 1},
        {Mipmap::CASE_GENERATED_MIPS, 0, 0, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 1, Mipmap::LEVEL_COUNT, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 0, 0, 0},
        {Mipmap::CASE_NO_MIPS, 1, 1, 0},
    };
    for (const auto& step : steps)
    {
        const int creates = fake.device->CallCount("CreateTexture");
        const int locks = fake.device->CallCount("UnlockTexture");
        const int generates = fake.device->CallCount("GenerateMipmaps");
        ChooseItem(driver, pLesson->GetCaseCombo(), step.m_Case);
        SCOPED_TRACE(testing::Message() << "case " << step.m_Case);
        EXPECT_EQ(fake.device->CallCount("CreateTexture") - creates, step.m_Creates);
        EXPECT_EQ(fake.device->CallCount("UnlockTexture") - locks, step.m_Locks);
        EXPECT_EQ(fake.device->CallCount("GenerateMipmaps") - generates, step.m_Generates);
        EXPECT_EQ(pLesson->GetCurrentCase(), step.m_Case);
    }
    const auto draws = FrameDraws(false);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws[0].m_pPixelTexture0, &pLesson->GetTexture());
    EXPECT_EQ(draws[0].m_Sampler0.m_MipFilter, FILTER_LINEAR);
    EXPECT_EQ(draws[0].m_Sampler0.m_AddressU, ADDRESS_CLAMP);
    ExpectMatrixNear(draws[0].m_VertexMatrix0,
                     pLesson->GetCamera().GetView() * pLesson->GetCamera().GetProjection());
}

// The recording tree of LessonStates holds no lesson textures.
TEST_F(LessonStates, MissingTextureFileLeavesTheLessonRunningWithNoTexture)
{
    const struct
    {
        const char* m_Row;
        const char* m_File;
    } lessons[] = {
        {"RS_AlphaBlend", "snow.dds"},
        {"RS_AlphaTest", "tree01.dds"},
        {"TextureSampling", "panda.dds"},
    };
    for (const auto& lesson : lessons)
    {
        SCOPED_TRACE(lesson.m_Row);
        Halvex::Base::DiagnosticCapture capture;
        auto* pLesson = Open<TestCommon>(lesson.m_Row);
        ASSERT_NE(pLesson, nullptr);
        int lines = 0;
        for (const auto& record : capture.Logs())
        {
            lines += record.message.find(lesson.m_File) != std::string::npos;
        }
        EXPECT_EQ(lines, 1);
        EXPECT_TRUE(capture.Asserts().empty());
        const std::size_t first = fake.device->m_Draws.size();
        fake.Frame();
        ASSERT_GT(fake.device->m_Draws.size(), first);
        EXPECT_EQ(fake.device->m_Draws[first].m_pPixelTexture0, nullptr);
        EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), pLesson);
    }
}
