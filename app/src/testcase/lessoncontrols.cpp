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

MySlider* CreateLessonSlider(HWidget* pPanel, float x, float minimum, float maximum, float value,
                             const std::string& caption)
{
    auto* pSlider = new MySlider(pPanel);
    pSlider->SetGeometry(x, -50.0f, 10.0f, 240.0f);
    pSlider->SetAlignment(ALIGN_LEFT | ALIGN_BOTTOM);
    pSlider->SetDirection(BAR_FROM_BOTTOM);
    pSlider->SetRange(minimum, maximum);
    pSlider->SetValue(value);
    pSlider->SetCaption(caption, {0.0f, -30.0f});
    return pSlider;
}

HPushButton* CreateToggleButton(HWidget* pPanel, float y, const std::string& text, float x, float w)
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
