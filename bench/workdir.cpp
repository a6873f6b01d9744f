#include "workdir.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace velmora::bench {
namespace {

namespace fs = std::filesystem;

struct SizedFile {
    const char* name;
    std::size_t size;
};

constexpr std::array<SizedFile, 4> kGenerated = {{
    {"generated-1KB.ini", 1024},
    {"generated-100KB.ini", 100 * 1024},
    {"generated-1MB.ini", 1024 * 1024},
    {"generated-10MB.ini", 10 * 1024 * 1024},
}};

// The sections and keys the main window, the editor and the presets touch, with the
// values a played Direct3D client holds.
constexpr const char* kGameSections = "[Engine.Engine]\r\n"
                                      "GameRenderDevice=D3DDrv.D3DRenderDevice\r\n"
                                      "RenderDevice=GlideDrv.GlideRenderDevice\r\n"
                                      "\r\n"
                                      "[Engine.GameEngine]\r\n"
                                      "CacheSizeMegs=4\r\n"
                                      "\r\n"
                                      "[WinDrv.WindowsClient]\r\n"
                                      "FullscreenViewportX=1024\r\n"
                                      "FullscreenViewportY=768\r\n"
                                      "FullscreenColorbits=32\r\n"
                                      "CurvedSurfaces=False\r\n"
                                      "LowDetailTextures=False\r\n"
                                      "ScreenFlashes=True\r\n"
                                      "NoLighting=False\r\n"
                                      "SlowVideoBuffering=True\r\n"
                                      "MinDesiredFrameRate=28.000000\r\n"
                                      "Decals=True\r\n"
                                      "NoDynamicLights=False\r\n"
                                      "ParticleDensity=0\r\n"
                                      "NoFractalAnim=False\r\n"
                                      "SkinDetail=High\r\n"
                                      "TextureDetail=High\r\n"
                                      "\r\n"
                                      "[D3DDrv.D3DRenderDevice]\r\n"
                                      "Coronas=True\r\n"
                                      "\r\n";

std::string fillerSection(std::size_t index)
{
    std::ostringstream out;
    out << "[Filler.Section" << index << "]\r\n";
    for (int key = 0; key < 20; ++key)
        out << "ServerPackages[" << key << "]=BotPack.Package"
            << index * 20 + static_cast<std::size_t>(key) << "\r\n";
    out << "\r\n";
    return out.str();
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

std::string generatedProfile(std::size_t size)
{
    const std::string tail = kGameSections;
    std::string text;
    text.reserve(size);
    for (std::size_t index = 0; text.size() + tail.size() < size; ++index)
        text += fillerSection(index);
    // Cut the filler back to whole lines, then pad with one comment line to the exact size.
    while (text.size() + tail.size() > size) {
        const auto lastLine = text.rfind("\r\n", text.size() - 3);
        text.resize(lastLine == std::string::npos ? 0 : lastLine + 2);
    }
    const auto room = size - tail.size() - text.size();
    if (room >= 3)
        text += ";" + std::string(room - 3, '-') + "\r\n";
    return text + tail;
}

std::vector<BenchFile> prepareWorkDir(const fs::path& dataDir, const fs::path& workDir)
{
    fs::create_directories(workDir);
    std::vector<BenchFile> files;
    for (const auto& entry : fs::directory_iterator(dataDir)) {
        if (entry.path().extension() != ".ini")
            continue;
        const auto target = workDir / entry.path().filename();
        writeFile(target, readFile(entry.path()));
        files.push_back({entry.path().filename().string(), target.string(), fs::file_size(target)});
    }
    std::ranges::sort(files, {}, &BenchFile::name);
    for (const auto& sized : kGenerated) {
        const auto target = workDir / sized.name;
        if (!fs::exists(target) || fs::file_size(target) != sized.size)
            writeFile(target, generatedProfile(sized.size));
        files.push_back({sized.name, target.string(), sized.size, true});
    }
    return files;
}

std::string scratchCopy(const BenchFile& file, const std::string& tag)
{
    const fs::path source(file.path);
    const auto target = source.parent_path() / "scratch" / (tag + "-" + file.name);
    fs::create_directories(target.parent_path());
    writeFile(target, readFile(source));
    return target.string();
}

} // namespace velmora::bench
