// Every control of every lesson changes the lesson's picture, except the settings listed
// below, which the lesson teaches to look the same. Each control is stepped through its
// values from a fresh start of its lesson (or of one of the set-ups listed), in the real
// application: combo boxes and sliders are set through the widgets (the lessons read them
// every frame), buttons are clicked (a lesson may act on the click itself). The picture is
// what the lesson draws, saved with the GUI hidden and compared pixel for pixel. Time stands
// still, so nothing moves by itself.

#include "LessonInput.h"
#include "apptest.h"
#include "main/lessonlist.h"
#include "testcase/test02.h"
#include "testcase/testbase.h"
#include "testcase/testcommon.h"

#include "common/render/mycombobox.h"
#include "common/render/myslider.h"

#include "gui/hlistview.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Halvex::HGui;
using Halvex::MATH::Vector3;

namespace
{
// Settings made on a fresh lesson before each of its controls is stepped again, where a
// fresh start leaves controls without effect. Settings are named as in SAME_PICTURE.
const std::pair<const char*, std::vector<const char*>> SET_UPS[] = {
    {"Lighting", {"Light", "S: 100%"}},
    {"RS_AlphaTest", {"Disable: Enable", "Always: Greater"}},
    // The orthographic scale slider shows only in this mode.
    {"MatrixTransform", {"S"}},
};

// Settings that give the picture of their start. A combo box setting is named by the item
// the combo shows at the start and the item chosen ("LessEqual: Always"), a slider setting by
// the slider's caption and the share of its range it is set to ("D: 50%"), a checkable
// button by its text; a trailing '*' stands for any ending.
struct SamePicture_t
{
    const char* m_pLesson;
    // Empty for a fresh start, else the first setting of the lesson's set-up.
    const char* m_pStart;
    const char* m_pSettings;
    const char* m_pReason;
};

const SamePicture_t SAME_PICTURE[] = {
    {"Mipmap", "", "Case1: Case2",
     "near, the texture is magnified and only its first level, the same in both, is sampled"},
    {"RS_FillShadeCull", "", "None: CounterClockWise",
     "the faces it culls are the cube's far sides, hidden behind its near sides anyway"},
    {"RS_Depth", "", "LessEqual: Less", "no two surfaces lie at the same depth"},
    {"RS_AlphaTest", "", "Disable: Enable", "the function Always lets every texel pass"},
    {"RS_AlphaTest", "", "Always: *", "the test is off: its function is not used"},
    {"RS_AlphaTest", "", "0: *", "the test is off: its reference is not used"},
    {"RS_AlphaTest", "Disable: Enable", "Greater: NotEqual",
     "no alpha is below the reference 0, so NotEqual keeps the texels Greater keeps"},
    {"VertexIndexBuffer", "", "S", "the indexed and the listed cube are the same triangles"},
    {"Lighting", "", "P or *", "the light is off: the surfaces show their own colours"},
    {"Lighting", "", "D: *", "the light is off"},
    {"Lighting", "", "A: *", "the light is off"},
    {"Lighting", "", "S: *", "the light is off"},
    {"Lighting", "", "P: *", "the light is off"},
};

// The entry of SAME_PICTURE that names the setting, or null.
const SamePicture_t* FindSamePicture(const std::string& lesson, const std::string& start,
                                     const std::string& setting)
{
    for (const SamePicture_t& same : SAME_PICTURE)
    {
        const std::string pattern = same.m_pSettings;
        const bool matches = pattern.back() == '*'
                                 ? setting.rfind(pattern.substr(0, pattern.size() - 1), 0) == 0
                                 : setting == pattern;
        if (matches && lesson == same.m_pLesson && start == same.m_pStart)
        {
            return &same;
        }
    }
    return nullptr;
}

// Shares of a slider's range it is set to; a share within a tenth of the start is left out.
const float SLIDER_STOPS[] = {0.0f, 0.5f, 1.0f};
constexpr float SAME_SHARE = 0.1f;
// Beyond any slider's range.
constexpr float FAR_OUT = 1.0e6f;

// Sets the slider to a share of its range. The slider clamps what it is given, which shows
// its range.
void SetShare(MySlider* pSlider, float share)
{
    pSlider->SetValue(-FAR_OUT);
    const float minimum = pSlider->GetValue();
    pSlider->SetValue(FAR_OUT);
    const float maximum = pSlider->GetValue();
    pSlider->SetValue(minimum + (maximum - minimum) * share);
}

// A setting of a control, named as in SAME_PICTURE, and what makes it.
using Setting_t = std::pair<std::string, std::function<void()>>;

// The controls of a lesson's panel that a learner can operate, in the panel's order.
std::vector<HWidget*> Controls(const TestBase* pLesson)
{
    std::vector<HWidget*> controls;
    for (HObject* pChild : pLesson->GetPanel()->GetChildren())
    {
        auto* pWidget = dynamic_cast<HWidget*>(pChild);
        auto* pButton = dynamic_cast<HPushButton*>(pChild);
        if (pWidget && pWidget->IsVisible() &&
            (dynamic_cast<MyComboBox*>(pWidget) || dynamic_cast<MySlider*>(pWidget) ||
             (pButton && pButton->IsCheckable())))
        {
            controls.push_back(pWidget);
        }
    }
    return controls;
}

class LessonControls : public AppTest
{
protected:
    LessonControls() : AppTest(Halvex::Base::HighResolutionTimer([] { return std::int64_t{0}; }, 1))
    {
    }

    void SetUp() override
    {
        m_Dir.emplace(HalvexTest::SourceDir() / "tests");
        ASSERT_TRUE(driver.Start());
        driver.RunFrames(2);
    }

    // A frame drawn without the GUI, as the bytes of a bitmap file, equal for equal pixels.
    std::string Scene()
    {
        HWidget* pRoot = driver.GetApp().GetRootWidget();
        pRoot->SetVisible(false);
        driver.RunFrames(1);
        pRoot->SetVisible(true);
        const std::filesystem::path path = m_Temp / "scene.bmp";
        driver.GetApp().GetRenderer()->GetDevice()->SaveBackBufferToFile(
            path.string(), Halvex::RenderCore::IFF_BMP);
        std::string bytes = HalvexTest::ReadFile(path);
        EXPECT_GT(bytes.size(), 54u) << "the back buffer could not be saved";
        return bytes;
    }

    // The settings of the control other than its start, in its order.
    std::vector<Setting_t> Settings(HWidget* pControl)
    {
        std::vector<Setting_t> settings;
        if (auto* pCombo = dynamic_cast<MyComboBox*>(pControl))
        {
            for (int item = 0; item < pCombo->GetListWidget()->GetListView()->GetItemCount();
                 ++item)
            {
                if (item != pCombo->GetSelectedIndex())
                {
                    settings.emplace_back(pCombo->GetText() + ": " +
                                              pCombo->GetListWidget()->GetItem(item)->GetText(),
                                          [pCombo, item] { pCombo->SelectItem(item); });
                }
            }
        }
        else if (auto* pSlider = dynamic_cast<MySlider*>(pControl))
        {
            for (const float share : SLIDER_STOPS)
            {
                if (std::fabs(share - pSlider->GetRatio()) > SAME_SHARE)
                {
                    settings.emplace_back(pSlider->GetText() + ": " +
                                              std::to_string(static_cast<int>(share * 100.0f)) +
                                              "%",
                                          [pSlider, share] { SetShare(pSlider, share); });
                }
            }
        }
        else
        {
            settings.emplace_back(pControl->GetText(),
                                  [this, pControl] { ClickWidget(driver, pControl); });
        }
        return settings;
    }

    // The picture after the setting, compared with the start's.
    void Expect(const std::string& setting)
    {
        const SamePicture_t* pTaught = FindSamePicture(m_Lesson, m_StartName, setting);
        m_Used.insert(pTaught);
        EXPECT_EQ(Scene() == m_Start, pTaught != nullptr)
            << m_Lesson << " from " << (m_StartName.empty() ? "a fresh start" : m_StartName)
            << ", \"" << setting << "\": the picture "
            << (pTaught ? std::string("changed, though ") + pTaught->m_pReason : "did not change");
    }

    // Makes one setting of a set-up.
    void Make(TestBase* pLesson, const std::string& name)
    {
        for (HWidget* pControl : Controls(pLesson))
        {
            for (const auto& [setting, make] : Settings(pControl))
            {
                if (setting == name)
                {
                    make();
                    return;
                }
            }
        }
        ADD_FAILURE() << m_Lesson << " has no setting \"" << name << "\"";
    }

    // The lesson, started afresh, with the settings made.
    TestBase* Start(int index, const std::vector<const char*>& settings)
    {
        driver.GetApp().RunLesson(index);
        driver.RunFrames(1);
        auto* pLesson = dynamic_cast<TestBase*>(driver.GetApp().GetModeManager()->GetCurrent());
        for (const char* pSetting : settings)
        {
            Make(pLesson, pSetting);
        }
        return pLesson;
    }

    // Steps every control, each from a start of its own.
    void StepControls(int index, const std::vector<const char*>& settings)
    {
        m_Lesson = LESSONS[index].m_pName;
        m_StartName = settings.empty() ? "" : settings.front();
        const std::size_t count = Controls(Start(index, settings)).size();
        m_Start = Scene();
        for (std::size_t control = 0; control < count; ++control)
        {
            // From the start, each setting of a combo box or slider follows the last.
            for (const auto& [setting, make] : Settings(Controls(Start(index, settings))[control]))
            {
                make();
                Expect(setting);
            }
        }
    }

    std::set<const SamePicture_t*> m_Used;

private:
    std::optional<HalvexTest::CurrentDir> m_Dir;
    HalvexTest::TempDir m_Temp;
    std::string m_Lesson;
    std::string m_StartName;
    std::string m_Start;
};

TEST_F(LessonControls, EveryControlChangesThePictureUnlessTheLessonTeachesOtherwise)
{
    for (int index = 0; index < LESSON_COUNT; ++index)
    {
        StepControls(index, {});
        for (const auto& [pLesson, settings] : SET_UPS)
        {
            if (std::string(LESSONS[index].m_pName) == pLesson)
            {
                StepControls(index, settings);
            }
        }
    }
    for (const SamePicture_t& same : SAME_PICTURE)
    {
        EXPECT_EQ(m_Used.count(&same), 1u)
            << same.m_pLesson << ": \"" << same.m_pSettings << "\" names no setting there";
    }
}

// The camera of a lesson that has one.
CameraViewer* LessonCamera(TestBase* pLesson)
{
    if (auto* pCommon = dynamic_cast<TestCommon*>(pLesson))
    {
        return &pCommon->GetCamera();
    }
    auto* pTest02 = dynamic_cast<Test02*>(pLesson);
    return pTest02 ? &pTest02->GetCamera() : nullptr;
}

// The wheel zooms no nearer than to keep the eye outside the lesson's model, so every lesson
// still shows its scene there.
TEST_F(LessonControls, EveryLessonShowsItsSceneAtTheNearestZoom)
{
    for (int index = 0; index < LESSON_COUNT; ++index)
    {
        TestBase* pLesson = Start(index, {});
        ASSERT_NE(pLesson, nullptr);
        CameraViewer* pCamera = LessonCamera(pLesson);
        if (!pCamera)
        {
            continue;
        }
        // Far nearer than any limit; the camera's next update pulls it back to its limit.
        const Vector3<float> target = pCamera->GetTarget();
        pCamera->SetLookAt(target + (pCamera->GetEye() - target) * 0.001f, target,
                           {0.0f, 1.0f, 0.0f});
        // The pixels start where the file's header says and are bits-per-pixel / 8 bytes
        // each: one colour repeats them all.
        const std::string bmp = Scene();
        const std::size_t start =
            static_cast<std::uint8_t>(bmp[10]) + 256u * static_cast<std::uint8_t>(bmp[11]);
        const std::size_t size = static_cast<std::uint8_t>(bmp[28]) / 8u;
        EXPECT_NE(
            bmp.compare(start + size, std::string::npos, bmp, start, bmp.size() - start - size), 0)
            << LESSONS[index].m_pName << " shows one colour only";
    }
}
} // namespace
