#pragma once
// The lesson shaders alive now, whose compile errors the red panel shows.

#include <string>
#include <vector>

class TestShader;

class ShaderBoard
{
public:
    void Add(TestShader* pShader);
    void Remove(TestShader* pShader);

    // A pair of shaders that built but do not link together, found when they first draw;
    // empty text clears it, as a load that builds both stages does.
    void SetLinkError(const std::string& text) { m_LinkError = text; }

    // The errors of the shaders whose last load failed, one after the other, and the link
    // error; empty when every shader built and linked.
    const std::string& GetErrors();

private:
    std::vector<TestShader*> m_Shaders;
    std::string m_LinkError;
    std::string m_Errors;
};
