#pragma once
// Compiler messages for the learner: the shader file's name and the first lines of the
// driver's log, each with the line number in the file that the learner edits.

#include <string>

namespace Halvex::RenderCore
{
class DeviceDiagnostics;
class RenderDevice;
} // namespace Halvex::RenderCore

// The device's diagnostics; null for no device or a back end without them.
Halvex::RenderCore::DeviceDiagnostics* GetDiagnostics(Halvex::RenderCore::RenderDevice* pDevice);

// "Lighting.wpu line 12: error: ..." for each of the first `maxLines` non-empty lines of
// the log; lines without a position keep their text after the file's name.
std::string FormatShaderLog(const std::string& fileName, const std::string& log, int maxLines);

// Names the shader that the device makes next after its file, for the device's diagnostics
// (a device that does not take names ignores it).
void NameNextShader(Halvex::RenderCore::RenderDevice* pDevice, const std::string& fileName);

// How many shaders have failed to compile or link on the device so far (0 for a device that
// does not say), and the latest one's log where pLog is not null.
unsigned GetShaderFailures(Halvex::RenderCore::RenderDevice* pDevice, std::string* pLog);
