#include "common/render/mycombobox.h"

#include "common/render/texrenderproxy.h"

#include "gui/hlabel.h"
#include "gui/hlistwidget.h"
#include "gui/hpushbutton.h"

using namespace Halvex::HGui;

MyComboBox::MyComboBox(HObject* pParent) : HComboBox(pParent)
{
    SetAlignment(ALIGN_RIGHT | ALIGN_TOP);
    SetBackgroundColor(HColor(0xFFFFFF00));
    SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
    GetListWidget()->SetBackgroundColor(HColor(0xFF808080));
    GetListWidget()->SetItemColors(HColor(0xFFFF0000), HColor(0xFF800000), HColor(0xFFFFFF00));
    GetButton()->SetBackgroundColor(HColor(0xFF00FF00));
}

void MyComboBox::AddItem(const std::string& text)
{
    HLabel* pItem = GetListWidget()->AddItem(text);
    pItem->SetBackgroundColor(HColor(0xFFFF0000));
    pItem->SetTextOffset({2.0f, 2.0f});
    pItem->SetTextAlignment(ALIGN_LEFT | ALIGN_VCENTER);
}

void MyComboBox::AddItems(const char* const* texts, int count)
{
    for (int i = 0; i < count; ++i)
    {
        AddItem(texts[i]);
    }
}
