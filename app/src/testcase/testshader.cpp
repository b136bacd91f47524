#include "testcase/testshader.h"

#include "testcase/datapath.h"

#include "common/render/shaderfile.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/shaderprogram.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace Halvex;
using namespace Halvex::RenderCore;

namespace
{
constexpr const char* MODULE = "LESSON";

// The shader from the file, or null (after an assertion) when it cannot be read or built.
// A fresh object is built so that a failed reload leaves the running shader untouched.
template <typename ShaderClass> std::unique_ptr<ShaderClass> ReadShader(const std::string& file)
{
    auto pShader = LoadShaderFile<ShaderClass>(GetShaderPath(file), MODULE, Base::LOG_LEVEL_ERROR);
    if (!pShader)
    {
        HX_RAISE("0");
    }
    return pShader;
}
} // namespace

TestShader::TestShader() : m_pProgram(std::make_unique<ShaderProgram>()) {}

TestShader::~TestShader()
{
    // The program only borrows the shaders.
    m_pProgram.reset();
}

void TestShader::Load(const std::string& vertexName, const std::string& pixelName)
{
    m_VertexName = vertexName;
    m_PixelName = pixelName;
    std::unique_ptr<VertexShader> pVertexShader = ReadShader<VertexShader>(vertexName + ".wvu");
    std::unique_ptr<PixelShader> pPixelShader = ReadShader<PixelShader>(pixelName + ".wpu");
    // The program lets go of the old shaders before they are deleted.
    m_pProgram->SetShaders(pVertexShader ? pVertexShader.get() : m_pVertexShader.get(),
                           pPixelShader ? pPixelShader.get() : m_pPixelShader.get(), false);
    if (pVertexShader)
    {
        m_pVertexShader = std::move(pVertexShader);
    }
    if (pPixelShader)
    {
        m_pPixelShader = std::move(pPixelShader);
    }
}

void TestShader::Begin()
{
    m_pProgram->Bind();
    m_pProgram->CommitParameters();
}

void TestShader::End()
{
    m_pProgram->Unbind();
}
