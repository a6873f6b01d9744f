// The game lookup on Windows: the real registry, and paths used as they are.

#include "gamelocator.h"
#include "registry_win.h"

namespace velmora::platform {
namespace {

class WindowsGameLocator final : public GameLocator {
public:
    std::string gameFolder() const override
    {
        return ReadRegistryString(HKEY_LOCAL_MACHINE, kGameRegistryKey, kGameRegistryValue);
    }
    std::string localPath(const std::string& windowsPath) const override { return windowsPath; }
};

} // namespace

std::unique_ptr<GameLocator> makeSystemGameLocator()
{
    return std::make_unique<WindowsGameLocator>();
}

} // namespace velmora::platform
