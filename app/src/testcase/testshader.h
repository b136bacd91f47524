#pragma once
// A vertex and pixel shader pair loaded by name from the shader folder (".wvu" and ".wpu").

#include <filesystem>
#include <memory>
#include <string>

namespace Halvex::RenderCore
{
class PixelShader;
class ShaderProgram;
class VertexShader;
} // namespace Halvex::RenderCore

class TestShader
{
public:
    // Joins the application's shader board, if there is an application.
    TestShader();
    ~TestShader();
    TestShader(const TestShader&) = delete;
    TestShader& operator=(const TestShader&) = delete;

    // Reads both files. A file that is missing or does not compile asserts and leaves that
    // stage as it was: unloaded at first, the previous code after a reload. A file that does
    // not compile leaves the compiler's message in GetError until a load builds both.
    void Load(const std::string& vertexName, const std::string& pixelName);
    void Load(const std::string& name) { Load(name, name); }
    void Reload() { Load(m_VertexName, m_PixelName); }

    // True when either file's modification time differs from when it was last read.
    bool HasChangedOnDisk() const;
    // The file's name and the first lines of the compiler's message; empty after a load
    // where both stages built (or a file was only missing, which the log reports).
    const std::string& GetError() const { return m_Error; }

    // Binds both shaders on the device.
    void Begin();
    void End();

    Halvex::RenderCore::VertexShader* GetVertexShader() const { return m_pVertexShader.get(); }
    Halvex::RenderCore::PixelShader* GetPixelShader() const { return m_pPixelShader.get(); }
    const std::string& GetVertexName() const { return m_VertexName; }
    const std::string& GetPixelName() const { return m_PixelName; }

private:
    std::unique_ptr<Halvex::RenderCore::ShaderProgram> m_pProgram;
    std::unique_ptr<Halvex::RenderCore::VertexShader> m_pVertexShader;
    std::unique_ptr<Halvex::RenderCore::PixelShader> m_pPixelShader;
    std::string m_VertexName;
    std::string m_PixelName;
    std::string m_Error;
    std::filesystem::path m_VertexPath;
    std::filesystem::path m_PixelPath;
    std::filesystem::file_time_type m_VertexTime;
    std::filesystem::file_time_type m_PixelTime;
};
