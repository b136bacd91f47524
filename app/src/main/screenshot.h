#pragma once
// Screenshots on F12: PNG files in the screenshots folder beside the executable's folder.

#include <string>

namespace Halvex::RenderCore
{
class RenderDevice;
}

// Writes the presented picture to a new file named after the local time in
// "../screenshots/" (made when missing) and logs its path; the path, or empty (after a
// diagnostic line) when the folder or the file can not be written.
std::string SaveScreenshot(Halvex::RenderCore::RenderDevice* pDevice);
