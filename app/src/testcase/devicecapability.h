#pragma once
// A column of text lines with the render device's limits and the compressed texture
// formats it supports, read from the device every frame. No 3D scene.

#include "testcase/testbase.h"

#include <array>

namespace Halvex::HGui
{
class HLabel;
class HWidget;
} // namespace Halvex::HGui

class DeviceCapability : public TestBase
{
public:
    static constexpr int LINE_COUNT = 16;
    // Lines from this one on list compressed formats.
    static constexpr int FIRST_FORMAT_LINE = 11;

    DeviceCapability();

    void Render(RenderImpl* pRenderer) override;

    Halvex::HGui::HWidget* GetContainer() const { return m_pContainer; }
    Halvex::HGui::HLabel* GetLine(int index) const { return m_Lines[index]; }

private:
    // Children of the panel and of the container.
    Halvex::HGui::HWidget* m_pContainer = nullptr;
    std::array<Halvex::HGui::HLabel*, LINE_COUNT> m_Lines = {};
};
