// Random call sequences: the merged, the unmerged and the plain-state plays of each leave the
// same bytes in every target, without a GL error.
//   D3D9GL_SEQUENCE_SEEDS=FIRST:COUNT  checks that range of seeds instead of the fixed one.
// The plays run on one rasterizer thread unless LP_NUM_THREADS says otherwise.

#include "callsequence.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace D3D9GLTest
{
namespace
{

// Seeds that once found a fault, kept besides the fixed range 1..40: 81 and 37, merged fans
// rasterized unlike a native fan; 33 and 37, a cube sampler read a stale cube after a 2D
// texture was bound to its unit with the binding forgotten. With LP_NUM_THREADS=4 set, about
// one seed in nine (14, 33, 36, ...) read a target back as it was before its latest drawing
// on llvmpipe, after the back buffer had been Present's source. On the ES profile: 15 and
// 22, llvmpipe's compiler crashed on an anisotropic sampler with a LOD bias; 12, a merged
// wireframe batch was filled; 88, merged strip triangles started at another corner than the
// native strip's; 1833, a merged flat wireframe strip drew its edges in another order than
// the strip alone, so another edge's colour won where they meet.
std::vector<uint64_t> g_Seeds = {81, 88, 1833};

TEST(CallSequenceGLTest, MergedUnmergedAndPlainPlaysAgree)
{
    uint64_t first = 1, count = 40;
    const char* pRange = std::getenv("D3D9GL_SEQUENCE_SEEDS");
    ASSERT_TRUE(!pRange || std::sscanf(pRange, "%" SCNu64 ":%" SCNu64, &first, &count) == 2);
    for (uint64_t seed = first; seed < first + count; ++seed)
        g_Seeds.push_back(seed);
    for (uint64_t seed : g_Seeds)
        EXPECT_EQ(CheckSequence([seed] { return ByteSource(seed); }, 60), "")
            << "sequence seed " << seed << " (keep it in the test's seeds)";
}

} // namespace
} // namespace D3D9GLTest
