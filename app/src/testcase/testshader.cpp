#include "testcase/testshader.h"

#include "main/lumivia.h"
#include "testcase/datapath.h"

#include "common/render/shaderfile.h"
#include "common/render/shaderlog.h"

#include "base/source/system/logger.h"
#include "rendercore/source/resource/pixelshader.h"
#include "rendercore/source/resource/shaderprogram.h"
#include "rendercore/source/resource/vertexshader.h"

using namespace Halvex;
using namespace Halvex::RenderCore;

namespace
{
constexpr const char* MODULE = "LESSON";
// Lines of the compiler's message shown per file.
constexpr int ERROR_LINES = 4;

std::filesystem::file_time_type WriteTime(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::last_write_time(path, error);
}

RenderDevice* Device()
{
    return g_pApp ? g_pApp->GetRenderer()->GetDevice() : nullptr;
}

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

// ReadShader, and when the file was read but the compiler refused it, the compiler's message
// for `file` appended to *pError.
template <typename ShaderClass>
std::unique_ptr<ShaderClass> ReadShaderNoting(const std::string& file, std::string* pError)
{
    std::string log;
    const unsigned before = GetShaderFailures(Device(), nullptr);
    NameNextShader(Device(), file);
    std::unique_ptr<ShaderClass> pShader = ReadShader<ShaderClass>(file);
    if (!pShader && GetShaderFailures(Device(), &log) != before)
    {
        *pError += FormatShaderLog(file, log, ERROR_LINES);
    }
    return pShader;
}
} // namespace

TestShader::TestShader() : m_pProgram(std::make_unique<ShaderProgram>())
{
    if (g_pApp)
    {
        g_pApp->GetShaderBoard()->Add(this);
    }
}

TestShader::~TestShader()
{
    if (g_pApp)
    {
        g_pApp->GetShaderBoard()->Remove(this);
    }
    // The program only borrows the shaders.
    m_pProgram.reset();
}

void TestShader::Load(const std::string& vertexName, const std::string& pixelName)
{
    m_VertexName = vertexName;
    m_PixelName = pixelName;
    // The paths are kept: the twice-a-second look at the files must not build strings.
    m_VertexPath = GetShaderPath(vertexName + ".wvu");
    m_PixelPath = GetShaderPath(pixelName + ".wpu");
    m_VertexTime = WriteTime(m_VertexPath);
    m_PixelTime = WriteTime(m_PixelPath);
    m_Error.clear();
    std::unique_ptr<VertexShader> pVertexShader =
        ReadShaderNoting<VertexShader>(vertexName + ".wvu", &m_Error);
    std::unique_ptr<PixelShader> pPixelShader =
        ReadShaderNoting<PixelShader>(pixelName + ".wpu", &m_Error);
    // The program lets go of the old shaders before they are deleted.
    m_pProgram->SetShaders(pVertexShader ? pVertexShader.get() : m_pVertexShader.get(),
                           pPixelShader ? pPixelShader.get() : m_pPixelShader.get(), false);
    if (pVertexShader && pPixelShader && g_pApp)
    {
        g_pApp->GetShaderBoard()->SetLinkError({});
    }
    if (pVertexShader)
    {
        m_pVertexShader = std::move(pVertexShader);
    }
    if (pPixelShader)
    {
        m_pPixelShader = std::move(pPixelShader);
    }
}

bool TestShader::HasChangedOnDisk() const
{
    return !m_VertexName.empty() &&
           (WriteTime(m_VertexPath) != m_VertexTime || WriteTime(m_PixelPath) != m_PixelTime);
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
