#include "testcase/testbase.h"

#include "main/lumivia.h"

#include "gui/hwidget.h"

TestBase::TestBase() : m_pPanel(new Halvex::HGui::HWidget(g_pApp->GetRootWidget()))
{
    // The panel covers the window, but clicks on its empty parts reach the input widget
    // below; only its controls catch the mouse.
    m_pPanel->SetAcceptMouse(false);
}

TestBase::~TestBase()
{
    delete m_pPanel;
}
