// What d3d9gl does not carry out, and draws it refuses, are logged once per kind by name;
// the frame goes on.

#include "D3D9GLFixture.h"

#include <algorithm>
#include <string>

using D3D9GLTest::DeviceFixture;

namespace
{
class IgnoredInputGLTest : public DeviceFixture
{
};

TEST_F(IgnoredInputGLTest, EachKindIsLoggedOnceByNameAndTheFrameGoesOn)
{
    UseColorShaders();
    ClearAll(0xFF000000);
    D3DCAPS9 caps = {};
    ASSERT_EQ(Device()->GetDeviceCaps(&caps), D3D_OK);
    Halvex::Base::DiagnosticCapture capture;
    EXPECT_EQ(Device()->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC), D3D_OK);
    for (DWORD round = 0; round < 2; ++round)
    {
        // Each round changes the value, so neither set is skipped as redundant.
        EXPECT_EQ(Device()->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, round), D3D_OK);
        EXPECT_EQ(Device()->SetSamplerState(0, D3DSAMP_SRGBTEXTURE, 1 - round), D3D_OK);
        EXPECT_EQ(
            Device()->SetSamplerState(0, D3DSAMP_MAXANISOTROPY, caps.MaxAnisotropy + 1 + round),
            D3D_OK);
        EXPECT_EQ(Device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1),
                  D3DERR_INVALIDCALL);
        DrawQuad(0, 0, 64, 32 * (round + 1), 0.5f, 0xFF00FF00 + round);
    }
    // A refused format is named where it is known.
    IDirect3DTexture9* pTexture = nullptr;
    EXPECT_EQ(
        Device()->CreateTexture(4, 4, 1, 0, D3DFMT_D24S8, D3DPOOL_MANAGED, &pTexture, nullptr),
        D3DERR_INVALIDCALL);
    const auto& logs = capture.Logs();
    const std::string anisotropy = "D3DSAMP_MAXANISOTROPY " +
                                   std::to_string(caps.MaxAnisotropy + 1) +
                                   " is above the device's MaxAnisotropy of " +
                                   std::to_string(caps.MaxAnisotropy) + "; that is used instead";
    const std::string lines[] = {
        anisotropy,
        "D3DRS_MULTISAMPLEANTIALIAS is not carried out by d3d9gl; its value 0 has no effect",
        "D3DSAMP_SRGBTEXTURE is not carried out by d3d9gl; its value 1 has no effect",
        "DrawIndexedPrimitive is refused: no index buffer is set",
        "Cannot create a texture of 4x4x1, 1 levels, format 75 (D24S8): the format is not "
        "supported"};
    for (const std::string& line : lines)
    {
        EXPECT_EQ(std::count_if(logs.begin(), logs.end(),
                                [&](const auto& log) { return log.message == line; }),
                  1)
            << line;
    }
    EXPECT_EQ(logs.size(), 5u);
    EXPECT_EQ(BackBufferPixel(32, 16), 0xFF00FF01u);
    EXPECT_EQ(BackBufferPixel(32, 48), 0xFF00FF01u);
    EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}
} // namespace
