#include "testcase/lessoncontrols.h"

#include "common/render/mycombobox.h"
#include "common/render/myslider.h"
#include "common/render/texrenderproxybtn.h"

#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"

using namespace Halvex::HGui;

MyComboBox* CreateStateCombo(HWidget* pPanel, float y, float w, float listHeight,
                             const char* const* items, int count, int selected, float x)
{
    auto* pCombo = new MyComboBox(pPanel);
    pCombo->SetGeometry(x, y, w, 24.0f);
    pCombo->GetListWidget()->SetGeometry(0.0f, 24.0f, w, listHeight);
    pCombo->AddItems(items, count);
    pCombo->SelectItem(selected);
    return pCombo;
}

namespace
{
MySlider* CreateVerticalSlider(HWidget* pPanel, const HRectF& geometry, unsigned alignment,
                               float minimum, float maximum, float value,
                               const std::string& caption)
{
    auto* pSlider = new MySlider(pPanel);
    pSlider->SetGeometry(geometry.x, geometry.y, geometry.width, geometry.height);
    pSlider->SetAlignment(alignment);
    pSlider->SetDirection(BAR_FROM_BOTTOM);
    pSlider->SetRange(minimum, maximum);
    pSlider->SetValue(value);
    pSlider->SetCaption(caption, {0.0f, -30.0f});
    return pSlider;
}
} // namespace

MySlider* CreateLessonSlider(HWidget* pPanel, float x, float minimum, float maximum, float value,
                             const std::string& caption)
{
    return CreateVerticalSlider(pPanel, {x, -50.0f, 10.0f, 240.0f}, ALIGN_LEFT | ALIGN_BOTTOM,
                                minimum, maximum, value, caption);
}

MySlider* CreateRightSlider(HWidget* pPanel, float x, float y, float w, float minimum,
                            float maximum, float value, const std::string& caption)
{
    return CreateVerticalSlider(pPanel, {x, y, w, 240.0f}, ALIGN_RIGHT | ALIGN_TOP, minimum,
                                maximum, value, caption);
}

HPushButton* CreateToggleButton(HWidget* pPanel, float x, float y, float w, const std::string& text)
{
    auto* pButton = new HPushButton(pPanel);
    pButton->SetGeometry(x, y, w, 24.0f);
    pButton->SetAlignment(ALIGN_RIGHT | ALIGN_TOP);
    pButton->SetText(text);
    pButton->SetCheckable(true);
    pButton->SetChecked(false);
    pButton->SetRenderProxy(
        new TexRenderProxyBtn(HColor(0xFFFFFFFF), HColor(0xFFFFFF00), HColor(0xFFA0A0A4), nullptr));
    return pButton;
}

MyComboBox* CreateCaseCombo(HWidget* pPanel)
{
    static const char* const CASE_ITEMS[] = {"Case1", "Case2", "Case3"};
    return CreateStateCombo(pPanel, 10.0f, 80.0f, 66.0f, CASE_ITEMS, 3, 0);
}
