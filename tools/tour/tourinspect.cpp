#include "tourinspect.h"

#include "tourlessons.h"

#include "main/appdriver.h"

#include "d3d9gl/image/imagefile.h"
#include "rendercore/source/renderdevice/devicediagnostics.h"
#include "rendercore/source/renderdevice/renderdevice.h"

#include <cstdio>
#include <fstream>

using Halvex::RenderCore::DeviceDiagnostics;
using Halvex::RenderCore::FrameEvent;
using Halvex::RenderCore::FramePicture;

namespace
{
const char* const KIND_NAMES[] = {"clear", "draw", "target", "group"};

void WriteEvent(std::ostream& out, size_t index, const FrameEvent& event)
{
    out << index + 1 << " [" << KIND_NAMES[static_cast<int>(event.kind)] << "] " << event.title
        << "\n    target: " << event.target << '\n';
    if (!event.shaders.empty())
    {
        out << "    shaders: " << event.shaders << '\n';
    }
    for (const std::string& line : event.textures)
    {
        out << "    " << line << '\n';
    }
    for (const std::string& line : event.states)
    {
        out << "    " << line << '\n';
    }
}

// The picture as a PNG file (RGBA rows to the A8R8G8B8 bytes the encoder takes).
bool WritePicture(const FramePicture& picture, const std::filesystem::path& path)
{
    d3d9gl::ImageSurface surface;
    surface.width = static_cast<UINT>(picture.width);
    surface.height = static_cast<UINT>(picture.height);
    surface.rowPitch = surface.width * 4;
    surface.slicePitch = surface.rowPitch * surface.height;
    surface.bytes = picture.rgba;
    for (size_t i = 0; i + 3 < surface.bytes.size(); i += 4)
    {
        std::swap(surface.bytes[i], surface.bytes[i + 2]);
    }
    std::vector<uint8_t> file;
    std::string error;
    if (!d3d9gl::EncodeImageFile(d3d9gl::IMAGE_FILE_PNG, surface, D3DFMT_A8R8G8B8, file, error))
    {
        std::fprintf(stderr, "lumivia-tour: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

// Writes events.txt and one picture per event.
int WriteCapture(DeviceDiagnostics& diagnostics, const std::filesystem::path& outDir)
{
    const std::vector<FrameEvent>& events = diagnostics.GetFrameEvents();
    std::ofstream list(outDir / "events.txt");
    if (!diagnostics.GetCaptureMessage().empty())
    {
        list << diagnostics.GetCaptureMessage() << '\n';
    }
    FramePicture picture;
    for (size_t i = 0; i < events.size(); ++i)
    {
        WriteEvent(list, i, events[i]);
        char name[32];
        std::snprintf(name, sizeof(name), "event_%02zu.png", i + 1);
        if (!diagnostics.ReplayTo(i, &picture) || !WritePicture(picture, outDir / name))
        {
            std::fprintf(stderr, "lumivia-tour: cannot replay event %zu\n", i + 1);
            return 1;
        }
        std::printf("%s\n", (outDir / name).c_str());
    }
    return list ? 0 : 1;
}
} // namespace

int RunInspect(const std::string& lesson, int frames, const std::filesystem::path& outDir)
{
    AppDriver driver;
    if (!driver.Start())
    {
        return 1;
    }
    // The list takes clicks once the GUI has had its first update.
    driver.RunFrames(2);
    double switchMs = 0.0;
    if (!OpenLesson(driver, lesson, &switchMs))
    {
        std::fprintf(stderr, "lumivia-tour: cannot open \"%s\"\n", lesson.c_str());
        return 1;
    }
    driver.RunFrames(frames);
    DeviceDiagnostics* pDiagnostics = driver.GetApp().GetRenderer()->GetDevice()->GetDiagnostics();
    if (!pDiagnostics)
    {
        std::fprintf(stderr, "lumivia-tour: this device cannot capture frames\n");
        return 1;
    }
    pDiagnostics->RequestFrameCapture();
    // The next Present begins the recording, the one after it ends it.
    driver.RunFrames(2);
    if (!pDiagnostics->HasFrameCapture())
    {
        std::fprintf(stderr, "lumivia-tour: no frame was captured\n");
        return 1;
    }
    return WriteCapture(*pDiagnostics, outDir);
}
