// Call sequences on a d3d9gl device: the input's bytes are the choices of one sequence, played
// with draws merged, unmerged and in plain-state mode. A GL error or a difference in any
// target's bytes aborts, so the input lands in the findings.

#include "callsequence.h"

#include "base/source/system/logger.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    Halvex::Base::SetLogThreshold(Halvex::Base::LOG_LEVEL_MAX);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t size)
{
    const std::string failure =
        D3D9GLTest::CheckSequence([=] { return D3D9GLTest::ByteSource(pData, size); }, 200);
    if (!failure.empty())
    {
        std::fprintf(stderr, "fuzz_device: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
