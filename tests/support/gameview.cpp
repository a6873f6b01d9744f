#include "gameview.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace velmora::test {

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::vector<GameLine> gameLines(std::string_view bytes)
{
    std::vector<GameLine> lines;
    std::string section;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        const std::size_t next = bytes.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
        const std::string content(bytes.substr(at, end - at));
        GameLine line;
        line.text = bytes.substr(at, next - at);
        line.header = content.size() > 1 && content.front() == '[' && content.back() == ']';
        if (line.header)
            section = content.substr(1, content.size() - 2);
        line.section = section;
        const std::size_t equals = content.find('=');
        line.setting = !line.header && equals != std::string::npos;
        if (line.setting) {
            line.key = content.substr(0, equals);
            line.value = content.substr(equals + 1);
            line.value.erase(line.value.find_last_not_of(' ') + 1);
            if (line.value.size() > 1 && line.value.front() == '"' && line.value.back() == '"')
                line.value = line.value.substr(1, line.value.size() - 2);
        }
        lines.push_back(std::move(line));
        at = next;
    }
    return lines;
}

namespace {

std::optional<std::string> gameValue(std::string_view bytes, std::string_view section,
                                     std::string_view key)
{
    std::optional<std::string> found;
    for (const GameLine& line : gameLines(bytes))
        if (line.setting && !section.empty() && sameName(line.section, section) &&
            sameName(line.key, key))
            found = line.value;
    return found;
}

} // namespace

std::string gameSection(std::string_view bytes, std::string_view key)
{
    if (sameName(key, "GameRenderDevice") || sameName(key, "CacheSizeMegs"))
        return sameName(key, "CacheSizeMegs") ? "Engine.GameEngine" : "Engine.Engine";
    if (sameName(key, "Coronas"))
        return gameValue(bytes, "Engine.Engine", "GameRenderDevice").value_or("");
    return gameValue(bytes, "Engine.Engine", "ViewportManager").value_or("WinDrv.WindowsClient");
}

std::map<std::string, std::string> gameView(std::string_view bytes)
{
    std::vector<std::string_view> keys(std::begin(kGameRowKeys), std::end(kGameRowKeys));
    keys.insert(keys.end(), {"CacheSizeMegs", "FullscreenViewportX", "FullscreenViewportY"});
    std::map<std::string, std::string> view;
    for (const std::string_view key : keys)
        if (auto value = gameValue(bytes, gameSection(bytes, key), key))
            view[std::string(key)] = *value;
    return view;
}

} // namespace velmora::test
