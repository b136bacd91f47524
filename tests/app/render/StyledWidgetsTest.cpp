#include "common/render/mycombobox.h"
#include "common/render/myslider.h"
#include "common/render/texrenderproxy.h"

#include "gui/hlabel.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"

#include <gtest/gtest.h>

using namespace Halvex::HGui;

TEST(MyComboBox, ItemsAreRedLabelsInTheGreyDropDown)
{
    MyComboBox combo(nullptr);
    const char* const names[] = {"Point", "Linear", "Anisotropic"};
    combo.AddItems(names, 2);
    HListWidget* pList = combo.GetListWidget();
    EXPECT_EQ(pList->GetBackgroundColor(), HColor(0xFF808080));
    EXPECT_EQ(combo.GetBackgroundColor(), HColor(0xFFFFFF00));
    EXPECT_EQ(combo.GetButton()->GetBackgroundColor(), HColor(0xFF00FF00));
    EXPECT_EQ(combo.GetAlignment(), 0x12u);
    EXPECT_NE(dynamic_cast<TexRenderProxy*>(combo.GetRenderProxy()), nullptr);
    auto* pSecond = dynamic_cast<HLabel*>(pList->GetItem(1));
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pSecond->GetText(), "Linear");
    EXPECT_EQ(pSecond->GetBackgroundColor(), HColor(0xFFFF0000));
    EXPECT_EQ(pSecond->GetTextAlignment(), 0x31u);
    EXPECT_EQ(pList->GetItem(2), nullptr);
    combo.SelectItem(1);
    EXPECT_EQ(combo.GetText(), "Linear");
}

TEST(MySlider, RedBarInsideAWhiteTroughWithUnclippedCaption)
{
    MySlider slider(nullptr);
    EXPECT_EQ(slider.GetBackgroundColor(), HColor(0xFFFFFFFF));
    ASSERT_NE(slider.GetBar(), nullptr);
    EXPECT_EQ(slider.GetBar()->GetBackgroundColor(), HColor(0xFFFF0000));
    const HMargins margins = slider.GetBar()->GetMargins();
    EXPECT_EQ(margins.left, 2.0f);
    EXPECT_EQ(margins.top, 2.0f);
    EXPECT_EQ(margins.right, 2.0f);
    EXPECT_EQ(margins.bottom, 2.0f);
    slider.SetCaption("Fov", {-10, -30});
    EXPECT_EQ(slider.GetText(), "Fov");
    EXPECT_EQ(slider.GetTextAlignment(), 0x11u);
    EXPECT_EQ(slider.GetTextColor(), HColor(0xFFFFFFFF));
}
