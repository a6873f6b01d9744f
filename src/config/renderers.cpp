#include "config/renderers.h"

#include "config/catalogue.h"
#include "config/readmodule.h"
#include "platform/fileio.h"
#include "platform/profile.h"
#include "platform/text.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

namespace velmora::config {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRenderDeviceMetaClass = "Engine.RenderDevice";
constexpr std::string_view kBlanks = " \t\v";
// The game's .int files are a few kilobytes; anything far larger is not one, and reading it
// at every refresh of the lists would stall the windows.
constexpr std::uintmax_t kLargestIntFile = std::uintmax_t{4} << 20;

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view package(std::string_view className)
{
    return className.substr(0, className.find('.'));
}

using Fields = std::vector<std::pair<std::string_view, std::string_view>>;

// The fields of a "(Name=Value,Name="Value, with commas",...)" value; nullopt when it is not
// one such list.
std::optional<Fields> parseFields(std::string_view text)
{
    text = platform::trim(text, kBlanks);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') {
        return std::nullopt;
    }
    text = text.substr(1, text.size() - 2);
    Fields fields;
    bool quoted = false;
    for (std::size_t i = 0, start = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"') {
            quoted = !quoted;
        } else if (i == text.size() || (text[i] == ',' && !quoted)) {
            const std::string_view field = text.substr(start, i - start);
            const std::size_t equals = field.find('=');
            if (equals == std::string_view::npos) {
                return std::nullopt;
            }
            std::string_view value = platform::trim(field.substr(equals + 1), kBlanks);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            fields.emplace_back(platform::trim(field.substr(0, equals), kBlanks), value);
            start = i + 1;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    return fields;
}

std::string_view fieldValue(const Fields& fields, std::string_view name)
{
    const auto found = std::ranges::find_if(
        fields, [name](const auto& field) { return equalIgnoringCase(field.first, name); });
    return found != fields.end() ? found->second : std::string_view();
}

// ClassCaption of the class's own section, else the Caption of the Preferences line that
// names the class, else the class itself.
std::string caption(std::string_view contents, const std::vector<platform::KeyValue>& publicKeys,
                    std::string_view className)
{
    const std::string classCaption =
        platform::profileReadText(contents, className.substr(className.find('.') + 1),
                                  "ClassCaption", "", ReadModule::kBufferSize);
    if (const std::string_view text = platform::trim(classCaption, kBlanks); !text.empty()) {
        return std::string(text);
    }
    for (const platform::KeyValue& line : publicKeys) {
        const auto fields =
            equalIgnoringCase(line.key, "Preferences") ? parseFields(line.value) : std::nullopt;
        if (fields && equalIgnoringCase(fieldValue(*fields, "Class"), className)) {
            if (const std::string_view text =
                    platform::trim(fieldValue(*fields, "Caption"), kBlanks);
                !text.empty()) {
                return std::string(text);
            }
        }
    }
    return std::string(className);
}

// The renderers a .int file's [Public] section declares, as {class, caption}.
std::vector<std::pair<std::string, std::string>> declaredRenderers(std::string_view contents)
{
    std::vector<std::pair<std::string, std::string>> declared;
    // Binary files are not text; a UTF-16 file, which holds NULs too, starts with its mark.
    if (!contents.starts_with("\xFF\xFE") && contents.find('\0') != std::string_view::npos) {
        return declared;
    }
    const std::vector<platform::KeyValue> publicKeys =
        platform::profileSectionKeys(contents, "Public");
    for (const platform::KeyValue& line : publicKeys) {
        const auto fields =
            equalIgnoringCase(line.key, "Object") ? parseFields(line.value) : std::nullopt;
        if (!fields ||
            !equalIgnoringCase(fieldValue(*fields, "MetaClass"), kRenderDeviceMetaClass)) {
            continue;
        }
        const std::string_view className = fieldValue(*fields, "Name");
        if (isRendererClass(className)) {
            declared.emplace_back(className, caption(contents, publicKeys, className));
        }
    }
    return declared;
}

struct FolderFiles {
    std::vector<std::string> names; // every regular file's name
    std::vector<fs::path> intFiles; // the *.int files, in order of their names
};

FolderFiles folderFiles(const fs::path& folder)
{
    FolderFiles files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        std::string name = entry.path().filename().string();
        if (name.size() > 4 &&
            equalIgnoringCase(std::string_view(name).substr(name.size() - 4), ".int")) {
            files.intFiles.push_back(entry.path());
        }
        files.names.push_back(std::move(name));
    }
    // Names that differ only in case (possible outside Windows) keep a fixed order too.
    const auto order = [](const fs::path& file) {
        std::string name = file.filename().string();
        std::string folded = name;
        std::ranges::transform(folded, folded.begin(), lowerAscii);
        return std::pair(std::move(folded), std::move(name));
    };
    std::ranges::sort(files.intFiles, {}, order);
    return files;
}

// The native Linux game loads `Package.so`, named exactly; Windows, and Wine, `Package.dll`
// in any case.
bool libraryInstalled(const FolderFiles& files, std::string_view className, bool nativeLinux)
{
    const std::string library(package(className));
    return std::ranges::any_of(files.names, [&](const std::string& name) {
        return nativeLinux ? name == library + ".so" : equalIgnoringCase(name, library + ".dll");
    });
}

// A discovered name that the table shows, or that another discovered renderer has too, would
// stand for two renderers: the class tells them apart.
void bracketCollisions(std::vector<Renderer>& renderers)
{
    std::vector<std::size_t> clashing;
    for (std::size_t i = 0; i < renderers.size(); ++i) {
        const std::string& name = renderers[i].displayName;
        const bool table = std::ranges::any_of(drivers(), [&](const Driver& driver) {
            return name == driver.displayName || name == driver.listItem;
        });
        if (renderers[i].discovered &&
            (table || std::ranges::count(renderers, name, &Renderer::displayName) > 1)) {
            clashing.push_back(i);
        }
    }
    for (const std::size_t i : clashing) {
        Renderer& renderer = renderers[i];
        renderer.displayName += " (" + renderer.className + ")";
        renderer.listItem = renderer.displayName;
    }
}

} // namespace

std::vector<Renderer> gameRenderers(const std::string& gameFile)
{
    const fs::path folder = fs::path(gameFile).parent_path();
    const FolderFiles files = folderFiles(folder.empty() ? fs::path(".") : folder);
    const bool nativeLinux = readClientSection(gameFile) == kSdlClient;
    std::vector<Renderer> renderers;
    for (const Driver& driver : drivers()) {
        if (!nativeLinux || libraryInstalled(files, driver.className, nativeLinux)) {
            renderers.push_back({std::string(driver.listItem), std::string(driver.displayName),
                                 std::string(driver.className), false});
        }
    }
    const auto known = [&](std::string_view className) {
        return std::ranges::any_of(
                   drivers(),
                   [&](const Driver& d) { return equalIgnoringCase(d.className, className); }) ||
               std::ranges::any_of(renderers, [&](const Renderer& r) {
                   return equalIgnoringCase(r.className, className);
               });
    };
    for (const fs::path& intFile : files.intFiles) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(intFile, error);
        const auto contents = error || size > kLargestIntFile
                                  ? std::nullopt
                                  : platform::readWholeFile(intFile.string());
        for (auto& [className, name] : declaredRenderers(contents.value_or(""))) {
            if (!known(className) && libraryInstalled(files, className, nativeLinux)) {
                renderers.push_back({name, name, std::move(className), true});
            }
        }
    }
    bracketCollisions(renderers);
    // The native game's own settings folder (~/.utpg/System) holds no libraries: with none
    // found, the renderer the file names is offered, so that Done can still write a resolution.
    if (nativeLinux && renderers.empty()) {
        const std::string className = platform::getProfileString(
            gameFile, kEngine, kGameRenderDevice, "", ReadModule::kBufferSize);
        if (isRendererClass(className)) {
            const std::string shown(displayNameForClass(className));
            const auto table = std::ranges::find(drivers(), shown, &Driver::displayName);
            renderers.push_back({table != drivers().end() ? std::string(table->listItem) : shown,
                                 shown, className, table == drivers().end()});
        }
    }
    return renderers;
}

std::string displayNameFor(std::span<const Renderer> renderers, std::string_view className)
{
    const auto found = std::ranges::find(renderers, className, &Renderer::className);
    return found != renderers.end() ? found->displayName
                                    : std::string(displayNameForClass(className));
}

std::optional<std::string> classFor(std::span<const Renderer> renderers, std::string_view name)
{
    const auto found = std::ranges::find(renderers, name, &Renderer::displayName);
    if (found != renderers.end()) {
        return found->className;
    }
    const auto table = classForDisplayName(name);
    return table ? std::optional<std::string>(*table) : std::nullopt;
}

bool isRendererClass(std::string_view text)
{
    const auto isName = [](std::string_view part) {
        return !part.empty() && std::ranges::all_of(part, [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_';
        });
    };
    const std::size_t dot = text.find('.');
    return dot != std::string_view::npos && isName(text.substr(0, dot)) &&
           isName(text.substr(dot + 1));
}

std::vector<std::string> deviceCycle(std::span<const Renderer> renderers,
                                     std::string_view fileClass)
{
    // The table's four keep the order the editor always stepped them in; the renderers the
    // .int files declare follow in list order.
    std::vector<std::string> cycle;
    for (const std::string_view table : {"Direct 3D", "OpenGl", "Glide", "Software"}) {
        if (std::ranges::any_of(renderers, [&](const Renderer& renderer) {
                return !renderer.discovered && renderer.displayName == table;
            })) {
            cycle.emplace_back(table);
        }
    }
    for (const Renderer& renderer : renderers) {
        if (renderer.discovered) {
            cycle.push_back(renderer.displayName);
        }
    }
    if (!fileClass.empty() && fileClass != ReadModule::kDefault) {
        std::string shown = displayNameFor(renderers, fileClass);
        if (std::ranges::find(cycle, shown) == cycle.end()) {
            cycle.push_back(std::move(shown));
        }
    }
    return cycle;
}

std::vector<std::string> deviceCycle(const std::string& gameFile)
{
    return deviceCycle(gameRenderers(gameFile),
                       platform::getProfileString(gameFile, kEngine, kGameRenderDevice,
                                                  ReadModule::kDefault, ReadModule::kBufferSize));
}

std::string storedDeviceValue(std::span<const Renderer> renderers, std::string_view shown)
{
    const auto found = std::ranges::find(renderers, shown, &Renderer::displayName);
    return found != renderers.end() && found->discovered ? found->className : std::string(shown);
}

} // namespace velmora::config
