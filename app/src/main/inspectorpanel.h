#pragma once
// The frame inspector (F3): the events of one captured frame in a scrolling list, one row
// per clear, draw, target change or group of draws, each with its shaders, textures, target
// and the states that differ from the device's defaults; beside it the picture as it stands
// after the selected event, in the target that event drew into, with the pixels the event
// wrote tinted and the others dimmed.

#include "rendercore/source/renderdevice/devicediagnostics.h"

#include "gui/hwidget.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Halvex::HGui
{
class HListWidget;
class HPushButton;
} // namespace Halvex::HGui

namespace Halvex::RenderCore
{
class Texture;
}

class TextManager;

class InspectorPanel : public Halvex::HGui::HWidget
{
public:
    // Over the lesson, right of the lesson list and below the lessons' top row, hidden. The
    // font may be null (no renderer): each row is then one line per field.
    InspectorPanel(Halvex::HGui::HWidget* pParent, const TextManager* pFont);
    ~InspectorPanel() override;
    InspectorPanel(const InspectorPanel&) = delete;
    InspectorPanel& operator=(const InspectorPanel&) = delete;

    // Lists the events of the diagnostics' last capture and selects the last one (the whole
    // frame); null diagnostics (a device that cannot capture) leave the list empty and say so.
    void ShowCapture(Halvex::RenderCore::DeviceDiagnostics* pDiagnostics);
    // Selects event `index`, clamped to the list, scrolls it into view and shows its picture.
    void Select(int index);
    // Up and Down move the selection, Home and End go to the first and the last event; false
    // for other keys or while hidden.
    bool HandleKey(uint32_t virtualKey);

    int GetSelectedIndex() const { return m_Selected; }
    int GetEventCount() const { return static_cast<int>(m_Rows.size()); }
    // The replayed picture of the selected event as the panel shows it, 0xAARRGGBB.
    const std::vector<uint32_t>& GetShownPicture() const { return m_Texels; }
    Halvex::HGui::HPushButton* GetCaptureButton() const { return m_pCaptureButton; }
    // Where the picture is drawn, in client pixels.
    Halvex::HGui::HRectF GetPictureRect() const;

    void OnRender(void* pContext) override;
    void WheelEvent(Halvex::HGui::HWheelEvent* pEvent) override;

private:
    void AddRow(int index, const Halvex::RenderCore::FrameEvent& event);
    void OnItemSelected(Halvex::HGui::HWidget* pItem);
    void ScrollTo(float offset);
    void ShowPicture();
    void ComposePicture(const Halvex::RenderCore::FramePicture& picture);
    void UploadPicture();

    const TextManager* m_pFont;
    Halvex::RenderCore::DeviceDiagnostics* m_pDiagnostics = nullptr;
    // The widgets belong to the GUI tree.
    Halvex::HGui::HListWidget* m_pList = nullptr;
    Halvex::HGui::HPushButton* m_pCaptureButton = nullptr;
    std::vector<Halvex::HGui::HWidget*> m_Rows;
    int m_Selected = -1;
    float m_Scroll = 0.0f;
    float m_ContentHeight = 0.0f;
    // One line, kept as a list for DrawTextLines.
    std::vector<std::string> m_Heading;
    std::vector<std::string> m_Caption;
    Halvex::RenderCore::FramePicture m_Replayed;
    std::vector<uint32_t> m_Texels;
    std::unique_ptr<Halvex::RenderCore::Texture> m_pPicture;
};
