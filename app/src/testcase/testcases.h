#pragma once
// What the two test lessons share: the register that carries the "Case" combo's index to
// both shader stages, and the corners of a grid cell.

#include "rendercore/source/renderdevice/devicetypes.h"

#include <array>

namespace Halvex::RenderCore
{
class RenderDevice;
}

class MyComboBox;

// Vertex and pixel register of the case index (x only; the other components are unset).
inline constexpr int CASE_REGISTER = 20;

// The corner offsets of the two triangles of one grid cell, in order.
inline constexpr std::array<std::array<int, 2>, 6> CELL_CORNERS = {
    {{0, 0}, {1, 0}, {0, 1}, {0, 1}, {1, 0}, {1, 1}}};

// Writes the chosen index into x of `caseVector` and sends it to both stages.
void SendCase(Halvex::RenderCore::RenderDevice* pDevice, const MyComboBox* pCombo,
              float* pCaseVector);
