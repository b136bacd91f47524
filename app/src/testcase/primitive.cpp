#include "testcase/primitive.h"

#include "main/lumivia.h"
#include "testcase/lessoncontrols.h"

#include "common/render/mycombobox.h"
#include "common/render/renderimpl.h"

#include "gui/hevent.h"
#include "gui/hpushbutton.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <algorithm>
#include <cmath>

using namespace Halvex::RenderCore;
using namespace Halvex::HGui;

namespace
{
const InputElementDesc_t PRIMITIVE_LAYOUT[] = {
    {STREAM_0, 0, DECL_FLOAT3, METHOD_DEFAULT, USAGE_POSITION, 0},
    {STREAM_0, 12, DECL_COLOR, METHOD_DEFAULT, USAGE_COLOR, 0},
    INPUT_ELEMENT_END,
};

// Two rows of three, alternating bottom and top, so that every type draws something
// different: three separate lines, a zigzag of lines, two separate triangles, a strip of four,
// a fan of four around vertex 0.
constexpr std::array<Primitive::Vertex_t, Primitive::VERTEX_COUNT> INITIAL_VERTICES = {{
    {{-0.5f, -0.5f, 1.0f}, 0xffff0000},
    {{-0.25f, 0.5f, 1.0f}, 0xffff8000},
    {{0.0f, -0.5f, 1.0f}, 0xffffff00},
    {{0.0f, 0.5f, 1.0f}, 0xff00ff00},
    {{0.25f, -0.5f, 1.0f}, 0xff00ffff},
    {{0.5f, 0.5f, 1.0f}, 0xff0000ff},
}};

// Item order is the engine's primitive type order, so an index is the type.
const char* const TYPE_ITEMS[] = {"Point List",    "Line List",      "Line Strip",
                                  "Triangle List", "Triangle Strip", "Triangle Fan"};
constexpr int VERTEX_SIZE = static_cast<int>(sizeof(Primitive::Vertex_t));
constexpr uint32_t HANDLE_SIZE = 6;
} // namespace

Primitive::Primitive() : m_Vertices(INITIAL_VERTICES)
{
    m_Layout.Load(PRIMITIVE_LAYOUT);
    m_Shader.Load("Primitive");
    RebuildBuffer();

    HWidget* pInput = g_pApp->GetInputWidget();
    pInput->Connect("MousePress", this, &Primitive::OnMouse);
    pInput->Connect("MouseRelease", this, &Primitive::OnMouse);
    pInput->Connect("MouseMove", this, &Primitive::OnMouse);

    m_pFillButton = CreateToggleButton(GetPanel(), -10.0f, 10.0f, 90.0f, "Fill Mode");
    m_pTypeCombo =
        CreateStateCombo(GetPanel(), 40.0f, 150.0f, 132.0f, TYPE_ITEMS, 6, PT_TRIANGLE_STRIP);
}

Primitive::~Primitive()
{
    g_pApp->GetInputWidget()->Disconnect(this);
}

void Primitive::ToScreen(float x, float y, float* pScreenX, float* pScreenY)
{
    *pScreenX = (x + 1.0f) * static_cast<float>(g_pApp->GetWidth()) * 0.5f;
    *pScreenY = (1.0f - y) * static_cast<float>(g_pApp->GetHeight()) * 0.5f;
}

void Primitive::ToClip(float screenX, float screenY, float* pX, float* pY)
{
    *pX = 2.0f * screenX / static_cast<float>(g_pApp->GetWidth()) - 1.0f;
    *pY = 1.0f - 2.0f * screenY / static_cast<float>(g_pApp->GetHeight());
}

void Primitive::OnMouse(HEvent* pEvent)
{
    const auto* pMouse = dynamic_cast<const HMouseEvent*>(pEvent);
    if (!pMouse)
    {
        return;
    }
    const HVec2F& pos = pMouse->GetPos();
    switch (pMouse->GetType())
    {
    case EVENT_MOUSE_PRESS:
        if (pMouse->GetButton() == MOUSE_BUTTON_LEFT)
        {
            Grab(pos.x, pos.y);
        }
        break;
    case EVENT_MOUSE_RELEASE:
        m_Grabbed = -1;
        m_GrabOffset[0] = m_GrabOffset[1] = 0.0f;
        break;
    case EVENT_MOUSE_MOVE:
        if (pMouse->GetButtons() == MOUSE_BUTTON_LEFT && m_Grabbed >= 0)
        {
            MoveGrabbed(pos.x, pos.y);
        }
        break;
    default:
        break;
    }
}

void Primitive::Grab(float mouseX, float mouseY)
{
    m_Grabbed = -1;
    // No early exit: of several vertices under the cursor the last one, drawn on top, wins.
    for (int i = 0; i < VERTEX_COUNT; ++i)
    {
        float sx = 0.0f;
        float sy = 0.0f;
        ToScreen(m_Vertices[i].m_Position[0], m_Vertices[i].m_Position[1], &sx, &sy);
        if (std::hypot(sx - mouseX, sy - mouseY) < GRAB_RADIUS)
        {
            m_Grabbed = i;
            m_GrabOffset[0] = sx - mouseX;
            m_GrabOffset[1] = sy - mouseY;
        }
    }
}

void Primitive::MoveGrabbed(float mouseX, float mouseY)
{
    Vertex_t& vertex = m_Vertices[m_Grabbed];
    ToClip(mouseX + m_GrabOffset[0], mouseY + m_GrabOffset[1], &vertex.m_Position[0],
           &vertex.m_Position[1]);
    RebuildBuffer();
}

void Primitive::RebuildBuffer()
{
    m_VertexBuffer.Unload();
    m_VertexBuffer.Load(PT_TRIANGLE_LIST, m_Vertices.data(), VERTEX_COUNT, VERTEX_SIZE,
                        POOL_MANAGED);
}

void Primitive::Render(RenderImpl* pRenderer)
{
    RenderDevice* pDevice = pRenderer->GetDevice();
    m_Shader.Begin();
    const int type = std::max(m_pTypeCombo->GetSelectedIndex(), 0);
    if (type != PT_POINT_LIST)
    {
        if (m_pFillButton->IsChecked())
        {
            pDevice->SetRenderState(RS_FILL_MODE, FILL_WIREFRAME);
        }
        pDevice->SetRenderState(RS_POINT_SIZE, 1);
        m_VertexBuffer.SetPrimitiveType(static_cast<PrimitiveType>(type));
        pDevice->DrawIndexed(&m_Layout, &m_VertexBuffer, 0, m_VertexBuffer.GetVertexNum(), nullptr,
                             0, 0);
        pDevice->SetRenderState(RS_FILL_MODE, FILL_SOLID);
    }
    // The handles, on top and always solid.
    pDevice->SetRenderState(RS_POINT_SIZE, HANDLE_SIZE);
    m_VertexBuffer.SetPrimitiveType(PT_POINT_LIST);
    pDevice->DrawIndexed(&m_Layout, &m_VertexBuffer, 0, m_VertexBuffer.GetVertexNum(), nullptr, 0,
                         0);
    m_Shader.End();
    // Later drawing expects 1-pixel points, as every lesson leaves them.
    pDevice->SetRenderState(RS_POINT_SIZE, 1);
}
