#include "d3d9gl/shader.h"

#include "base/source/system/logger.h"
#include "d3d9gl/device.h"
#include "d3d9gl/shaderfunction.h"

#include <algorithm>
#include <cstring>

namespace d3d9gl
{
namespace
{
UINT g_NextShaderId = 1;
} // namespace

std::string FlattenLog(const std::string& log)
{
    std::string line;
    for (char c : log)
    {
        if (c == '\n')
        {
            if (!line.empty() && line.back() != ' ')
                line += "; ";
        }
        else if (c != '\r' && c != '\0')
        {
            line += c;
        }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == ';'))
        line.pop_back();
    return line;
}

ShaderCode::ShaderCode(Device* pDevice, ShaderStage stage, std::string text, std::string name)
    : DeviceChild(pDevice), m_Stage(stage), m_Text(std::move(text)), m_Name(std::move(name)),
      m_Id(g_NextShaderId++)
{
}

ShaderCode::~ShaderCode()
{
    if (m_pDevice)
    {
        m_pDevice->Activate();
        m_pDevice->OnShaderDestroyed(m_Id);
        ReleaseGL();
    }
}

void ShaderCode::ReleaseGL()
{
    for (GLuint& shader : m_Shaders)
    {
        if (shader)
            glDeleteShader(shader);
        shader = 0;
    }
}

GLuint ShaderCode::Compiled(bool flat)
{
    const int variant = flat ? 1 : 0;
    if (m_Shaders[variant] || m_Failed[variant] || !m_pDevice)
        return m_Shaders[variant];
    const std::string source = AssembleShaderSource(
        m_Stage, m_Text, {flat, !m_pDevice->ClipControl(), m_pDevice->Profile().es});
    GLuint shader =
        glCreateShader(m_Stage == SHADER_STAGE_VERTEX ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* pSource = source.c_str();
    glShaderSource(shader, 1, &pSource, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE)
    {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string log(size_t(std::max(length, 1)), '\0');
        glGetShaderInfoLog(shader, GLsizei(log.size()), nullptr, log.data());
        Halvex::Base::Log(LOG_MODULE, Halvex::Base::LOG_LEVEL_ERROR,
                          "Shader \"%s\" does not compile: %s", m_Name.c_str(),
                          FlattenLog(log).c_str());
        m_pDevice->RecordShaderFailure(log.c_str());
        glDeleteShader(shader);
        m_Failed[variant] = true;
        return 0;
    }
    m_Shaders[variant] = shader;
    return shader;
}

HRESULT ShaderCode::GetFunctionBlob(void* pData, UINT* pSizeOfData) const
{
    if (!pSizeOfData)
        return D3DERR_INVALIDCALL;
    const std::vector<DWORD> function = MakeShaderFunction(m_Stage, m_Text);
    const UINT size = UINT(function.size() * sizeof(DWORD));
    if (!pData)
    {
        *pSizeOfData = size;
        return D3D_OK;
    }
    if (*pSizeOfData < size)
        return D3DERR_MOREDATA;
    std::memcpy(pData, function.data(), size);
    *pSizeOfData = size;
    return D3D_OK;
}

} // namespace d3d9gl
