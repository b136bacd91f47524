#include "testcase/shaderboard.h"

#include "testcase/testshader.h"

#include <algorithm>

void ShaderBoard::Add(TestShader* pShader)
{
    m_Shaders.push_back(pShader);
}

void ShaderBoard::Remove(TestShader* pShader)
{
    m_Shaders.erase(std::remove(m_Shaders.begin(), m_Shaders.end(), pShader), m_Shaders.end());
}

const std::string& ShaderBoard::GetErrors()
{
    m_Errors.clear();
    for (const TestShader* pShader : m_Shaders)
    {
        m_Errors += pShader->GetError();
    }
    m_Errors += m_LinkError;
    return m_Errors;
}
