#include "gui/hscrollarea.h"

namespace Halvex::HGui
{

HScrollArea::HScrollArea(HObject* pParent) : HWidget(pParent)
{
    m_ObjectName = "HScrollArea";
}

void HScrollArea::SetContent(HWidget* pContent)
{
    if (pContent == m_pContent)
    {
        return;
    }
    if (m_pContent)
    {
        m_pContent->SetAlive(false);
    }
    m_pContent = pContent;
    if (pContent)
    {
        AddChildWidget(pContent);
    }
}

} // namespace Halvex::HGui
