#pragma once
// The lesson shaders alive now: their compile errors for the red panel, and a watch on
// their files so that an edited file is built again without a key press.

#include <string>
#include <vector>

class TestShader;

class ShaderBoard
{
public:
    void Add(TestShader* pShader);
    void Remove(TestShader* pShader);

    // Loads again each shader one of whose files has changed since it was read.
    void ReloadChanged();

    // The errors of the shaders whose last load failed, one after the other; empty when
    // every shader built.
    const std::string& GetErrors();

private:
    std::vector<TestShader*> m_Shaders;
    std::string m_Errors;
};
