#pragma once

namespace d3d9gl
{

// In builds with the leak checker only (elsewhere it does nothing): keeps every library
// loaded so far, the GL driver among them, mapped until the process ends. The driver holds
// its allocations from its own globals, and SDL unloads it before the leak check runs at
// exit; unmapped, those globals no longer reach the memory and the check would report the
// driver's bookkeeping as lost.
void KeepLoadedLibrariesUntilExit();

} // namespace d3d9gl
