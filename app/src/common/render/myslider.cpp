#include "common/render/myslider.h"

#include "common/render/texrenderproxy.h"

using namespace Halvex::HGui;

MySlider::MySlider(HObject* pParent) : HSlider(pParent)
{
    SetBackgroundColor(HColor(0xFFFFFFFF));
    SetRenderProxy(new TexRenderProxy(nullptr, 1.0f));
    auto* pBar = new HWidget(this);
    pBar->SetBackgroundColor(HColor(0xFFFF0000));
    pBar->SetMargins(2.0f, 2.0f, 2.0f, 2.0f);
    SetBar(pBar);
}

void MySlider::SetCaption(const std::string& text, const HVec2F& offset)
{
    SetTextAlignment(ALIGN_LEFT | ALIGN_TOP);
    SetTextColor(HColor(0xFFFFFFFF));
    SetClipText(false);
    SetText(text);
    SetTextOffset(offset);
}
