#include "d3d9gl/driverpin.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define D3D9GL_LEAK_CHECK 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define D3D9GL_LEAK_CHECK 1
#endif

#ifdef D3D9GL_LEAK_CHECK
#include <dlfcn.h>
#include <link.h>
#endif

namespace d3d9gl
{

void KeepLoadedLibrariesUntilExit()
{
#ifdef D3D9GL_LEAK_CHECK
    // RTLD_NOLOAD | RTLD_NODELETE marks a loaded library as never to be unloaded; the extra
    // reference that dlopen takes is never given back, on purpose.
    dl_iterate_phdr(
        [](dl_phdr_info* pInfo, size_t, void*)
        {
            if (pInfo->dlpi_name && pInfo->dlpi_name[0] != '\0')
                dlopen(pInfo->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
#endif
}

} // namespace d3d9gl
