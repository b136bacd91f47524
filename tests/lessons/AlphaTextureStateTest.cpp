// The alpha blend, alpha test and mipmap lessons on a recording device: the states and
// matrices of each draw, what each frame puts back, when the mipmap texture is rebuilt, and
// how a missing texture file is taken (texture sampling is covered by its pictures).

#include "LessonStates.h"

#include "testcase/mipmap.h"
#include "testcase/renderstate_alphablend.h"
#include "testcase/renderstate_alphatest.h"

#include "common/render/mycombobox.h"

#include "base/source/system/logger.h"
#include "gui/hpushbutton.h"

using Halvex::MATH::Matrix4;
using Halvex::MATH::Vector3;

namespace
{
const Matrix4 UPRIGHT = Matrix4::RotationX(4.71239f);

void ExpectMatrixNear(const std::array<float, 16>& recorded, const Matrix4& expected)
{
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(recorded[i], expected.m[i], 1e-4f) << "element " << i;
    }
}

// The snow quads' centres in grid order: x outer, z inner, three units apart.
Vector3<float> GridCentre(std::size_t k)
{
    return {3.0f * static_cast<float>(static_cast<int>(k / 3) - 1), 0.0f,
            3.0f * static_cast<float>(static_cast<int>(k % 3) - 1)};
}
} // namespace

class AlphaTextureStates : public LessonStates
{
protected:
    void SetUp() override
    {
        LessonStates::SetUp();
        for (const char* name : {"snow", "tree01", "panda"})
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
        std::copy_if(fake.device->m_Draws.begin() + static_cast<std::ptrdiff_t>(first),
                     fake.device->m_Draws.end(), std::back_inserter(draws),
                     [user](const FakeRenderDevice::Draw& draw) { return draw.m_User == user; });
        return draws;
    }

    // A state as the last frame's lesson left it: the GUI sets the blend states itself, so
    // they are read where it starts, at its RS_Z_ENABLE (which these lessons never set).
    uint32_t StateWhenTheGuiBegins(RenderStateType state)
    {
        const std::string guiStart = "State " + std::to_string(RS_Z_ENABLE) + " ";
        std::size_t i = FrameCalls("DrawIndexed").back();
        while (i < Calls().size() && Calls()[i].rfind(guiStart, 0) != 0)
        {
            ++i;
        }
        return StateAt(i, state);
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
    ASSERT_EQ(FrameDraws(false).size(), 9u);
    EXPECT_EQ(FrameCalls("Clear 1 ff80ff80 1 0").size(), 1u);
    for (std::size_t call : FrameCalls("DrawIndexed"))
    {
        EXPECT_EQ(StateAt(call, RS_ALPHA_BLEND_ENABLE), 0u);
        EXPECT_EQ(StateAt(call, RS_SRC_BLEND), static_cast<uint32_t>(BLEND_ONE));
        EXPECT_EQ(StateAt(call, RS_DEST_BLEND), static_cast<uint32_t>(BLEND_DEST_COLOR));
        EXPECT_EQ(StateAt(call, RS_Z_WRITE_ENABLE), 0u);
    }
    EXPECT_EQ(StateWhenTheGuiBegins(RS_ALPHA_BLEND_ENABLE), 0u);
    EXPECT_EQ(StateWhenTheGuiBegins(RS_SRC_BLEND), static_cast<uint32_t>(BLEND_SRC_ALPHA));
    EXPECT_EQ(StateWhenTheGuiBegins(RS_DEST_BLEND), static_cast<uint32_t>(BLEND_INV_SRC_ALPHA));
    ExpectRestoredForTheNextGui({{RS_Z_WRITE_ENABLE, 1}});
}

TEST_F(AlphaTextureStates, AlphaBlendSortsFarthestFirstAndBillboardsDropTheViewRotation)
{
    auto* pLesson = Open<RenderState_AlphaBlend>("RS_AlphaBlend");
    ASSERT_NE(pLesson, nullptr);
    // From behind: grid order then draws the nearest quad of each column first.
    pLesson->GetCamera().SetLookAt({2.0f, 1.0f, -8.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    const Vector3<float>* pPositions = pLesson->GetViewPositions().data();
    const Matrix4 view = pLesson->GetCamera().GetView();
    const Matrix4 projection = pLesson->GetCamera().GetProjection();
    std::vector<Vector3<float>> centres;
    for (std::size_t k = 0; k < 9; ++k)
    {
        centres.push_back(GridCentre(k));
    }
    const auto byViewDepth = [&](const Vector3<float>& a, const Vector3<float>& b)
    { return TransformCoord(a, view).z < TransformCoord(b, view).z; };
    for (int step = 0; step < 3; ++step)
    {
        // Grid order, then sorted, then sorted billboards.
        if (step == 1)
        {
            ClickWidget(driver, pLesson->GetSortButton());
            std::sort(centres.begin(), centres.end(), byViewDepth);
        }
        if (step == 2)
        {
            ClickWidget(driver, pLesson->GetBillboardButton());
        }
        const auto draws = FrameDraws(false);
        ASSERT_EQ(draws.size(), 9u);
        for (std::size_t i = 0; i < draws.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "step " << step << " draw " << i);
            const Matrix4 worldView = step < 2
                                          ? Matrix4::Translation(centres[i]) * view
                                          : Matrix4::Translation(TransformCoord(centres[i], view));
            ExpectMatrixNear(draws[i].m_VertexMatrix0, UPRIGHT * worldView * projection);
        }
    }
    EXPECT_EQ(pLesson->GetViewPositions().data(), pPositions) << "the list was reallocated";
}

TEST_F(AlphaTextureStates, AlphaTestCombosSetTheirStatesForBothCrossedQuads)
{
    auto* pLesson = Open<RenderState_AlphaTest>("RS_AlphaTest");
    ASSERT_NE(pLesson, nullptr);
    ChooseItem(driver, pLesson->GetEnableCombo(), 1);
    ChooseItem(driver, pLesson->GetReferenceCombo(), 5);
    ChooseItem(driver, pLesson->GetFuncCombo(), CMP_GREATER);
    ASSERT_EQ(FrameDraws(false).size(), 2u);
    for (std::size_t call : FrameCalls("DrawIndexed"))
    {
        EXPECT_EQ(StateAt(call, RS_ALPHA_TEST_ENABLE), 1u);
        EXPECT_EQ(StateAt(call, RS_ALPHA_REF), 100u);
        EXPECT_EQ(StateAt(call, RS_ALPHA_FUNC), static_cast<uint32_t>(CMP_GREATER));
    }
    ExpectRestoredForTheNextGui(
        {{RS_ALPHA_TEST_ENABLE, 0}, {RS_ALPHA_FUNC, CMP_ALWAYS}, {RS_ALPHA_REF, 0}});
}

TEST_F(AlphaTextureStates, MipmapTextureIsRebuiltOnlyWhenTheCaseChanges)
{
    // The recording device sizes locked memory by the level count it reports.
    fake.device->m_ReportedMipLevels = Mipmap::LEVEL_COUNT;
    auto* pLesson = Open<Mipmap>("Mipmap");
    ASSERT_NE(pLesson, nullptr);
    EXPECT_EQ(pLesson->GetCurrentCase(), Mipmap::CASE_NO_MIPS);
    // Case, then the textures created, levels written and chains generated on choosing it.
    const int steps[][4] = {
        {Mipmap::CASE_GENERATED_MIPS, 1, 1, 1},
        {Mipmap::CASE_GENERATED_MIPS, 0, 0, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 1, Mipmap::LEVEL_COUNT, 0},
        {Mipmap::CASE_LEVEL_COLOURS, 0, 0, 0},
        {Mipmap::CASE_NO_MIPS, 1, 1, 0},
    };
    const auto counts = [this]
    {
        return std::array<int, 3>{fake.device->CallCount("CreateTexture"),
                                  fake.device->CallCount("UnlockTexture"),
                                  fake.device->CallCount("GenerateMipmaps")};
    };
    for (const auto& step : steps)
    {
        const std::array<int, 3> before = counts();
        ChooseItem(driver, pLesson->GetCaseCombo(), step[0]);
        const std::array<int, 3> after = counts();
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(after[c] - before[c], step[c + 1]) << "count " << c << ", case " << step[0];
        }
    }
}

// The recording tree of LessonStates holds no lesson textures.
TEST_F(LessonStates, MissingTextureFileLeavesTheLessonRunningWithNoTexture)
{
    const char* const lessons[][2] = {
        {"RS_AlphaBlend", "snow.dds"},
        {"RS_AlphaTest", "tree01.dds"},
        {"TextureSampling", "panda.dds"},
        {"VertexIndexBuffer", "panda.dds"},
    };
    for (const auto& [row, file] : lessons)
    {
        SCOPED_TRACE(row);
        Halvex::Base::DiagnosticCapture capture;
        auto* pLesson = Open<TestBase>(row);
        ASSERT_NE(pLesson, nullptr);
        EXPECT_EQ(std::count_if(capture.Logs().begin(), capture.Logs().end(),
                                [file](const auto& record)
                                { return record.message.find(file) != std::string::npos; }),
                  1);
        EXPECT_TRUE(capture.Asserts().empty());
        const std::size_t first = fake.device->m_Draws.size();
        fake.Frame();
        ASSERT_GT(fake.device->m_Draws.size(), first);
        // An unloaded texture binds nothing on the device.
        const Texture* pBound = fake.device->m_Draws[first].m_pPixelTexture0;
        EXPECT_TRUE(!pBound || !pBound->IsLoaded());
        EXPECT_EQ(fake.app.GetModeManager()->GetCurrent(), pLesson);
    }
}
