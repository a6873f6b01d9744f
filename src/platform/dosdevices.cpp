#include "dosdevices.h"

#include "codepage.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

namespace velmora::platform::wine {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> driveRoot(std::string_view prefix, char letter)
{
    const fs::path dosdevices = fs::path(prefix) / "dosdevices";
    const fs::path link =
        dosdevices /
        std::string{static_cast<char>(std::tolower(static_cast<unsigned char>(letter))), ':'};
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::is_symlink(status)) {
        const fs::path target = fs::read_symlink(link, error);
        if (error)
            return std::nullopt;
        return (target.is_absolute() ? target : dosdevices / target).lexically_normal();
    }
    if (fs::is_directory(status))
        return link;
    return std::nullopt;
}

// The components of a path, either separator; "." dropped and ".." folded, never above the root.
std::vector<std::string> pathComponents(std::string_view path)
{
    std::vector<std::string> components;
    while (!path.empty()) {
        const std::size_t end = path.find_first_of("\\/");
        const std::string_view component = path.substr(0, end);
        if (component == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.emplace_back(component);
        }
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return components;
}

// `name` in `folder`: the exact entry when it exists, else the first entry (in name order)
// equal to it without regard to case, as Wine looks files up; else `name` as given.
fs::path matchComponent(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / name, error)))
        return folder / name;
    const std::string folded = foldCase(name);
    std::string best;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (foldCase(entry) == folded && (best.empty() || entry < best))
            best = std::move(entry);
    }
    return folder / (best.empty() ? name : best);
}

} // namespace

std::string unixPathInPrefix(std::string_view prefix, std::string_view windowsPath)
{
    std::optional<fs::path> path;
    if (windowsPath.starts_with('/')) {
        path = fs::path("/");
    } else if (windowsPath.size() >= 2 && windowsPath[1] == ':' &&
               std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
        path = driveRoot(prefix, windowsPath[0]);
        windowsPath.remove_prefix(2);
    }
    if (!path)
        return {};
    for (const std::string& component : pathComponents(windowsPath))
        path = matchComponent(*path, component);
    return path->string();
}

} // namespace velmora::platform::wine
